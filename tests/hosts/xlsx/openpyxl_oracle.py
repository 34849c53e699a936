#!/usr/bin/python3
"""The independent reader and writer of the workbook tests, built on openpyxl:
  sample OUT: writes a scheme-like workbook (formulas, styles, merges, widths, a name, a chart);
  compare ORIGINAL SAVED EDITS_JSON: SAVED differs from ORIGINAL only in the edited cells
      ({"Sheet!B7": 42.5}), which hold their new values and keep their styles; prints each
      difference and exits 1 when there is one;
  cells FILE SHEET RANGE / values FILE SHEET RANGE: a range as JSON rows, formulas or their
      stored values;  dates FILE: the distinct dates of the package's zip entries as JSON.
Any warning openpyxl gives while reading is an error: files PLOVIS writes must open cleanly.
"""
import datetime
import json
import sys
import warnings
import zipfile

warnings.simplefilter("error")

from openpyxl import Workbook, load_workbook  # noqa: E402
from openpyxl.chart import BarChart, Reference  # noqa: E402
from openpyxl.styles import Border, Font, PatternFill, Side  # noqa: E402
from openpyxl.workbook.defined_name import DefinedName  # noqa: E402


def sample(path):
    wb = Workbook()
    ws = wb.active
    ws.title = "PD-CW-Sample"
    ws["A1"] = "Pipe design of the scheme"
    ws.merge_cells("A1:F1")
    ws["A1"].font = Font(bold=True, size=14)
    for col, head in enumerate(["Node", "Chainage", "Level", "Flow", "Diameter", "Note"], 1):
        cell = ws.cell(row=3, column=col, value=head)
        cell.fill = PatternFill("solid", fgColor="FFFF00")
        cell.border = Border(bottom=Side(style="thin"))
    for r in range(4, 14):
        ws.cell(row=r, column=1, value="N%d" % (r - 3))
        ws.cell(row=r, column=2, value=(r - 4) * 125.5).number_format = "#,##0.00"
        ws.cell(row=r, column=3, value=1500 - r * 3.25).number_format = "0.000"
        ws.cell(row=r, column=4, value="=B%d/100" % r)
        ws.cell(row=r, column=5, value=0.05 + r / 1000)
    ws["F5"] = True
    ws["F6"] = datetime.datetime(2024, 3, 15, 6, 0)
    ws["F7"] = "text with  two blanks and a line\nbreak"
    ws["E20"].number_format = "0.00%"  # a formatted cell that holds nothing
    ws["E20"].font = Font(italic=True)
    ws.merge_cells("B16:D17")
    ws["B16"] = "merged note"
    ws.column_dimensions["A"].width = 18
    ws.column_dimensions["F"].width = 30
    ws.row_dimensions[3].height = 24
    wb.defined_names.append(DefinedName("Levels", attr_text="'PD-CW-Sample'!$C$4:$C$13"))

    wd = wb.create_sheet("Water Demand")
    wd["A1"] = "Population"
    wd["B1"] = 1250
    wd["B2"] = "='PD-CW-Sample'!B5*2"
    wd["C3"] = -0.125
    chart = BarChart()
    chart.add_data(Reference(ws, min_col=3, min_row=3, max_row=13), titles_from_data=True)
    wd.add_chart(chart, "E5")
    wb.save(path)


def style_of(cell):
    return {
        "format": cell.number_format,
        "bold": bool(cell.font.b),
        "italic": bool(cell.font.i),
        "fill": cell.fill.fgColor.rgb if cell.fill and cell.fill.fill_type else None,
        "border": cell.border.bottom.style if cell.border else None,
    }


def value_of(cell):
    v = cell.value
    if isinstance(v, (datetime.datetime, datetime.date, datetime.time)):
        return v.isoformat()
    return v


def snapshot(path):
    wb = load_workbook(path)
    out = {"sheets": wb.sheetnames, "names": {}, "cells": {}, "merged": {}, "widths": {},
           "heights": {}, "charts": {}}
    for name in wb.defined_names.definedName:
        out["names"][name.name] = name.attr_text
    for ws in wb.worksheets:
        for row in ws.iter_rows():
            for cell in row:
                if cell.value is None and not cell.has_style:
                    continue
                out["cells"]["%s!%s" % (ws.title, cell.coordinate)] = {
                    "value": value_of(cell), "style": style_of(cell)}
        out["merged"][ws.title] = sorted(str(m) for m in ws.merged_cells.ranges)
        out["widths"][ws.title] = {k: d.width for k, d in ws.column_dimensions.items() if d.width}
        out["heights"][ws.title] = {k: d.height for k, d in ws.row_dimensions.items() if d.height}
        out["charts"][ws.title] = len(ws._charts)
    return out


# The style of a cell a sheet does not hold.
PLAIN = {"format": "General", "bold": False, "italic": False, "fill": None, "border": None}


def compare(original, saved, edits):
    before, after = snapshot(original), snapshot(saved)
    problems = []
    for key in ("sheets", "names", "merged", "widths", "heights", "charts"):
        if before[key] != after[key]:
            problems.append("%s: %r became %r" % (key, before[key], after[key]))
    for ref in sorted(set(before["cells"]) | set(after["cells"])):
        old = before["cells"].get(ref, {"value": None, "style": PLAIN})
        new = after["cells"].get(ref, {"value": None, "style": PLAIN})
        if ref in edits:
            if new["value"] != edits[ref]:
                problems.append("%s holds %r, not the %r written" % (ref, new["value"], edits[ref]))
            if new["style"] != old["style"]:
                problems.append("%s: style %r became %r" % (ref, old["style"], new["style"]))
        elif old != new:
            problems.append("%s: %r became %r" % (ref, old, new))
    for p in problems:
        print(p)
    return 1 if problems else 0


def cells(path, sheet, ref, data_only=False):
    ws = load_workbook(path, data_only=data_only)[sheet]
    print(json.dumps([[value_of(c) for c in row] for row in ws[ref]]))


def dates(path):
    with zipfile.ZipFile(path) as z:
        print(json.dumps(sorted({tuple(i.date_time) for i in z.infolist()})))


COMMANDS = {
    "sample": lambda args: sample(*args) or 0,
    "compare": lambda args: compare(args[0], args[1], json.loads(args[2])),
    "cells": lambda args: cells(*args) or 0,
    "values": lambda args: cells(*args, data_only=True) or 0,
    "dates": lambda args: dates(*args) or 0,
}


def main(argv):
    if len(argv) < 2 or argv[1] not in COMMANDS:
        print(__doc__)
        return 64
    return COMMANDS[argv[1]](argv[2:])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
