#!/usr/bin/python3
"""The sample scheme workbook as a second reader (openpyxl) sees it.

  sample_check.py FILE

Any warning openpyxl gives is an error. Checks that the workbook holds the scheme's seven sheets in
order, that every formula cell carries its calculated value, and that every section row of the
pipe design table computes its hydraulics by formulas. Prints each problem found and exits 1 when
there is one; otherwise prints the number of formulas of each sheet as JSON.
"""
import json
import sys
import warnings

warnings.simplefilter("error")

from openpyxl import load_workbook  # noqa: E402

SHEETS = ["DATA INPUT", "Water Demand", "PD-CW-Sample", "GroundProfile", "Levelsurvey",
          "AbneySurvey", "KELDRAN"]
# Velocity, head losses, grade levels, residual heads, static line and pressure, flow area and
# Reynolds number of a section row.
HYDRAULICS = ["K", "L", "M", "N", "T", "U", "V", "W", "X", "Y", "AB", "AH", "AK"]


def main(path):
    formulas = load_workbook(path)
    values = load_workbook(path, data_only=True)
    problems = []
    if formulas.sheetnames != SHEETS:
        problems.append("sheets %r, not %r" % (formulas.sheetnames, SHEETS))
    counts = {}
    for ws in formulas.worksheets:
        counts[ws.title] = 0
        for row in ws.iter_rows():
            for cell in row:
                if not (isinstance(cell.value, str) and cell.value.startswith("=")):
                    continue
                counts[ws.title] += 1
                cached = values[ws.title][cell.coordinate].value
                if not isinstance(cached, (int, float)):
                    problems.append("%s!%s (%s) has no calculated value"
                                    % (ws.title, cell.coordinate, cell.value))
    design = formulas["PD-CW-Sample"]
    for r in range(16, design.max_row + 1):
        if not isinstance(design["B%d" % r].value, (int, float)):
            continue
        for column in HYDRAULICS:
            value = design["%s%d" % (column, r)].value
            if not (isinstance(value, str) and value.startswith("=")):
                problems.append("PD-CW-Sample!%s%d holds %r, not a formula" % (column, r, value))
    for p in problems:
        print(p)
    if problems:
        return 1
    print(json.dumps(counts))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
