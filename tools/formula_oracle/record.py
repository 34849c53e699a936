#!/usr/bin/python3
"""Records what LibreOffice Calc computes for the formula corpus and writes the oracle fixture.

  record.py [--out tests/hosts/formula/oracle.tsv] [--keep DIR]

Writes the corpus (corpus.py) into a workbook with openpyxl, without cached values and with
"recalculate fully on load"; has LibreOffice Calc, headless and with a private profile that
recalculates every OOXML file on load, convert it to a new .xlsx; reads the computed values back
(from the sheet XML and, as a cross-check, with openpyxl) and writes the fixture. Installs
libreoffice-calc-nogui with apt-get when soffice is missing: LibreOffice is needed only here.
"""
import argparse
import csv
import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import corpus  # noqa: E402

from openpyxl import Workbook, load_workbook  # noqa: E402
from openpyxl.utils import get_column_letter  # noqa: E402
from openpyxl.workbook.defined_name import DefinedName  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
RELNS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
CORPUS_COLUMN = "A"
LEFT_OUT_COLUMN = "G"

# Every OOXML and ODF file is recalculated on load (0 = always), in an English (US) locale so
# TEXT pictures use "." and "," as Excel's en-US does.
PROFILE = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry"
 xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="ODFRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>en-US</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooLocale" oor:op="fuse"><value>en-US</value></prop></item>
