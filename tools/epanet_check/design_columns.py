"""What the workbook's pipe design table says of every pipe, for the EPANET comparison.

Reads the saved values of "PD-CW-Sample" (an independent reader: openpyxl) and prints, as JSON,
per section row: its pipe id in the exported model (R + the sheet row), design flow (G, l/s),
head loss (U, m) and residual heads at its start (W) and end (AB) nodes (m).

usage: design_columns.py WORKBOOK
"""
import json
import sys

import openpyxl

FIRST_ROW = 15  # the first row of the section list
COLUMNS = {"flow": "G", "headLoss": "U", "startResidual": "W", "endResidual": "AB"}


def blank(sheet, row):
    return all(sheet[f"{c}{row}"].value in (None, "") for c in "BCD")


def section_rows(sheet):
    row, blanks = FIRST_ROW, 0
    while blanks < 2:
        if blank(sheet, row):
            blanks += 1
        else:
            blanks = 0
            if sheet[f"B{row}"].value not in (None, ""):
                yield row
        row += 1


def main():
    book = openpyxl.load_workbook(sys.argv[1], data_only=True)
    sheet = book["PD-CW-Sample"]
    pipes = []
    for row in section_rows(sheet):
        pipe = {"id": f"R{row}", "section": f"{sheet[f'C{row}'].value}-{sheet[f'D{row}'].value}"}
        for key, column in COLUMNS.items():
            pipe[key] = float(sheet[f"{column}{row}"].value or 0)
        pipes.append(pipe)
    json.dump({"pipes": pipes}, sys.stdout, indent=1)


if __name__ == "__main__":
    main()
