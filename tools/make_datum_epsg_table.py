#!/usr/bin/env python3
"""Builds the EPSG cross-reference of the built-in datum table from proj.db.

For each of the 271 datums of src/Orq_GeoBasics/DatumTable.cpp it finds, in
PROJ's copy of the EPSG dataset, the transformation to WGS 84 (EPSG:4326)
with the same parameters on the same ellipsoid, its source geodetic CRS and
the area it applies to. A datum without such a transformation gets the
geodetic CRS of the same name and ellipsoid, where there is one.

  make_datum_epsg_table.py [--db proj.db] [--check FILE] [-o FILE]

With --check the table is built and compared with FILE; the exit code is 1
when they differ (the checked-in table no longer follows from proj.db).
"""
import argparse
import difflib
import os
import re
import sqlite3
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
DATUM_SOURCE = os.path.join(ROOT, "src", "Orq_GeoBasics", "DatumTable.cpp")
ELLIPSOID_HEADER = os.path.join(ROOT, "include", "orqcarta", "Orq_GeoBasics.h")
DEFAULT_OUTPUT = os.path.join(HERE, "orqcarta", "DatumEpsgTable.inc")

# Units of rotation (to arc seconds) and scale (to ppm) used in proj.db.
ROTATION_TO_ARCSEC = {"9104": 1.0, "9109": 0.206264806247, "9101": 206264.806247, "9113": 0.324, "1031": 0.001}
SCALE_TO_PPM = {"9202": 1.0, "9201": 1e6, "1028": 0.001}
COORDINATE_FRAME = {"9607", "1032"}  # rotations of the opposite sign to ours
LENGTH_TO_METRES = {"9001": 1.0, "9031": 1.0000135965}  # metre, German legal metre

TRANSLATION_TOLERANCE = 0.5   # m: the table rounds some published values
ROTATION_TOLERANCE = 0.01     # arc seconds
SCALE_TOLERANCE = 0.1         # ppm
AXIS_TOLERANCE = 1.0          # m: the table maps DMA's Clarke 1880 to one ellipsoid


def read_ellipsoids():
    text = open(ELLIPSOID_HEADER, encoding="utf-8").read()
    axes = {}
    for a, b, name in re.findall(r"\{([0-9.]+), ([0-9.]+)\},\s*//\s*(gel\w+)", text):
        axes[name] = (float(a), float(b))
    return axes


def read_datums():
    text = open(DATUM_SOURCE, encoding="utf-8").read()
    body = text[text.index("GeoDatumData[GeoDatumCount] = {"):]
    body = body[:body.index("\n};")]
    hints = {}
    for number, note in re.findall(r"//\s*(\d+):\s*([^\n]*)", body):
        hints[int(number)] = note
    datums = []
    for m in re.finditer(r'\{"([^"]*)",\s*"([^"]*)",\s*(gel\w+),\s*([^}]*)\}', body):
        values = [float(v) for v in m.group(4).split(",")]
        number = len(datums) + 1
        hint = re.search(r"EPSG (\d+)", hints.get(number, ""))
        datums.append({"number": number, "name": m.group(1), "area": m.group(2), "ellipsoid": m.group(3),
                       "params": values, "hint": hint.group(1) if hint else None})
    if len(datums) != 271:
        sys.exit("expected 271 datums in %s, found %d" % (DATUM_SOURCE, len(datums)))
    return datums


def words(text):
    return {w for w in re.split(r"[^A-Z0-9]+", text.upper()) if w and w not in {"TO", "WGS", "84", "OF", "THE"}}


def overlap(a, b):
    a, b = words(a), words(b)
    return len(a & b) / len(a | b) if a and b else 0.0


def ellipsoid_axes(row):
    a, rf, b = row
    if b is None:
        b = a if not rf else a * (1 - 1 / rf)
    return a, b


def load(db):
    con = sqlite3.connect("file:%s?mode=ro" % db, uri=True)

    def q(sql):
        # Codes and units are integers in some tables and text in others.
        for row in con.execute(sql):
            yield tuple(str(v) if isinstance(v, int) else v for v in row)
    version = next(q("SELECT value FROM metadata WHERE key = 'EPSG.VERSION'"))[0]
    crs = {}
    for code, name, deprecated, a, rf, b, uom in q(
            "SELECT c.code, c.name, c.deprecated, e.semi_major_axis, e.inv_flattening, e.semi_minor_axis, e.uom_code "
            "FROM geodetic_crs c JOIN geodetic_datum d ON d.auth_name = c.datum_auth_name AND d.code = c.datum_code "
            "JOIN ellipsoid e ON e.auth_name = d.ellipsoid_auth_name AND e.code = d.ellipsoid_code "
            "WHERE c.auth_name = 'EPSG' AND c.type = 'geographic 2D'"):
        if uom not in LENGTH_TO_METRES:
            continue
        k = LENGTH_TO_METRES[uom]
        crs[code] = {"code": code, "name": name, "deprecated": deprecated == "1",
                     "axes": ellipsoid_axes((float(a) * k, float(rf) if rf is not None else None,
                                             float(b) * k if b is not None else None))}
    extents = {}
    for table, code, south, north, west, east, name in q(
            "SELECT u.object_table_name, u.object_code, e.south_lat, e.north_lat, e.west_lon, e.east_lon, e.name "
            "FROM usage u JOIN extent e ON e.auth_name = u.extent_auth_name AND e.code = u.extent_code "
            "WHERE u.object_auth_name = 'EPSG' ORDER BY u.object_code, e.code"):
        extents.setdefault((table, code), (south, north, west, east, name))
    transformations = []
    for row in q("SELECT code, name, method_code, source_crs_code, tx, ty, tz, rx, ry, rz, rotation_uom_code, "
                 "scale_difference, scale_difference_uom_code, deprecated FROM helmert_transformation "
                 "WHERE auth_name = 'EPSG' AND target_crs_auth_name = 'EPSG' AND target_crs_code = '4326' "
                 "AND source_crs_auth_name = 'EPSG' AND rate_tx IS NULL AND px IS NULL"):
        code, name, method, source, tx, ty, tz, rx, ry, rz, rot_uom, scale, scale_uom, deprecated = row
        if source not in crs:
            continue
        k = ROTATION_TO_ARCSEC.get(rot_uom, 1.0) if rot_uom else 1.0
        rot = [float(r or 0.0) * k for r in (rx, ry, rz)]
        if method in COORDINATE_FRAME:
            rot = [-r for r in rot]
        ppm = float(scale or 0.0) * SCALE_TO_PPM.get(scale_uom, 1.0) if scale_uom else 0.0
        transformations.append({"code": code, "name": name, "source": source, "deprecated": deprecated == "1",
                                "params": [float(tx), float(ty), float(tz), ppm] + rot})
    return version, crs, extents, transformations


