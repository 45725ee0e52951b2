#!/usr/bin/env python3
"""Reads a DXF drawing with ezdxf (an independent reader) and prints what it found.

Output, one item per line:
  VERSION <dxf version>
  PROBLEM <message>         an error or repair reported by recovery or by the audit
  LINE <handle> x1 y1 x2 y2
  CIRCLE <handle> cx cy r
  ARC <handle> cx cy r start end
  TEXT <handle> x y height <text>
  OTHER <type> <handle>
Numbers are printed with all their digits. Exit code 0 when the file could be read at all.
"""
import sys

from ezdxf import recover


def main(path):
    try:
        doc, auditor = recover.readfile(path)
    except Exception as exc:  # not a DXF file at all
        print("PROBLEM cannot read:", exc)
        return 1
    print("VERSION", doc.dxfversion)
    for entry in list(auditor.errors) + list(auditor.fixes):
        print("PROBLEM", entry.message)
    audit = doc.audit()
    for entry in list(audit.errors) + list(audit.fixes):
        print("PROBLEM", entry.message)
    for e in doc.modelspace():
        kind, d = e.dxftype(), e.dxf
        if kind == "LINE":
            values = (d.start.x, d.start.y, d.end.x, d.end.y)
        elif kind == "CIRCLE":
            values = (d.center.x, d.center.y, d.radius)
        elif kind == "ARC":
            values = (d.center.x, d.center.y, d.radius, d.start_angle, d.end_angle)
        elif kind == "TEXT":
            values = (d.insert.x, d.insert.y, d.height)
        else:
            print("OTHER", kind, d.handle)
            continue
        line = [kind, d.handle] + [repr(float(v)) for v in values]
        if kind == "TEXT":
            line.append(d.text)
        print(" ".join(line))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
