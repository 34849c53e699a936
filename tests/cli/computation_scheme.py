#!/usr/bin/python3
"""A small scheme workbook written by openpyxl, for the command-line tests of the computations.

  computation_scheme.py OUT.xlsx
"""
import sys
import warnings

warnings.simplefilter("error")

from openpyxl import Workbook  # noqa: E402
from openpyxl.styles import Font  # noqa: E402


def main(path):
    wb = Workbook()
    data = wb.active
    data.title = "DATA INPUT"
    data["E8"] = "Kalika Water Supply Scheme"
    for row, value in zip(range(22, 28), [2, 0, 15, 3, 45, 500]):
        data.cell(row=row, column=5, value=value)
    data["E31"] = "0.1 lps"

    demand = wb.create_sheet("Water Demand")
    demand["B20"] = "Ward 1"
    demand["F20"] = 100
    demand["G20"].font = Font(bold=True)  # a styled result cell keeps its style
    demand["M20"] = 0

    design = wb.create_sheet("PD-CW-Sample")
    design["B16"] = 1
    design["N16"] = 20
    design["P16"] = 6
    design["AI16"] = 100
    design["AJ16"] = 0.00001
    design["AK16"] = 100000
    design["Z16"] = "=AI16*2"  # an untouched formula

    ground = wb.create_sheet("GroundProfile")
    rows = [("Main", None, None, None), ("A", 0, 1300, 0), ("B", 40, 1290, 1), ("C", 60, 1281, 0),
            ("D", 100, 1270, 1), ("E", 100, 1262, 0)]
    for i, (label, dist, level, code) in enumerate(rows):
        ground.cell(row=4 + i, column=2, value=label)
        ground.cell(row=4 + i, column=3, value=dist)
        ground.cell(row=4 + i, column=4, value=level)
        ground.cell(row=4 + i, column=5, value=code)
    wb.save(path)


if __name__ == "__main__":
    main(sys.argv[1])
