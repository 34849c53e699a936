#!/usr/bin/python3
"""The entities of bench_drawing written with ezdxf, for comparison.

Usage: ezdxf_bench.py [COUNT] [FOLDER]
Prints the time to build the drawing and to save it.
"""
import os
import sys
import tempfile
import time

import ezdxf
from ezdxf.enums import TextEntityAlignment


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    folder = sys.argv[2] if len(sys.argv) > 2 else tempfile.gettempdir()
    start = time.perf_counter()
    doc = ezdxf.new("R2000")
    jno = doc.blocks.new("JNO")
    jno.add_circle((0, 0), 1.5)
    jno.add_attdef("NAME", (2, 5), dxfattribs={"height": 1.5}).set_placement(
        (2, 5), align=TextEntityAlignment.MIDDLE_LEFT)
    msp = doc.modelspace()
    for i in range(count):
        x = (i % 1000) * 5.0
        y = (i // 1000) * 100.0
        kind = i % 3
        if kind == 0:
            msp.add_line((x, y), (x + 5, y + 1))
        elif kind == 1:
            msp.add_text("1203.4", dxfattribs={"height": 1.5, "rotation": 90.0}).set_placement(
                (x, y - 10), align=TextEntityAlignment.MIDDLE_LEFT)
        else:
            ref = msp.add_blockref("JNO", (x, y))
            ref.add_auto_attribs({"NAME": "J%d" % i})
    print("build %d entities in memory  %7.3f s" % (count, time.perf_counter() - start))
    path = os.path.join(folder, "bench_ezdxf.dxf")
    start = time.perf_counter()
    doc.saveas(path)
    print("save DXF (%5.0f MB)            %7.3f s" % (os.path.getsize(path) / 1e6,
                                                    time.perf_counter() - start))


if __name__ == "__main__":
    main()
