#include "engine/blocks/block_content.h"

#include <algorithm>
#include <limits>

#include "engine/dxf_conversion.h"
#include "engine/number_text.h"

namespace quorvex {
namespace {

// A coordinate text as a number: the text's failure when it is not one, an infinity of its sign
// when it lies beyond the range of a double.
double Coordinate(const DxfConversion& conversion, SourcedText text) {
  if (!IsDecimalText(text.text)) conversion.FailNotNumber(text);
  if (const std::optional<double> value = ParseDouble(text.text)) return *value;
  const double infinity = std::numeric_limits<double>::infinity();
  return text.text.front() == '-' ? -infinity : infinity;
}

}  // namespace

std::int64_t BlockContent::Weight() const {
  std::int64_t weight = 0;
  for (const RecordedEntity& entity : entities)
    weight += std::max<std::int64_t>(1, static_cast<std::int64_t>(entity.line_count));
  return weight;
}

void BlockRecorder::BeginEntity(std::int64_t line, std::string_view layer) {
  RecordedEntity& entity = content_.entities.emplace_back();
  entity.line = line;
  entity.layer = layer;
  entity.first_line = content_.lines.size();
}

void BlockRecorder::EndEntity() {
  const RecordedEntity& last = entity();
  if (last.line_count == 0 && last.kind < 0 && last.insert < 0) content_.entities.pop_back();
}

void BlockRecorder::AddTextPoint(const DxfConversion& conversion, SourcedText x, SourcedText y,
                                 SourcedText z, std::string_view handle, std::string_view layer,
                                 std::string_view entity_type, std::string_view text) {
  TVecteur point;
  if (conversion.WritesCoordinates()) {
    point = {Coordinate(conversion, x), Coordinate(conversion, y), Coordinate(conversion, z)};
  }
  AddPoint(point, handle, layer, entity_type, text);
}

void BlockRecorder::AddPoint(const TVecteur& point, std::string_view handle, std::string_view layer,
                             std::string_view entity_type, std::string_view text) {
  content_.lines.push_back({point, handle, layer, entity_type, std::string(text)});
  ++entity().line_count;
}

void BlockRecorder::AddInsert(const RecordedInsert& insert) {
  entity().insert = static_cast<std::int32_t>(content_.inserts.size());
  content_.inserts.push_back(insert);
}

}  // namespace quorvex
