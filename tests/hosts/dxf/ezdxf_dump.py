#!/usr/bin/python3
"""ezdxf_dump.py FILE.dxf...: the independent check of DXF files PLOVIS wrote. ezdxf reads and
audits each, then prints "FILE <name>" (when given several), its audit, tables, blocks and model
space one line each (numbers as %.6g), then its paper-space layouts in tab order with the viewports
onto model space (paper centre and size, view centre and height, scale), for the tests to compare
with reviewed text."""
import os
import sys

import ezdxf


def num(v):
    return "%.6g" % (float(v) + 0.0)


def pt(p):
    return "(%s,%s)" % (num(p[0]), num(p[1]))


def common(e):
    return "%s %d %s" % (e.dxf.layer, e.dxf.get("color", 256), e.dxf.get("linetype", "ByLayer"))


def text_part(e):
    h, v = e.dxf.get("halign", 0), e.dxf.get("valign", 0)
    anchor = e.dxf.insert if (h == 0 and v == 0) or h in (3, 5) else e.dxf.align_point
    line = '"%s" h=%s rot=%s style=%s align=%d,%d at=%s' % (
        e.dxf.text, num(e.dxf.height), num(e.dxf.get("rotation", 0)), e.dxf.get("style", "Standard"),
        h, v, pt(anchor))
    if h in (3, 5):
        line += " to=%s" % pt(e.dxf.align_point)
    return line


def entity(e):
    t = e.dxftype()
    if t == "LINE":
        return "LINE %s %s %s" % (common(e), pt(e.dxf.start), pt(e.dxf.end))
    if t == "CIRCLE":
        return "CIRCLE %s %s r=%s" % (common(e), pt(e.dxf.center), num(e.dxf.radius))
    if t == "ARC":
        return "ARC %s %s r=%s %s-%s" % (common(e), pt(e.dxf.center), num(e.dxf.radius),
                                         num(e.dxf.start_angle), num(e.dxf.end_angle))
    if t == "LWPOLYLINE":
        vertices = " ".join("%s/%s" % (pt((x, y)), num(b)) for x, y, _, _, b in e.get_points())
        return "LWPOLYLINE %s closed=%d %s" % (common(e), int(e.closed), vertices)
    if t == "TEXT":
        return "TEXT %s %s" % (common(e), text_part(e))
    if t == "ATTDEF":
        return "ATTDEF %s tag=%s prompt=%s flags=%d %s" % (
            common(e), e.dxf.tag, e.dxf.get("prompt", ""), e.dxf.flags, text_part(e))
    if t == "INSERT":
        lines = ["INSERT %s %s %s s=%s,%s rot=%s" % (
            common(e), e.dxf.name, pt(e.dxf.insert), num(e.dxf.get("xscale", 1)),
            num(e.dxf.get("yscale", 1)), num(e.dxf.get("rotation", 0)))]
        for a in e.attribs:
            lines.append("  ATTRIB %s tag=%s flags=%d %s" % (common(a), a.dxf.tag, a.dxf.flags,
                                                            text_part(a)))
        return "\n".join(lines)
    return "OTHER " + t


def layout_line(layout):
    ports = [v for v in layout.query("VIEWPORT") if v.dxf.id != 1]
    line = "LAYOUT %s paper=%sx%s viewports=%d" % (
        layout.name, num(layout.dxf.paper_width), num(layout.dxf.paper_height), len(ports))
    for v in ports:
        line += " at=%s size=%sx%s view=%s h=%s scale=%s" % (
            pt(v.dxf.center), num(v.dxf.width), num(v.dxf.height), pt(v.dxf.view_center_point),
            num(v.dxf.view_height), num(v.dxf.height / v.dxf.view_height))
    return line


def main(path, named):
    if named:
        print("FILE " + os.path.basename(path))
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    print("AUDIT errors=%d fixes=%d" % (len(auditor.errors), len(auditor.fixes)))
    for entry in auditor.errors + auditor.fixes:
        print("  %s" % entry.message)
    header = doc.header
    print("HEADER %s insunits=%d measurement=%d" % (
        doc.dxfversion, header.get("$INSUNITS", -1), header.get("$MEASUREMENT", -1)))
    for lt in doc.linetypes:
        dashes = [num(t.value) for t in lt.pattern_tags.tags if t.code == 49]
        print(("LTYPE %s %s" % (lt.dxf.name, " ".join(dashes))).rstrip())
    for layer in doc.layers:
        if layer.dxf.name == "Defpoints":
            continue  # ezdxf adds it to every drawing it loads
        print("LAYER %s color=%d linetype=%s on=%d frozen=%d locked=%d" % (
            layer.dxf.name, layer.color, layer.dxf.linetype, int(layer.is_on()),
            int(layer.is_frozen()), int(layer.is_locked())))
    for style in doc.styles:
        print("STYLE %s font=%s" % (style.dxf.name, style.dxf.font))
    for block in doc.blocks:
        if block.name.lower() in ("*model_space", "*paper_space"):
            continue
        print("BLOCK %s base=%s" % (block.name, pt(block.block.dxf.base_point)))
        for e in block:
            print("  " + entity(e).replace("\n", "\n  "))
    print("MODEL")
    for e in doc.modelspace():
        print("  " + entity(e).replace("\n", "\n  "))
    for layout in doc.layouts:
        if not layout.is_modelspace:
            print(layout_line(layout))


if __name__ == "__main__":
    for name in sys.argv[1:]:
        main(name, len(sys.argv) > 2)