</oor:items>
"""


def ensure_libreoffice():
    if shutil.which("soffice"):
        return
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    subprocess.run(["apt-get", "update", "-q"], check=True, env=env)
    for pkg in ("libreoffice-calc-nogui", "libreoffice-calc"):
        r = subprocess.run(["apt-get", "install", "-y", "-q", "--no-install-recommends", pkg],
                           env=env)
        if r.returncode == 0 and shutil.which("soffice"):
            return
    sys.exit("record.py: could not install LibreOffice Calc")


def libreoffice_version():
    out = subprocess.run(["soffice", "--version"], capture_output=True, text=True).stdout
    return out.strip().splitlines()[0] if out.strip() else "LibreOffice (unknown version)"


def layout():
    """The recorded cells: list of (sheet, cell, formula, group title) and the left-out cells."""
    placed = []
    row = 1
    for title, group in corpus.formulas():
        for f in group:
            placed.append((corpus.CALC, f"{CORPUS_COLUMN}{row}", f, title))
            row += 1
    for sheet, cell, f in corpus.PLACED:
        placed.append((sheet, cell, f, "formulas on other sheets and a chain"))
    left = [(corpus.CALC, f"{LEFT_OUT_COLUMN}{i + 1}", f, why)
            for i, (f, why) in enumerate(corpus.LEFT_OUT)]
    return placed, left


def write_workbook(path, placed, left):
    wb = Workbook()
    sheets = {}
    for i, name in enumerate(corpus.SHEETS):
        ws = wb.active if i == 0 else wb.create_sheet()
        ws.title = name
        sheets[name] = ws
    for sheet, cell, kind, value in corpus.INPUTS:
        c = sheets[sheet][cell]
        if kind == "f":
            c.value = "=" + value
        else:
            c.value = value  # openpyxl stores "#N/A" and the like as error cells
            want = {"n": "n", "s": "s", "b": "b", "e": "e"}[kind]
            if c.data_type != want:
                sys.exit(f"record.py: {sheet}!{cell} stored as {c.data_type}, wanted {want}")
    for sheet, cell, f, _ in placed + left:
        sheets[sheet][cell] = "=" + f
    sentinel_sheet, sentinel_cell, sentinel_f, _, _ = corpus.SENTINEL
    sheets[sentinel_sheet][sentinel_cell] = "=" + sentinel_f
    for scope, name, ref in corpus.NAMES:
        dn = DefinedName(name, attr_text=ref)
        if scope:
            dn.localSheetId = corpus.SHEETS.index(scope)
        wb.defined_names.append(dn)
    wb.calculation.fullCalcOnLoad = True
    wb.save(path)
    plant_stale_value(path)


def plant_stale_value(path):
    """Gives the sentinel formula a wrong cached value, which a full recalculation must replace."""
    sheet, cell, f, stale, _ = corpus.SENTINEL
    member = sheet_member(path, sheet)
    with zipfile.ZipFile(path) as z:
        items = [(i, z.read(i.filename)) for i in z.infolist()]
    pattern = re.compile(rf'(<c r="{cell}"[^>]*><f>{re.escape(f)}</f>)<v\s*/?>(</v>)?')
    done = []
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for info, data in items:
            if info.filename == member:
                text, n = pattern.subn(lambda m: m.group(1) + f"<v>{stale}</v>",
                                       data.decode("utf-8"))
                done.append(n)
                data = text.encode("utf-8")
            z.writestr(info, data)
    if done != [1]:
        sys.exit("record.py: could not plant the stale value of the sentinel formula")


def sheet_member(path, sheet):
    with zipfile.ZipFile(path) as z:
        wbx = ET.fromstring(z.read("xl/workbook.xml"))
        rels = ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))
    targets = {r.get("Id"): r.get("Target") for r in rels}
    for s in wbx.find("m:sheets", NS):
        if s.get("name") == sheet:
            t = targets[s.get(f"{{{RELNS}}}id")]
            return t.lstrip("/") if t.startswith("/") else "xl/" + t
    sys.exit(f"record.py: no sheet {sheet!r} in {path}")


def recalculate(src, outdir, profile):
    os.makedirs(os.path.join(profile, "user"), exist_ok=True)
    with open(os.path.join(profile, "user", "registrymodifications.xcu"), "w") as fh:
        fh.write(PROFILE)
    cmd = ["soffice", f"-env:UserInstallation=file://{profile}", "--headless", "--norestore",
           "--nolockcheck", "--convert-to", "xlsx:Calc MS Excel 2007 XML", "--outdir", outdir, src]
    r = subprocess.run(cmd, capture_output=True, text=True, timeout=600,
                       env=dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8"))
    out = os.path.join(outdir, os.path.basename(src))
    if r.returncode != 0 or not os.path.exists(out):
        sys.exit(f"record.py: LibreOffice failed:\n{r.stdout}\n{r.stderr}")
    return out


def shown_errors(src, outdir, profile):
    """sheet -> {cell: "Err:502", ...}: LibreOffice's own error codes, as its CSV export shows them.

    LibreOffice has errors Excel lacks (Err:502 "invalid argument", Err:504 "parameter list") and
    writes them into .xlsx as #VALUE!, where Excel often says #NUM! or #REF!; the CSV export
    shows the code, which tells such a cell from a real #VALUE!.
    """
    opts = "44,34,76,1,,1033,false,true,true,false,false,-1"
    cmd = ["soffice", f"-env:UserInstallation=file://{profile}", "--headless", "--norestore",
           "--nolockcheck", "--convert-to", f"csv:Text - txt - csv (StarCalc):{opts}",
           "--outdir", outdir, src]
    r = subprocess.run(cmd, capture_output=True, text=True, timeout=600,
                       env=dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8"))
    stem = os.path.splitext(os.path.basename(src))[0]
    out = {}
    for sheet in corpus.SHEETS:
        path = os.path.join(outdir, f"{stem}-{sheet}.csv")
        if r.returncode != 0 or not os.path.exists(path):
            sys.exit(f"record.py: LibreOffice's CSV export failed:\n{r.stdout}\n{r.stderr}")
        codes = {}
        with open(path, encoding="utf-8", newline="") as fh:
            for i, row in enumerate(csv.reader(fh)):
                for j, text in enumerate(row):
                    if re.fullmatch(r"Err:\d+", text):
                        codes[f"{get_column_letter(j + 1)}{i + 1}"] = text
        out[sheet] = codes
    return out


def raw_values(path, sheet):
    """cell -> (type, value) straight from the sheet XML LibreOffice wrote."""
    with zipfile.ZipFile(path) as z:
        shared = []
        if "xl/sharedStrings.xml" in z.namelist():
            for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS):
                shared.append("".join(t.text or "" for t in si.iter(f"{{{NS['m']}}}t")))
        root = ET.fromstring(z.read(sheet_member(path, sheet)))
    cells = {}
    for c in root.iter(f"{{{NS['m']}}}c"):
        if c.find("m:f", NS) is None:
            continue
        v = c.find("m:v", NS)
        t = c.get("t", "n")
        if v is None:
            cells[c.get("r")] = None  # no value: not recalculated
        elif t == "n":
            cells[c.get("r")] = ("n", float(v.text) + 0.0)  # no negative zero: Excel has none
        elif t == "b":
            cells[c.get("r")] = ("b", v.text == "1")
        elif t == "e":
            cells[c.get("r")] = ("e", v.text)
        elif t == "str":
            cells[c.get("r")] = ("s", v.text or "")
        elif t == "s":
            cells[c.get("r")] = ("s", shared[int(v.text)])
        else:
            sys.exit(f"record.py: {sheet}!{c.get('r')} has an unexpected type {t!r}")
    return cells


def cross_check(path, sheet, cells):
    """openpyxl's reading of the computed values must agree with the raw XML."""
    ws = load_workbook(path, data_only=True)[sheet]
    for ref, got in cells.items():
        c = ws[ref]
        t, v = got
        kind = {"n": "n", "b": "b", "e": "e", "s": "s", "str": "s"}.get(c.data_type)
        value = "" if c.value is None and kind == "s" else c.value
        if kind != t or (t == "n" and float(value) != v) or (t != "n" and value != v):
            sys.exit(f"record.py: {sheet}!{ref}: openpyxl reads {c.data_type} {c.value!r}, "
                     f"the sheet XML says {t} {v!r}")


