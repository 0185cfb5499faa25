#!/usr/bin/env python3
"""The DXF export of gyrenda-cli read back by an independent reader, ezdxf.

Usage: dxf_export_test.py GYRENDA_CLI

The default design with the six-bar at いぬ is exported as DXF and as a numeric data file in
one run. The DXF must pass ezdxf's audit without errors, hold every layer in millimetres, and
its four-bar output path must be the data file's points, digit for digit; each six-bar point
must sit where the six-bar's geometry puts it from one of those points. Exits 77 (skipped)
where ezdxf is not installed.
"""
import math
import os
import struct
import subprocess
import sys
import tempfile

try:
    import ezdxf
except ImportError:
    print("python3-ezdxf is not installed: skipped")
    sys.exit(77)

LAYERS = ["CRANK", "LEVER", "SLIDE", "PATH4_AXIS", "PATH4_OUTPUT", "PATH6_AXIS", "PATH6_OUTPUT"]
QUADRANT_COLOURS = [4, 1, 6, 2, 7]  # cyan, red, magenta, yellow, white: 0°, 90°, … 360°
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def single(value):
    return struct.unpack("f", struct.pack("f", value))[0]


def file_number(value):
    """A value as the numeric data file writes it: 7 significant digits, no 0 before '.'."""
    text = "%.7G" % single(value)
    if text == "-0":
        text = "0"
    return text.replace("0.", ".", 1) if text.lstrip("-").startswith("0.") else text


def path_points(msp, layer):
    """A layer's polylines read as one path: each after the first starts where the one before
    ended, in another colour from the crank's quadrants."""
    points, colours = [], []
    for line in msp.query('LWPOLYLINE[layer=="%s"]' % layer):
        vertices = [(x, y) for x, y in line.get_points("xy")]
        if points:
            check(vertices[0] == points[-1], layer + ": a polyline starts where the last ended")
            vertices = vertices[1:]
        check(not colours or line.dxf.color != colours[-1], layer + ": a new colour per polyline")
        colours.append(line.dxf.color)
        points += vertices
    check(colours == [c for c in QUADRANT_COLOURS if c in colours], layer + ": quadrant order")
    return points


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        dxf, gyr = os.path.join(folder, "design.dxf"), os.path.join(folder, "design.GYR")
        subprocess.run([cli, "--six", "--speed", "inu", "--dxf", dxf, "--gyr", gyr], check=True)
        doc = ezdxf.readfile(dxf)
        with open(gyr, encoding="ascii", newline="") as f:
            rows = [line.split(",") for line in f.read().split("\r\n")[2:] if line]

    auditor = doc.audit()
    check(not auditor.has_errors, "audit errors: %s" % [e.message for e in auditor.errors])
    check(doc.header.get("$INSUNITS") == 4, "$INSUNITS is millimetres")
    check(all(name in doc.layers for name in LAYERS), "every layer")
    msp = doc.modelspace()

    crank = msp.query('CIRCLE[layer=="CRANK"]')
    check(len(crank) == 1 and crank[0].dxf.radius == 18 and tuple(crank[0].dxf.center) == (0, 0, 0),
          "crank circle of radius 18 about the origin")
    lever = msp.query('ARC[layer=="LEVER"]')
    check(len(lever) == 1 and tuple(lever[0].dxf.center) == (31, 0, 0) and lever[0].dxf.radius == 36
          and (lever[0].dxf.start_angle, lever[0].dxf.end_angle) == (0, 180),
          "lever half-circle of radius 36 about (31, 0)")
    pivots = sorted(tuple(p.dxf.location) for p in msp.query("POINT"))
    check(pivots == [(0, 0, 0), (31, 0, 0)], "the two pivots")
    slide = msp.query('LINE[layer=="SLIDE"]')
    check(len(slide) == 1 and (tuple(slide[0].dxf.start), tuple(slide[0].dxf.end))
          == ((20, 55, 0), (150, 55, 0)), "slide line")

    found = [(x, y.strip()) for _, x, y in rows if (x, y.strip()) != ("0", "0")]
    output = path_points(msp, "PATH4_OUTPUT")
    check(len(output) == 241 and len(found) == 241, "241 output points: %d, %d"
          % (len(output), len(found)))
    check([(file_number(x), file_number(y)) for x, y in output] == found,
          "the output path is the data file's, digit for digit")
    check(path_points(msp, "PATH4_AXIS") == output, "with no offset across, axis = output")

    # The six-bar (link 50, output 100 along and 30 across it) from some of those points, in
    # crank order: the axis point 100 from P, the output point 30 across from it, and the
    # slider, halfway between P and the axis point, on the slide line y = 55 (to a pixel).
    axis, out = path_points(msp, "PATH6_AXIS"), path_points(msp, "PATH6_OUTPUT")
    check(len(axis) == len(out) and len(axis) > 200,
          "six-bar paths: %d, %d" % (len(axis), len(out)))
    p = iter(output)
    for (ax, ay), (ox, oy) in zip(axis, out):
        matched = any(abs(math.hypot(ax - px, ay - py) - 100) < 1e-3
                      and abs(math.hypot(ox - ax, oy - ay) - 30) < 1e-3
                      and abs((py + ay) / 2 - 55) < 0.5 for px, py in p)
        check(matched, "six-bar point (%g, %g) comes from a four-bar point" % (ax, ay))

    for failure in failures:
        print("FAILED:", failure)
    if not failures:
        print("the DXF reads back as the run's drawing")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
