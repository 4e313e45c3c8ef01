#pragma once

namespace quorvex {

class DxfConversion;

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

}  // namespace quorvex
