#!/usr/bin/env python3
"""Checks the expansion of blocks against an independent reading of the same drawings: for every
drawing of this folder, the data lines that quorvex-cli writes with --expand-blocks are compared
with those worked out by ezdxf (Debian's python3-ezdxf), whose insert transform (Insert.matrix44,
Insert.multi_insert) and object coordinate systems (OCS.to_wcs, Arc.start_point, ...) give the
points. The rules the expansion adds (layer "0" takes the layer of the insert placing it, the
path of block names, no repeat of a block inside itself, 32 levels) are applied here as they
are stated, not taken from the program.

Usage: ezdxf_oracle.py QUORVEX_CLI FOLDER
"""
import os
import subprocess
import sys
import tempfile

import ezdxf

KINDS = "points,lines,circles,arcs.start,arcs.end,arcs.center,text,polylines-2d,blocks"
FIELDS = "entity-type,layer,handle,block-name,x,y,z"
LEVELS = 32
TOLERANCE = 1.5e-9  # the data lines have 9 decimals


def entity_points(entity):
    """The points the program exports of an entity, in the coordinates it stands in."""
    kind = entity.dxftype()
    if kind == "POINT":
        return [entity.dxf.location]
    if kind == "LINE":
        return [entity.dxf.start, entity.dxf.end]
    if kind == "CIRCLE":
        return [entity.ocs().to_wcs(entity.dxf.center)]
    if kind == "ARC":
        return [entity.start_point, entity.end_point, entity.ocs().to_wcs(entity.dxf.center)]
    if kind == "TEXT":
        return [entity.ocs().to_wcs(entity.dxf.insert)]
    if kind == "LWPOLYLINE":
        return list(entity.vertices_in_wcs())
    if kind == "INSERT":
        return [entity.ocs().to_wcs(entity.dxf.insert)]
    return []


def expand(doc, entities, chain, path, placing_layer, open_blocks, rows):
    """Appends the rows of `entities`, placed by the insert matrices of `chain` (outermost
    first)."""
    for entity in entities:
        kind = entity.dxftype()
        layer = entity.dxf.layer
        if chain and layer == "0":
            layer = placing_layer
        block_field = path
        if kind == "INSERT":
            block_field = path + "/" + entity.dxf.name if path else entity.dxf.name
        for point in entity_points(entity):
            for matrix in reversed(chain):
                point = matrix.transform(point)
            rows.append((kind, layer, entity.dxf.handle, block_field, tuple(point)))
        if kind != "INSERT":
            continue
        name = entity.dxf.name
        block = doc.blocks.get(name)
        if block is None or name.upper() in open_blocks or len(chain) == LEVELS:
            continue
        for cell in entity.multi_insert():
            expand(doc, block, chain + [cell.matrix44()], block_field, layer,
                   open_blocks + [name.upper()], rows)


def expected_rows(path):
    doc = ezdxf.readfile(path)
    rows = []
    expand(doc, doc.modelspace(), [], "", "", [], rows)
    return rows


def program_rows(cli, path, folder):
    subprocess.run([cli, "-q", "--kinds", KINDS, "--fields", FIELDS, "--no-header", "--decimals",
                    "9", "--expand-blocks", "--log", os.path.join(folder, "report.txt"), "-o",
                    folder, path], check=True, capture_output=True)
    name = os.path.splitext(os.path.basename(path))[0] + ".txt"
    with open(os.path.join(folder, name), encoding="utf-8", newline="") as data:
        lines = data.read().split("\r\n")[:-1]
    rows = []
    for line in lines:
        kind, layer, handle, block_field, x, y, z = line.split(",")
        rows.append((kind, layer, handle, block_field, (float(x), float(y), float(z))))
    return rows


def same(ours, theirs):
    return ours[:4] == theirs[:4] and all(
        abs(a - b) <= TOLERANCE for a, b in zip(ours[4], theirs[4]))


def main():
    cli, folder = sys.argv[1], sys.argv[2]
    failures = 0
    drawings = sorted(f for f in os.listdir(folder) if f.endswith(".dxf"))
    if not drawings:
        sys.exit("no drawing in " + folder)
    with tempfile.TemporaryDirectory() as scratch:
        for drawing in drawings:
            path = os.path.join(folder, drawing)
            ours, theirs = program_rows(cli, path, scratch), expected_rows(path)
            if len(ours) != len(theirs) or not all(map(same, ours, theirs)):
                failures += 1
                print(f"{drawing}: the program wrote")
                for row in ours:
                    print("  ", row)
                print("ezdxf gives")
                for row in theirs:
                    print("  ", row)
            else:
                print(f"{drawing}: {len(ours)} lines agree")
    sys.exit(1 if failures else 0)


main()
