#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "short_string.h"

namespace quorvex {

inline constexpr int kEntityNodeCount = 25;
inline constexpr int kFieldNodeCount = 32;
inline constexpr int kEntityKindCount = 12;
inline constexpr int kDataFieldCount = 12;

/// Entity node indexes (positions in the entity tree, options included).
namespace entity_node {
inline constexpr int kPoints = 0, kCircles = 1, kArcs = 2, kArcStart = 3, kArcEnd = 4,
                     kArcCenter = 5, kEllipses = 6, kLines = 7, kLineStart = 8, kLineEnd = 9,
                     kMText = 10, kText = 11, kPolylines2D = 12, kPolylines2DSplinePoints = 13,
                     kPolylines3D = 14, kPolylines3DSplinePoints = 15, kSplines = 16,
                     kSplineControlPoints = 17, kSplineFitPoints = 18, kFaces = 19, kFaceFirst = 20,
                     kFaceSecond = 21, kFaceThird = 22, kFaceFourth = 23, kBlocks = 24;
}

/// Field node indexes of the data fields; for a field at k, k+1 is its prefix, k+2 its option.
namespace field_node {
inline constexpr int kLineNumber = 0, kLineNumberStart = 2, kX = 3, kXDecimals = 5, kY = 6,
                     kYDecimals = 8, kZ = 9, kZDecimals = 11, kZForceTo = 12, kEntityType = 13,
                     kLayer = 15, kHandle = 17, kBlockName = 19, kTextString = 21, kLabel = 23,
                     kLabelText = 25, kSequentialNumber = 26, kSequentialStart = 28,
                     kGroupNumber = 29, kGroupStart = 31;
}

/// Entity kind indexes (the 12 top-level entity nodes), which address the counters.
namespace entity_kind {
inline constexpr int kPoints = 0, kCircles = 1, kArcs = 2, kEllipses = 3, kLines = 4, kMText = 5,
                     kText = 6, kPolylines2D = 7, kPolylines3D = 8, kSplines = 9, kFaces = 10,
                     kBlocks = 11;
}

inline constexpr std::array<int, kDataFieldCount> kDataFieldNodes = {0,  3,  6,  9,  13, 15,
                                                                     17, 19, 21, 23, 26, 29};
inline constexpr std::array<int, kEntityKindCount> kEntityKindNodes = {0,  1,  2,  6,  7,  10,
                                                                       11, 12, 14, 16, 19, 24};
extern const std::array<std::string_view, kEntityKindCount> EntityKindNames;

/// The place of the data field `field_node` among kDataFieldNodes (its row in the table of the
/// data fields), or kDataFieldCount for any other index.
constexpr std::size_t DataFieldPlace(int field_node) {
  std::size_t place = 0;
  while (place < kDataFieldNodes.size() && kDataFieldNodes[place] != field_node)
    ++place;
  return place;
}

/// The export configuration. Every text is a short string whose bytes beyond the current length
/// are kept, so two records compare equal only when their whole storage is equal.
struct TExportConfig {
  ShortString<6> Signature;
  ShortString<10> DataFileExtension;
  std::uint8_t IncludeHeader = 0;
  std::int32_t SeparatorIndex = 0;
  ShortString<255> BlockNames;
  ShortString<255> SeparatorText;
  std::array<std::uint8_t, kEntityNodeCount> EntityChecks{};
  std::array<std::uint8_t, kFieldNodeCount> FieldChecks{};
  std::array<ShortString<255>, kFieldNodeCount> FieldValues{};

  friend bool operator==(const TExportConfig&, const TExportConfig&) = default;
};

/// True when the two records are identical over their complete storage.
inline bool SameConfig(const TExportConfig& a, const TExportConfig& b) {
  return a == b;
}

/// The separator a run writes for the separator choice `index`: the fixed text of the first five
/// choices, otherwise `other_text` (the "Other" box as typed, blanks and all).
std::string_view ResolvedSeparator(std::int32_t index, std::string_view other_text);

/// What a run takes from the trees besides the record: the export order of the data fields and
/// the enabled entity kinds.
struct RunTables {
  /// One entry per top-level data node in display order: its field node index (the attribute
  /// columns' among them), or -1 unchecked.
  std::vector<std::int32_t> FieldOrder = std::vector<std::int32_t>(kDataFieldCount, -1);
  /// One entry per entity kind index: 1 when the kind is checked.
  std::array<std::uint8_t, kEntityKindCount> EntityEnabled{};

  friend bool operator==(const RunTables&, const RunTables&) = default;
};

}  // namespace quorvex
