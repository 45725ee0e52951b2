#!/usr/bin/python3
"""Writes the sample drawings of the DXF import tests with ezdxf, an independent DXF writer.

Run once from any folder (`/usr/bin/python3 tests/data/dxf/make_samples.py`); the drawings and
the expected-geometry lists are written beside this script and checked in (the tests never run
Python).
r12_shapes.dxf, r2018_shapes.dxf: lines, arcs, circles and polylines (with bulges, open and
    closed) at simple coordinates the tests know by heart, entities the import skips and a block
    inserted once.
r12_mirrored.dxf, r2018_mirrored.dxf: arcs, circles and polylines whose extrusion points to -Z
    (drawn seen from behind); beside each a .txt list of the same geometry in drawing
    coordinates as ezdxf converts it, one record per shape entity in drawing order: LINE x1 y1
    x2 y2, ARC cx cy r x1 y1 x2 y2 mx my (ends as ezdxf orders them, m halfway along), CIRCLE
    cx cy r.
"""
import math
import os

import ezdxf
from ezdxf.math import OCS, Vec3, bulge_to_arc

HERE = os.path.dirname(os.path.abspath(__file__))
BEHIND = (0, 0, -1)
MILLIMETRES = 4  # $INSUNITS: the drawings are read as drawn (ezdxf's default would be metres)


def add_skipped_entities(doc, msp, with_modern_entities):
    """Entities the import skips, and a block inserted once (drawn where it is inserted)."""
    bolt = doc.blocks.new(name="BOLT")
    bolt.add_circle((0, 0), 3)
    bolt.add_line((-5, 0), (5, 0))
    msp.add_blockref("BOLT", (300, 300))
    msp.add_text("PART 7", dxfattribs={"insert": (10, 10), "height": 5})
    msp.add_point((500, 500))
    if with_modern_entities:
        msp.add_spline([(0, 0), (10, 20), (30, 10), (40, 40)])
        msp.add_mtext("two\\Plines", dxfattribs={"insert": (0, 60)})


def write_shapes(version):
    doc = ezdxf.new("R12") if version == "R12" else ezdxf.new(version, units=MILLIMETRES)
    msp = doc.modelspace()
    msp.add_line((0, 0), (100, 0))
    msp.add_arc((50, 50), 20, 30, 120)
    if version == "R12":
        msp.add_arc((0, 0), 10, 270, 90)
    msp.add_circle((200, 50), 10)
    if version == "R12":
        # Closed: the bulge 1 on (40, 0) is a half circle out to the right up to (40, 20).
        msp.add_polyline2d([(0, 0, 0), (40, 0, 1), (40, 20, 0), (0, 20, 0)], format="xyb", close=True)
        # Open: a clockwise quarter circle from (100, 100) to (120, 100), then a line up.
        msp.add_polyline2d([(100, 100, -math.tan(math.pi / 8)), (120, 100, 0), (120, 130, 0)], format="xyb")
        msp.add_polymesh(size=(2, 2))
        msp.add_polyface().append_face([(0, 0, 0), (1, 0, 0), (1, 1, 0)])
    else:
        # Closed: half circle on the right side, and the closing segment (0, 20) -> (0, 0) bent
        # clockwise by the last vertex's bulge -0.5.
        msp.add_lwpolyline([(0, 0, 0), (40, 0, 1), (40, 20, 0), (0, 20, -0.5)], format="xyb", close=True)
        # Open: a bulge of 2 is more than a half circle (below the chord).
        msp.add_lwpolyline([(300, 0, 2), (320, 0, 0), (320, 30, 0)], format="xyb")
    add_skipped_entities(doc, msp, with_modern_entities=version != "R12")
    if version != "R12":
        doc.layout("Layout1").add_line((0, 0), (10, 10))  # a title-block line, not part of the shape
    doc.saveas(os.path.join(HERE, version.lower() + "_shapes.dxf"))


def point_record(v):
    return f"{v.x!r} {v.y!r}"


def arc_record(ocs, center, radius, start_deg, end_deg):
    """An arc given in its own plane (counter-clockwise there) in drawing coordinates."""
    c = Vec3(center)
    mid = (start_deg + ((end_deg - start_deg) % 360) / 2) % 360
    points = [ocs.to_wcs(c + Vec3.from_deg_angle(a, radius)) for a in (start_deg, end_deg, mid)]
    return "ARC {} {!r} {} {} {}".format(point_record(ocs.to_wcs(c)), radius, *map(point_record, points))


def segment_records(ocs, vertices):
    """One record per segment of a closed polyline given as (x, y, bulge) in its own plane."""
    records = []
    for (x1, y1, b), (x2, y2, _) in zip(vertices, vertices[1:] + vertices[:1]):
        if b == 0:
            records.append(f"LINE {point_record(ocs.to_wcs(Vec3(x1, y1)))} {point_record(ocs.to_wcs(Vec3(x2, y2)))}")
        else:
            center, start, end, radius = bulge_to_arc((x1, y1), (x2, y2), b)
            records.append(arc_record(ocs, center, radius, math.degrees(start), math.degrees(end)))
    return records


def write_mirrored(version):
    doc = ezdxf.new(version, units=MILLIMETRES)
    msp = doc.modelspace()
    ocs = OCS(BEHIND)
    records = []
    for center, r, a0, a1 in (((10, 5), 4, 30, 100), ((-30, 0), 6, 300, 60)):
        arc = msp.add_arc(center, r, a0, a1, dxfattribs={"extrusion": BEHIND})
        records.append(arc_record(ocs, arc.dxf.center, arc.dxf.radius, arc.dxf.start_angle, arc.dxf.end_angle))
    # ezdxf's own view of the end points must agree with the records just written.
    assert msp[0].start_point.isclose(ocs.to_wcs(Vec3(10, 5) + Vec3.from_deg_angle(30, 4)))
    circle = msp.add_circle((-20, 5), 2, dxfattribs={"extrusion": BEHIND})
    records.append("CIRCLE {} {!r}".format(point_record(ocs.to_wcs(circle.dxf.center)), circle.dxf.radius))
    vertices = [(0, 0, 0), (40, 0, 1), (40, 20, 0), (0, 20, -0.5)]
    if version == "R12":
        msp.add_polyline2d(vertices, format="xyb", close=True, dxfattribs={"extrusion": BEHIND})
    else:
        poly = msp.add_lwpolyline(vertices, format="xyb", close=True, dxfattribs={"extrusion": BEHIND})
        expected = [Vec3(x, y) for x, y in ((0, 0), (-40, 0), (-40, 20), (0, 20))]
        assert all(a.isclose(b) for a, b in zip(poly.vertices_in_wcs(), expected))
    records += segment_records(ocs, vertices)
    name = version.lower() + "_mirrored"
    doc.saveas(os.path.join(HERE, name + ".dxf"))
    with open(os.path.join(HERE, name + ".txt"), "w", newline="\n") as out:
        out.write("\n".join(records) + "\n")


if __name__ == "__main__":
    for version in ("R12", "R2018"):
        write_shapes(version)
        write_mirrored(version)