# Functions whose invalid arguments Excel answers with #VALUE! as well, so LibreOffice's own
# error codes there (saved as #VALUE!) agree with Excel, unless an error came in as an argument.
VALUE_ERROR_FUNCTIONS = ("VALUE(", "LEFT(", "RIGHT(", "MID(", "CHOOSE(", "MIN(", "MAX(")


def own_error_agrees(formula):
    if re.search(r"#|Data!D\d", formula) or formula == 'VALUE("")':
        return False
    return formula.startswith(VALUE_ERROR_FUNCTIONS)


# What Excel answers where LibreOffice has an error code of its own, as far as known.
EXCEL_ERRORS = [
    (r"^(SQRT|LN|LOG10|LOG)\(", "#NUM!"),
    (r"^[VH]LOOKUP\(#N/A", "#N/A"),
    (r"^[VH]LOOKUP\(.*,0,FALSE\)$", "#VALUE!"),
    (r"^[VH]LOOKUP\(", "#REF!"),
    (r"^INDEX\(.*,-1\)$", "#VALUE!"),
    (r"^INDEX\(", "#REF!"),
    (r"^MATCH\(", "#N/A"),
]


def excel_error(formula):
    for pattern, error in EXCEL_ERRORS:
        if re.search(pattern, formula):
            return error
    return "doubtful"


