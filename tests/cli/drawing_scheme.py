#!/usr/bin/python3
"""drawing_scheme.py OUT.xlsx [CELL=NUMBER ...]: a small scheme workbook (a main line and a branch
in the pipe design table, their ground profile, the scheme's title) for the tests of the drawing
commands; each CELL=NUMBER puts the number into that cell of the GroundProfile sheet."""
import sys
import warnings

warnings.simplefilter("error")

from openpyxl import Workbook  # noqa: E402

# from, to, length, flow, direction, start ground, end ground, static level, HDPE diameter,
# class, start HGL, end HGL, soil, structure
MAIN = [
    ("IN1", "CC1", 250, 2.5, "D", 1450, 1420, 1450, 90, 6, 1450, 1440, "Soil", "CC"),
    ("CC1", "BPC1", 600, 2.5, "D", 1420, 1370, 1450, 90, 6, 1440, 1400, "Rock", "BPC"),
    ("BPC1", "J1", 500, 2.5, "D", 1370, 1330, 1370, 75, 6, 1370, 1345, "Soil", ""),
    ("J1", "RVT1", 300, 2.0, "D", 1330, 1310, 1370, 63, 10, 1345, 1330, "Soil", "RVT"),
]
BRANCH = [
    ("J1", "T1", 200, 0.5, "R", 1330, 1318, 1370, 32, 10, 1345, 1340, "Soil", "TAP"),
    ("T1", "T2", 150, 0.25, "R", 1318, 1305, 1370, 25, 10, 1340, 1336, "Soil", "TAP"),
]


def design_rows(ws, first_row, title, rows):
    ws.cell(row=first_row, column=3, value=title)
    for i, r in enumerate(rows, 1):
        row = first_row + i
        ws.cell(row=row, column=2, value=i)
        for offset, value in zip([1, 2, 3, 5, 6, 7, 8, 10, 13, 14, 22, 23, 24, 25], r):
            if value != "":
                ws.cell(row=row, column=2 + offset, value=value)
    return first_row + len(rows) + 1


def ground(ws, row, name, rows):
    ws.cell(row=row, column=2, value=name)
    row += 1
    ws.cell(row=row, column=2, value=rows[0][0])
    ws.cell(row=row, column=3, value=0)
    ws.cell(row=row, column=4, value=rows[0][5])
    for r in rows:
        # a point halfway along each section, then its end node
        row += 1
        ws.cell(row=row, column=2, value="P" + r[1])
        ws.cell(row=row, column=3, value=r[2] / 2)
        ws.cell(row=row, column=4, value=(r[5] + r[6]) / 2 + 1.5)
        row += 1
        ws.cell(row=row, column=2, value=r[1])
        ws.cell(row=row, column=3, value=r[2] / 2)
        ws.cell(row=row, column=4, value=r[6])
    return row + 1


def main(path, edits):
    wb = Workbook()
    design = wb.active
    design.title = "PD-CW-Sample"
    design["E6"] = "Kalika WSS"
    design["I6"] = "Kalika spring"
    design["L6"] = "12.5 l/s"
    row = design_rows(design, 15, "Main line", MAIN)
    design_rows(design, row, "Branch to Tole", BRANCH)
    wb.create_sheet("KELDRAN")
    data = wb.create_sheet("DATA INPUT")
    data["E8"] = "Kalika Water Supply Scheme"
    g = wb.create_sheet("GroundProfile")
    row = ground(g, 4, "Main line", MAIN)
    ground(g, row, "Branch to Tole", BRANCH)
    for edit in edits:
        cell, number = edit.split("=")
        g[cell] = float(number)
    wb.active = 0
    wb.save(path)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
