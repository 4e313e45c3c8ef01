#include "engine/dxf_conversion.h"
#include "engine/readers/entity_readers.h"

namespace quorvex {
namespace {

struct DispatchEntry {
  std::string_view name;
  int entity_node;  // -1: always handed to the reader
  EntityReader reader;
};

constexpr DispatchEntry kDispatch[] = {
    {"POINT", entity_node::kPoints, ReadPoint},
    {"CIRCLE", entity_node::kCircles, ReadCircle},
    {"ARC", entity_node::kArcs, ReadArc},
    {"ELLIPSE", entity_node::kEllipses, ReadEllipse},
    {"LINE", entity_node::kLines, ReadLine},
    {"MTEXT", entity_node::kMText, ReadMText},
    {"TEXT", entity_node::kText, ReadText},
    {"LWPOLYLINE", entity_node::kPolylines2D, ReadLwPolyline},
    {"POLYLINE", -1, ReadPolyline},
    {"SPLINE", entity_node::kSplines, ReadSpline},
    {"3DFACE", entity_node::kFaces, Read3DFace},
    {"INSERT", entity_node::kBlocks, ReadInsert},
};

}  // namespace

EntityReader FindReader(const DxfConversion& conversion, std::string_view name) {
  for (const DispatchEntry& entry : kDispatch) {
    if (entry.name != name) continue;
    // Inserts are read for the contents of their blocks too, whether or not their own lines
    // are written.
    const bool handed = entry.entity_node < 0 || conversion.EntityChecked(entry.entity_node) ||
                        (entry.reader == ReadInsert && conversion.Expansion != nullptr);
    return handed ? entry.reader : nullptr;
  }
  return nullptr;
}

}  // namespace quorvex
