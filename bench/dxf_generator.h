#pragma once

#include <cstdint>
#include <string>

namespace quorvex::bench {

// Synthetic drawings for the benchmarks, written by our own code from fixed seeds: the same
// parameters give the same bytes on every machine. Each writes a complete ASCII DXF file
// (header, layer table, blocks, entities, objects) with CR LF line ends, streaming it to `path`,
// and throws std::runtime_error when the file cannot be written.
//
// Coordinates are realistic for a national grid: X 26xxxxx, Y 12xxxxx, elevations of a few
// hundred metres.

/// A survey drawing in the R2000 layout (handles, owners, subclass markers): `points` POINT
/// entities along measured strings on 15 layers, and a TEXT label for every tenth point on 5
/// more layers. Coordinates in millimetres.
void WriteSurveyDrawing(const std::string& path, std::int64_t points);

/// A drawing of about `target_bytes` in the R2010 layout mixing LINE, LWPOLYLINE, 2D and 3D
/// POLYLINE with elevations, CIRCLE, ARC, ELLIPSE, INSERT of four blocks (some with ATTRIBs),
/// SPLINE with control and fit points, 3DFACE and long MTEXT. One entity in ten of the kinds that
/// have an object coordinate system is extruded along (0, 0, -1). Coordinates carry the 16
/// significant digits of computed geometry.
void WriteMixedDrawing(const std::string& path, std::uint64_t target_bytes);

/// A drawing of about `target_bytes` in the R12 layout (no subclass markers): mostly 2D contour
/// polylines at their elevation and 3D break lines, both as POLYLINE / VERTEX / SEQEND, with
/// spot heights as POINT and TEXT.
void WriteContourDrawing(const std::string& path, std::uint64_t target_bytes);

}  // namespace quorvex::bench
