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
read_drawing gives the same to other checks.
"""
import sys

from ezdxf import recover

VALUES = {"LINE": lambda d: (d.start.x, d.start.y, d.end.x, d.end.y),
          "CIRCLE": lambda d: (d.center.x, d.center.y, d.radius),
          "ARC": lambda d: (d.center.x, d.center.y, d.radius, d.start_angle, d.end_angle),
          "TEXT": lambda d: (d.insert.x, d.insert.y, d.height)}


def read_drawing(path):
    """(version, problems, [(type, handle, values, text)]); version None when unreadable. Entities
    of other types have no values."""
    try:
        doc, auditor = recover.readfile(path)
    except Exception as exc:  # not a DXF file at all
        return None, [f"cannot read: {exc}"], []
    audit = doc.audit()
    problems = [e.message for e in list(auditor.errors) + list(auditor.fixes) + list(audit.errors) + list(audit.fixes)]
    entities = [(e.dxftype(), e.dxf.handle, tuple(float(v) for v in VALUES[e.dxftype()](e.dxf))
                 if e.dxftype() in VALUES else None, e.dxf.text if e.dxftype() == "TEXT" else None)
                for e in doc.modelspace()]
    return doc.dxfversion, problems, entities


def main(path):
    version, problems, entities = read_drawing(path)
    if version:
        print("VERSION", version)
    for message in problems:
        print("PROBLEM", message)
    for kind, handle, values, text in entities:
        if values is None:
            print("OTHER", kind, handle)
        else:
            print(" ".join([kind, handle] + [repr(v) for v in values] + ([text] if text is not None else [])))
    return 0 if version else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
