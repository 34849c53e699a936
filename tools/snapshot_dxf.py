#!/usr/bin/python3
"""A golden drawing snapshot as a DXF file, to look at before accepting it:

  snapshot_dxf.py NAME.txt OUT.dxf && plovis render OUT.dxf --png OUT.png

Block references become a small circle with their block name; attributes become texts.
"""
import re
import sys

import ezdxf

TEXT = re.compile(r'"(.*)" (\S+?)(?:>\S+)? h(\S+)(?: r(\S+))?(?: ([A-Z]{1,2}))?')
ALIGN = {"L": "LEFT", "C": "CENTER", "R": "RIGHT", "A": "ALIGNED", "M": "MIDDLE", "F": "FIT",
         "TL": "TOP_LEFT", "TC": "TOP_CENTER", "TR": "TOP_RIGHT", "ML": "MIDDLE_LEFT",
         "MC": "MIDDLE_CENTER", "MR": "MIDDLE_RIGHT", "BL": "BOTTOM_LEFT", "BC": "BOTTOM_CENTER",
         "BR": "BOTTOM_RIGHT"}


def xy(text):
    return tuple(float(v) for v in text.split(",")[:2])


def add_text(msp, layer, rest):
    m = TEXT.search(rest)
    t = msp.add_text(m.group(1), dxfattribs={"layer": layer, "height": float(m.group(3)),
                                             "rotation": float(m.group(4) or 0)})
    t.set_placement(xy(m.group(2)), align=ezdxf.enums.TextEntityAlignment[ALIGN[m.group(5) or "L"]])


def main(source, out):
    doc = ezdxf.new()
    msp = doc.modelspace()
    for line in open(source, encoding="utf-8"):
        kind, _, rest = line.strip().partition(" ")
        layer, _, rest = rest.partition(" ")
        words = rest.split()
        if kind == "LINE":
            msp.add_line(xy(words[-2]), xy(words[-1]), dxfattribs={"layer": layer})
        elif kind == "CIRCLE":
            msp.add_circle(xy(words[-2]), float(words[-1][1:]), dxfattribs={"layer": layer})
        elif kind == "ARC":
            a, b = (float(v) for v in words[-1].split(".."))
            msp.add_arc(xy(words[-3]), float(words[-2][1:]), a, b, dxfattribs={"layer": layer})
        elif kind == "PLINE":
            points = [xy(w.split("/")[0]) for w in words if "," in w]
            msp.add_lwpolyline(points, close="closed" in words, dxfattribs={"layer": layer})
        elif kind == "TEXT":
            add_text(msp, layer, rest)
        elif kind == "INSERT":
            msp.add_circle(xy(words[1]), 0.5, dxfattribs={"color": 3})
            msp.add_text(words[0], dxfattribs={"height": 0.8, "color": 3}).set_placement(xy(words[1]))
        elif kind == "ATTRIB":
            add_text(msp, "0", rest)
    doc.saveas(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