def escape(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def show(t, v):
    if t == "n":
        return repr(v)
    if t == "b":
        return "TRUE" if v else "FALSE"
    return escape(v)


def write_fixture(path, version, placed, left, results):
    today = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d")
    lines = [
        "# Formula oracle: what LibreOffice Calc computes for a corpus of spreadsheet formulas.",
        f"# Recorded {today} with {version}, headless, en-US locale, by",
        "# tools/formula_oracle/record.py from the corpus in tools/formula_oracle/corpus.py: the",
        "# workbook is written by openpyxl without cached values, LibreOffice recalculates it on",
        "# load (a planted stale value is checked to be replaced) and saves it as .xlsx; values are",
        "# read from the sheet XML and cross-checked with openpyxl. Do not edit by hand: re-record",
        "# (tools/formula_oracle/README.md).",
        f"# {len(placed)} formulas. Numbers are as LibreOffice saves them, with 15 significant digits.",
        "# Columns: kind (in/name/out), sheet, cell (the name for kind name), type (n number,",
        "# s text, b boolean, e error, f formula input), value, formula (without '=').",
        r"# Texts escape backslash, tab and newline as \\, \t and \n.",
        "#",
        "# Left out because LibreOffice and Excel disagree or Excel's answer is doubtful",
        "# (LibreOffice's answer in brackets). LibreOffice's own error codes (Err:502 invalid",
        "# argument, Err:504 parameter list) are saved as #VALUE!; they are found in its CSV export",
        "# and kept only where Excel gives #VALUE! too.",
    ]
    for sheet, cell, f, why in left:
        got = results[sheet].get(cell)
        lo = f"{got[0]} {show(*got)}" if got else "no value"
        lines.append(f"#   ={escape(f)}  [{lo}]  {why}")
    lines.append("kind\tsheet\tcell\ttype\tvalue\tformula")
    for sheet, cell, kind, value in corpus.INPUTS:
        shown = {"n": repr, "b": lambda b: "TRUE" if b else "FALSE"}.get(kind, escape)(value)
        lines.append(f"in\t{sheet}\t{cell}\t{kind}\t{shown}\t")
    for scope, name, ref in corpus.NAMES:
        lines.append(f"name\t{scope}\t{name}\t\t{ref}\t")
    title = None
    for sheet, cell, f, group in placed:
        if group != title:
            lines.append(f"# {group}")
            title = group
        for note in corpus.DOUBTFUL.get(f, []):
            lines.append(f"# doubtful: ={escape(f)}: {note}")
        t, v = results[sheet][cell]
        lines.append(f"out\t{sheet}\t{cell}\t{t}\t{show(t, v)}\t{escape(f)}")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as fh:
        fh.write("\n".join(lines) + "\n")


def record(work, placed, left):
    """Writes, recalculates and reads back the corpus: (values by sheet, own error codes)."""
    src = os.path.join(work, "formula_corpus.xlsx")
    write_workbook(src, placed, left)
    profile = os.path.join(work, "profile")
    outdir = os.path.join(work, "recalculated")
    shutil.rmtree(outdir, ignore_errors=True)
    done = recalculate(src, outdir, profile)
    results = {sheet: raw_values(done, sheet) for sheet in corpus.SHEETS}
    missing = [f"{s}!{c}" for s, c, _, _ in placed + left if results[s].get(c) is None]
    if missing:
        sys.exit(f"record.py: not recalculated: {', '.join(missing[:10])}")
    s_sheet, s_cell, _, _, s_want = corpus.SENTINEL
    if results[s_sheet][s_cell] != ("n", s_want):
        sys.exit(f"record.py: the stale cached value of {s_sheet}!{s_cell} survived: "
                 "LibreOffice did not recalculate the file")
    for sheet in corpus.SHEETS:
        if results[sheet]:
            cross_check(done, sheet, results[sheet])
    return results, shown_errors(src, os.path.join(work, "csv"), profile)


def split_own_errors(placed, results, codes):
    """Keeps the formulas whose answer Excel shares; the others go with the left-out ones."""
    kept, dropped = [], []
    for sheet, cell, f, group in placed:
        code = codes[sheet].get(cell)
        _, v = results[sheet][cell]
        if code and not own_error_agrees(f) and excel_error(f) != v:
            dropped.append((sheet, cell, f, f"LibreOffice's {code} (saved as {v}); "
                                            f"Excel: {excel_error(f)}"))
        else:
            kept.append((sheet, cell, f, group))
    return kept, dropped


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(REPO, "tests/hosts/formula/oracle.tsv"))
    ap.add_argument("--keep", help="keep the written and recalculated workbooks in this folder")
    args = ap.parse_args()
    ensure_libreoffice()
    version = libreoffice_version()
    placed, left = layout()
    with tempfile.TemporaryDirectory(prefix="formula_oracle_") as tmp:
        if args.keep:
            os.makedirs(args.keep, exist_ok=True)
        results, codes = record(args.keep or tmp, placed, left)
    kept, dropped = split_own_errors(placed, results, codes)
    write_fixture(args.out, version, kept, left + dropped, results)
    print(f"{len(kept)} formulas recorded with {version} into {args.out}; "
          f"{len(left) + len(dropped)} left out")


if __name__ == "__main__":
    main()
