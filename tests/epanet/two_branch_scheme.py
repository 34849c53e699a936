"""A second scheme for the EPANET comparison: a main from the intake to a junction, and two
branches off the junction, one through a break pressure tank. The hydraulics are worked out here
(Colebrook-White by bisection, Darcy-Weisbach head loss, the grade line started afresh at the
tank) and stored as values, as a designed workbook holds them.

usage: two_branch_scheme.py OUT.xlsx
"""
import math
import sys

import openpyxl

VISCOSITY = 1.01e-6  # m2/s
GRAVITY = 9.81
GROUND = {"IN1": 1500.0, "AV1": 1480.0, "J1": 1460.0, "T1": 1440.0, "T2": 1430.0,
          "BPT1": 1420.0, "T3": 1395.0, "T4": 1380.0}
# (title, [(from, to, length m, flow l/s, inner diameter mm, direction)])
BRANCHES = [
    ("Main: Intake to Junction", [("IN1", "AV1", 300, 0.9, 35.2, "D"),
                                  ("AV1", "J1", 250, 0.9, 35.2, "D")]),
    ("Branch East", [("J1", "T1", 200, 0.55, 27.8, "R"), ("T1", "T2", 150, 0.25, 21.2, "R")]),
    ("Branch West", [("J1", "BPT1", 250, 0.35, 27.8, "L"), ("BPT1", "T3", 200, 0.35, 27.8, "DL"),
                     ("T3", "T4", 180, 0.15, 21.2, "D")]),
]
ROUGHNESS = 1e-5  # m


def friction(diameter_mm, reynolds):
    lo, hi = 0.0, 1.0
    for _ in range(200):
        f = (lo + hi) / 2
        g = -2 * math.sqrt(f) * math.log10(ROUGHNESS / (3.7 * diameter_mm / 1000)
                                           + 2.51 / (math.sqrt(f) * reynolds))
        if g <= 1:
            lo = f
        else:
            hi = f
    return round(f, 6)


def main():
    book = openpyxl.Workbook()
    data = book.active
    data.title = "DATA INPUT"
    data["B8"], data["E8"] = "Name of the scheme", "Two Branch Test Scheme"
    data["E28"], data["E29"] = VISCOSITY, GRAVITY
    sheet = book.create_sheet("PD-CW-Sample")
    sheet["E6"], sheet["I6"], sheet["L6"] = "Two Branch Test Scheme", "Spring", 1.0
    row, end_hgl = 15, {}
    for title, sections in BRANCHES:
        sheet[f"C{row}"] = title
        row += 1
        for number, (start, end, length, flow, diameter, direction) in enumerate(sections, 1):
            area = math.pi * (diameter / 1000) ** 2 / 4
            velocity = flow / 1000 / area
            reynolds = velocity * diameter / 1000 / VISCOSITY
            f = friction(diameter, reynolds)
            pipe_length = length * 1.1
            loss = f * pipe_length / (diameter / 1000) * velocity ** 2 / (2 * GRAVITY)
            # The intake and a tank start the grade line from their own level.
            start_hgl = GROUND[start] if start.startswith(("IN", "BP")) else end_hgl[start]
            end_hgl[end] = start_hgl - loss
            values = {"B": number, "C": start, "D": end, "E": length, "F": pipe_length,
                      "G": flow, "H": direction, "I": GROUND[start], "J": GROUND[end],
                      "O": 32, "P": 6, "Q": "HDPE", "T": velocity, "U": loss,
                      "W": start_hgl - GROUND[start], "X": start_hgl, "Y": end_hgl[end],
                      "AB": end_hgl[end] - GROUND[end], "AG": f, "AI": diameter,
                      "AJ": ROUGHNESS, "AK": reynolds}
            for column, value in values.items():
                sheet[f"{column}{row}"] = value
            row += 1
    book.save(sys.argv[1])


if __name__ == "__main__":
    main()
