"""Reads a DXF drawing with ezdxf, a reader apart from ours, for the checks of the drawings the
batch tool writes."""
from ezdxf import recover

VALUES = {"LINE": lambda d: (d.start.x, d.start.y, d.end.x, d.end.y),
          "CIRCLE": lambda d: (d.center.x, d.center.y, d.radius),
          "ARC": lambda d: (d.center.x, d.center.y, d.radius, d.start_angle, d.end_angle),
          "TEXT": lambda d: (d.insert.x, d.insert.y, d.height)}


def read_drawing(path):
    """(version, problems, [(type, handle, values, text)]): version None when the file cannot be
    read at all; problems the errors and repairs of recovery and audit; values None for entities
    of other types."""
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


def layers_and_units(path):
    """The layer of every model-space entity in drawing order, and the header's $INSUNITS (None
    when the header names no units)."""
    doc, _ = recover.readfile(path)
    return [e.dxf.layer for e in doc.modelspace()], doc.header.get("$INSUNITS")


def off_values(kind, got, wanted, tolerance):
    """(index, value, wanted) of every value of ezdxf's entity further than the tolerance (times
    the value where that is above 1) from the one wanted; an arc's angles compared round the circle."""
    gaps = [abs(a - b) if kind != "ARC" or k < 3 else min(abs(a - b) % 360, 360 - abs(a - b) % 360)
            for k, (a, b) in enumerate(zip(got or (), wanted))]
    return [(k, a, b) for k, (a, b, gap) in enumerate(zip(got or (), wanted, gaps)) if gap > tolerance * max(1.0, abs(b))]
