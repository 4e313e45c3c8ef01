#include "field_captions.h"

namespace quorvex {

const std::array<std::string_view, kFieldNodeCount> FieldCaptions = {"Line Number",
                                                                     "Prefix :",
                                                                     "Start at :",
                                                                     "X (East) coordinate",
                                                                     "Prefix :",
                                                                     "Decimals :",
                                                                     "Y (North) coordinate",
                                                                     "Prefix :",
                                                                     "Decimals :",
                                                                     "Z (Elevation) coordinate",
                                                                     "Prefix :",
                                                                     "Decimals :",
                                                                     "Force to :",
                                                                     "Entity Type",
                                                                     "Prefix :",
                                                                     "Entity Layer",
                                                                     "Prefix :",
                                                                     "Entity Handle",
                                                                     "Prefix :",
                                                                     "Block Name",
                                                                     "Prefix :",
                                                                     "Text String",
                                                                     "Prefix :",
                                                                     "Label",
                                                                     "Prefix :",
                                                                     "Label :",
                                                                     "Sequential Number",
                                                                     "Prefix :",
                                                                     "Start at :",
                                                                     "Group Number",
                                                                     "Prefix :",
                                                                     "Start at :"};

std::string BuildHeaderLine(const RunTables& tables, std::string_view separator) {
  std::string line;
  bool first = true;
  for (const std::int32_t k : tables.FieldOrder) {
    if (k < 0 || k >= kFieldNodeCount) continue;
    if (!first) line.append(separator);
    line.append(FieldCaptions[static_cast<std::size_t>(k)]);
    first = false;
  }
  return line;
}

}  // namespace quorvex
