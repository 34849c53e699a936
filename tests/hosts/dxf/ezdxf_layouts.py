#!/usr/bin/python3
"""ezdxf_layouts.py FILE.dxf: the paper-space layouts of a DXF file as ezdxf reads them, one line
each in tab order: name, paper size, and the viewport onto model space (paper centre and size,
view centre and height, scale). The first line is ezdxf's audit."""
import sys

import ezdxf


def num(v):
    return "%.6g" % (float(v) + 0.0)


doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("audit errors=%d fixes=%d" % (len(auditor.errors), len(auditor.fixes)))
for layout in doc.layouts:
    if layout.is_modelspace:
        continue
    ports = [v for v in layout.query("VIEWPORT") if v.dxf.id != 1]
    line = "%s paper=%sx%s viewports=%d" % (
        layout.name, num(layout.dxf.paper_width), num(layout.dxf.paper_height), len(ports))
    for v in ports:
        scale = v.dxf.height / v.dxf.view_height
        line += " at=(%s,%s) size=%sx%s view=(%s,%s) h=%s scale=%s" % (
            num(v.dxf.center[0]), num(v.dxf.center[1]), num(v.dxf.width), num(v.dxf.height),
            num(v.dxf.view_center_point[0]), num(v.dxf.view_center_point[1]),
            num(v.dxf.view_height), num(scale))
    print(line)
