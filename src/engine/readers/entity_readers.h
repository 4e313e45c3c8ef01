#pragma once

#include <string_view>

namespace quorvex {

class DxfConversion;
struct DecodedText;
struct TVecteur;

/// An entity reader: entered with the cursor on the line after the entity's "0" / name pair,
/// it reads the entity's pairs through DxfConversion::NextGroup, writes its data lines, counts
/// the entity, and returns with the cursor on the "0" line that ends it.
using EntityReader = void (*)(DxfConversion&);

// Points, circles, arcs, ellipses and lines. Circle and arc map their object coordinates to
// world coordinates; point, line and ellipse coordinates are world coordinates already.
void ReadPoint(DxfConversion& conversion);
void ReadCircle(DxfConversion& conversion);
void ReadArc(DxfConversion& conversion);
void ReadEllipse(DxfConversion& conversion);
void ReadLine(DxfConversion& conversion);
// Multiline text (insertion point as given) and single-line text (object point mapped).
void ReadMText(DxfConversion& conversion);
void ReadText(DxfConversion& conversion);
// Spline control and fit points, 3D face corners: passed on as the file spells them.
void ReadSpline(DxfConversion& conversion);
void Read3DFace(DxfConversion& conversion);
// Polylines and block inserts.
/// A LWPOLYLINE: one line per vertex, at the elevation read before it, in world coordinates.
void ReadLwPolyline(DxfConversion& conversion);
/// A POLYLINE with its VERTEX entities, exported as a 3D polyline, mesh or 2D polyline by its
/// flags and the checks. Handed every POLYLINE; returns after the pair 0 / "SEQEND".
void ReadPolyline(DxfConversion& conversion);
/// An INSERT: one line at its insertion point in world coordinates when its block name passes
/// the block-name filter, which also counts it in the file's block tally. When blocks are
/// expanded, it is read whether "Blocks" is checked or not, and the contents of its block follow
/// its line; inside a block definition it is kept for the expansion instead.
void ReadInsert(DxfConversion& conversion);

/// The data line of an insert whose block name passed the filter, at `point`, with `block_field`
/// in the block-name field; then the insert is counted and `name` tallied.
void WriteInsertLine(DxfConversion& conversion, const TVecteur& point, std::string_view handle,
                     std::string_view layer, std::string_view block_field, DecodedText name,
                     std::string_view text);

/// The reader of the entity `name` (the value after a "0" group, as the file spells it) when
/// the configuration selects it; null for an entity that is passed over.
EntityReader FindReader(const DxfConversion& conversion, std::string_view name);

}  // namespace quorvex