def same_axes(axes, other):
    return abs(axes[0] - other[0]) <= AXIS_TOLERANCE and abs(axes[1] - other[1]) <= AXIS_TOLERANCE


def compare(ours, theirs):
    """'S' same parameters, 'R' same with the rotations' signs reversed, None otherwise."""
    if any(abs(a - b) > TRANSLATION_TOLERANCE for a, b in zip(ours[:3], theirs[:3])):
        return None
    if abs(ours[3] - theirs[3]) > SCALE_TOLERANCE:
        return None
    if all(abs(a - b) <= ROTATION_TOLERANCE for a, b in zip(ours[4:], theirs[4:])):
        return "S"
    if all(abs(a + b) <= ROTATION_TOLERANCE for a, b in zip(ours[4:], theirs[4:])):
        return "R"
    return None


def build(db):
    version, crs, extents, transformations = load(db)
    axes = read_ellipsoids()
    lines = []
    for d in read_datums():
        ell = axes[d["ellipsoid"]]
        label = "%s (%s)" % (d["name"], d["area"])
        best = None
        for t in transformations:
            kind = compare(d["params"], t["params"])
            if not kind or not same_axes(ell, crs[t["source"]]["axes"]):
                continue
            extent = extents.get(("helmert_transformation", t["code"]))
            area_name = extent[4] if extent else ""
            # The table's own source note first, then live records, then the
            # names of datum and area, then the lower code.
            name_score = overlap(d["name"], crs[t["source"]]["name"])
            score = (t["code"] == d["hint"], not t["deprecated"], kind == "S",
                     name_score + overlap(d["area"], area_name + " " + t["name"]), -int(t["code"]), name_score)
            if best is None or score > best[0]:
                best = (score, t, kind, extent)
        all_zero = not any(d["params"])
        if best and all_zero and not best[0][0] and best[0][5] == 0:
            best = None  # a zero shift matches every geocentric datum; the name must say which
        if d["number"] == 269:
            lines.append((d["number"], "4326", "0", "-", extents.get(("geodetic_crs", "4326")), label,
                          "WGS 84 itself"))
            continue
        if best:
            _, t, kind, extent = best
            lines.append((d["number"], t["source"], t["code"], kind, extent, label, t["name"]))
            continue
        # No transformation with these parameters: the CRS of the same name.
        candidates = [(overlap(d["name"], c["name"]), not c["deprecated"], -int(c["code"]), c)
                      for c in crs.values() if same_axes(ell, c["axes"])]
        candidates = [c for c in candidates if c[0] >= 0.5]
        if candidates:
            c = max(candidates, key=lambda x: x[:3])[3]
            lines.append((d["number"], c["code"], "0", "N", extents.get(("geodetic_crs", c["code"])), label,
                          c["name"] + " (no transformation with these parameters)"))
        else:
            lines.append((d["number"], "0", "0", "-", None, label, "no EPSG geodetic CRS found"))
    out = ["// The built-in datums in EPSG terms: geodetic CRS, transformation to WGS 84",
           "// with the same parameters, and the area it applies to. Generated by",
           "// tools/make_datum_epsg_table.py from proj.db (EPSG %s); do not edit." % version,
           "// Match: 'S' same parameters, 'R' same but rotations of the opposite sign,",
           "// 'N' no such transformation (CRS of the same name), '-' neither.",
           "// datum, CRS, transformation, match, south, north, west, east (degrees)"]
    for number, crs_code, t_code, kind, extent, label, note in lines:
        box = extent[:4] if extent else (0, 0, 0, 0)
        out.append("{%d, %s, %s, '%s', %s, %s, %s, %s},  // %s: %s" % (
            number, crs_code, t_code, kind, *[repr(float(v)) for v in box], label, note))
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--db", default="/usr/share/proj/proj.db")
    parser.add_argument("--check", metavar="FILE")
    parser.add_argument("-o", "--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()
    table = build(args.db)
    if args.check:
        current = open(args.check, encoding="utf-8").read()
        if current != table:
            sys.stdout.writelines(difflib.unified_diff(current.splitlines(True), table.splitlines(True),
                                                       args.check, "from " + args.db))
            return 1
        print("%s follows from %s" % (args.check, args.db))
        return 0
    with open(args.output, "w", encoding="utf-8") as f:
        f.write(table)
    return 0


if __name__ == "__main__":
    sys.exit(main())
