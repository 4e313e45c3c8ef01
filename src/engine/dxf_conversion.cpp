#include "dxf_conversion.h"

#include <charconv>
#include <cmath>

#include "blocks/block_content.h"
#include "format_coordinate.h"
#include "mtext_plain.h"
#include "number_text.h"
#include "quoted_field.h"
#include "report_words.h"
#include "text_util.h"

namespace quorvex {
namespace {

// The longest text of a counter: a 64-bit integer with its sign.
constexpr std::size_t kIntegerRoom = 20;
// The longest line end, CR LF.
constexpr std::size_t kLineEndRoom = 2;

// A data line is written through a pointer into room added to the end of the buffer, which is
// cut back to what was written: no check of the string's size at every piece of the line.
char* Grow(std::string& out, std::size_t room) {
  const std::size_t size = out.size();
  out.resize(size + room);
  return out.data() + size;
}

// Prefixes and separators are a few characters or none: a loop costs less than a call.
char* Copy(std::string_view text, char* at) {
  for (const char c : text)
    *at++ = c;
  return at;
}

}  // namespace

DxfConversion::DxfConversion(const TExportConfig& config, const RunTables& tables,
                             const DxfLines& lines, DataFile& data_file, const DataFormat& format,
                             std::span<const AttributeColumn> attributes)
    : Config(config),
      Tables(tables),
      Lines(lines),
      Cursor(lines.Begin()),
      data_file_(data_file),
      format_(format),
      plain_format_(format.Plain()),
      attributes_(attributes),
      attribute_values_(attributes.size()) {
  auto value = [&](int node) { return Trimmed(config.FieldValues[node].View()); };
  for (const std::int32_t node : tables.FieldOrder) {
    if (!IsRunField(node, attributes.size())) continue;
    if (IsAttributeNode(node)) {
      fields_.push_back({node, attributes[AttributeColumnOf(node)].prefix});
      reads_attributes_ = true;
    } else {
      fields_.push_back({node, config.FieldValues[node + 1].View()});
    }
  }
  separator_ = config.SeparatorText.View();
  x_decimals_ = {value(field_node::kXDecimals), ParseInt32(value(field_node::kXDecimals))};
  y_decimals_ = {value(field_node::kYDecimals), ParseInt32(value(field_node::kYDecimals))};
  z_decimals_ = {value(field_node::kZDecimals), ParseInt32(value(field_node::kZDecimals))};
  force_z_ = value(field_node::kZForceTo);
  for (const OutputField& field : fields_) {
    writes_x_ = writes_x_ || field.node == field_node::kX;
    writes_y_ = writes_y_ || field.node == field_node::kY;
    writes_z_ = writes_z_ || (field.node == field_node::kZ && force_z_.empty());
  }
  // Texts of the drawing have no room of their own: they are appended to the buffer.
  auto value_room = [&](int node) -> std::size_t {
    switch (node) {
      case field_node::kLineNumber:
      case field_node::kSequentialNumber:
      case field_node::kGroupNumber:
        return kIntegerRoom;
      case field_node::kX:
        return CoordinateRoom(x_decimals_.value.value_or(0));
      case field_node::kY:
        return CoordinateRoom(y_decimals_.value.value_or(0));
      case field_node::kZ:
        return CoordinateRoom(z_decimals_.value.value_or(0));
      case field_node::kLabel:
        return config.FieldValues[field_node::kLabelText].View().size();
      default:
        return 0;
    }
  };
  line_room_ = kLineEndRoom;
  for (auto field = fields_.rbegin(); field != fields_.rend(); ++field) {
    field->room_after = line_room_ + separator_.size();
    line_room_ = field->room_after + field->prefix.size() + value_room(field->node);
  }
}

bool DxfConversion::BlockPasses(std::string_view block_name) {
  if (!block_filter_) block_filter_ = std::make_unique<BlockNameFilter>(BlockFilterText);
  return block_filter_->Passes(block_name);
}

bool DxfConversion::EntityLayerPasses() {
  return LayerFilterText.empty() || LayerPasses(EntityLayer());
}

std::string_view DxfConversion::EntityLayer() const {
  for (DxfCursor probe = Cursor; !Lines.AtEnd(probe);) {
    const std::string_view code = Trimmed(Lines.Take(probe));
    if (code.size() == 1 && code[0] == '0') break;
    if (Lines.AtEnd(probe)) break;
    const std::string_view value = Lines.Take(probe);
    // The first group 8 decides: an entity has one, and reading on to the end of the entity
    // would read it twice (survey drawing: 25% slower with a filter, December 2026).
    if (code == "8" || (code.size() > 1 && ParseInt32(code) == 8)) return Trimmed(value);
  }
  return "!NoLayer!";
}

bool DxfConversion::LayerPasses(std::string_view layer) {
  if (LayerFilterText.empty()) return true;
  if (layer == last_layer_) return last_layer_passes_;
  if (!layer_filter_) layer_filter_ = std::make_unique<BlockNameFilter>(LayerFilterText);
  last_layer_.assign(layer);
  last_layer_passes_ = layer_filter_->Passes(texts_.Decode(layer, decoded_layer_).text);
  return last_layer_passes_;
}

std::string DxfConversion::PlainText(std::string_view decoded_text) {
  if (decoded_text.find("%%") == std::string_view::npos) return std::string(decoded_text);
  if (!percent_codes_)
    percent_codes_ = std::make_unique<CodePageCharacters>(texts_.Encoding().percent_codes);
  return PlainTextCodes(decoded_text, *percent_codes_);
}

void DxfConversion::TallyBlock(DecodedText block_name) {
  tally_key_.assign(block_name.text);
  for (char& c : tally_key_)
    c = AsciiUpper(c);
  const auto [entry, added] = tally_index_.try_emplace(tally_key_, BlockTallyNames.size());
  if (!added) {
    ++BlockTallyCounts[entry->second];
    return;
  }
  BlockTallyNames.emplace_back(block_name.text);
  BlockTallyCounts.push_back(1);
  // The report writes the name once.
  undecoded_ += static_cast<std::int64_t>(block_name.replaced);
}

void DxfConversion::TakeAttribute(std::string_view tag, std::string_view text, bool multiline) {
  const std::string_view decoded = texts_.Decode(tag, decoded_tag_).text;
  for (std::size_t column = 0; column < attributes_.size(); ++column) {
    AttributeValue& value = attribute_values_[column];
    if (value.taken || !SameTag(decoded, attributes_[column].tag)) continue;
    value.text.assign(text);
    value.taken = true;
    value.multiline = multiline;
  }
}

void DxfConversion::ClearAttributes() {
  for (AttributeValue& value : attribute_values_) {
    value.text.clear();
    value.taken = false;
    value.multiline = false;
  }
}

void DxfConversion::FailSeqendMissing() const {
  throw Failure{Failure::Kind::kSeqendMissing, {}, QuotedText(Value()), value_line_};
}

void DxfConversion::CountEntity(int kind) {
  if (Recorder) {
    Recorder->Count(kind);
    return;
  }
  ++EntityCounts[kind];
  ++GroupCounter;
  ++TotalEntityCount;
  if (Sink) Sink->EntityCounted(kind);
}

bool DxfConversion::NextGroup() {
  DxfCursor probe = Cursor;
  std::optional<std::int32_t> code = Lines.TakePlainGroupCode(probe, GroupCode);
  if (!code) {
    if (Lines.AtEnd(probe)) {
      throw Failure{Failure::Kind::kEndsInsideEntity, {}, {}, Lines.Count() + 1};
    }
    GroupCode = Trimmed(Lines.Take(probe));
    code = ParseInt32(GroupCode);
  }
  if (GroupCode.size() == 1 && GroupCode[0] == '0') return false;
  if (Lines.AtEnd(probe)) {
    throw Failure{Failure::Kind::kEndsInsideEntity, {}, {}, Lines.Count() + 1};
  }
  GroupValue = Trimmed(Lines.Take(probe));
  if (!code) {
    throw Failure{Failure::Kind::kGroupCodeNotInteger,
                  {},
                  QuotedText({GroupCode, Cursor.line + 1}),
                  Cursor.line + 1};
  }
  GroupCodeNumber = *code;
  value_line_ = probe.line;
  Cursor = probe;
  return true;
}

std::string_view DxfConversion::NextEntityName() {
  DxfCursor probe = Cursor;
  Lines.Take(probe);  // the "0" line, already in GroupCode
  if (Lines.AtEnd(probe)) {
    throw Failure{Failure::Kind::kEndsInsideEntity, {}, {}, Lines.Count() + 1};
  }
  GroupValue = Trimmed(Lines.Take(probe));
  GroupCodeNumber = 0;
  value_line_ = probe.line;
  Cursor = probe;
  return GroupValue;
}

void DxfConversion::FailNotNumber(SourcedText text) const {
  throw Failure{Failure::Kind::kValueNotNumber,
                {},
                QuotedText(text),
                text.line != 0 ? text.line : CursorLine()};
}

double DxfConversion::Number(SourcedText text) const {
  const std::optional<double> value = ParseDouble(text.text);
  if (!value) FailNotNumber(text);
  return *value;
}

double DxfConversion::Number(SourcedText text, std::optional<ShortDecimal>& decimal) const {
  const std::optional<double> value = ParseDouble(text.text, decimal);
  if (!value) FailNotNumber(text);
  if (decimal && !IsOwnComputedDecimal(*decimal)) decimal.reset();
  return *value;
}

long double DxfConversion::ExtendedNumber(SourcedText text) const {
  const std::optional<long double> value = ParseLongDouble(text.text);
  if (!value) FailNotNumber(text);
  return *value;
}

void DxfConversion::ThrowAt(Failure::Kind kind, std::string_view text, std::int64_t line,
                            std::size_t line_start) {
  // The data file keeps whole lines only.
  data_file_.buffer().resize(line_start);
  undecoded_ = line_start_undecoded_;
  throw Failure{kind, {}, QuotedText({text, line}), line != 0 ? line : CursorLine()};
}

std::string DxfConversion::QuotedText(SourcedText text) const {
  // Texts of no line are the configuration's (UTF-8 already) or the reader's own.
  if (text.line == 0) return std::string(text.text);
  std::string quoted;
  if (texts_.Append(text.text, quoted) != 0) {
    // The report quotes the start of a long text only: what it leaves out is not written.
    undecoded_ += static_cast<std::int64_t>(texts_.ReplacedWithin(QuotedExcerptSize(quoted)));
  }
  return quoted;
}

char* DxfConversion::WriteCoordinateField(const LineCoordinate& coordinate,
                                          const Decimals& decimals, char* at,
                                          std::size_t line_start) {
  const SourcedText& text = coordinate.text;
  // The number is read before its decimals, so a bad coordinate is named first.
  if (!decimals.value) {
    if (!coordinate.computed && !IsDecimalText(text.text)) {
      ThrowAt(Failure::Kind::kValueNotNumber, text.text, text.line, line_start);
    }
    ThrowAt(Failure::Kind::kValueNotNumber, decimals.text, 0, line_start);
  }
  if (coordinate.computed) return WriteRoundedDecimal(coordinate.decimal, *decimals.value, at);
  char* const end = WriteCoordinate(text.text, *decimals.value, at);
  if (!end) ThrowAt(Failure::Kind::kValueNotNumber, text.text, text.line, line_start);
  return end;
}

void DxfConversion::WriteDataLine(SourcedText x, SourcedText y, SourcedText z,
                                  std::string_view handle, std::string_view layer,
                                  std::string_view entity_type, std::string_view block_name,
                                  std::string_view text_string) {
  if (Recorder) {
    Recorder->AddTextPoint(*this, x, y, z, handle, layer, entity_type, text_string);
    return;
  }
  const LineCoordinate coordinates[3] = {{x, {}, false}, {y, {}, false}, {z, {}, false}};
  if (Sink) {
    sink_x_ = ParseDouble(x.text).value_or(std::nan(""));
    sink_y_ = ParseDouble(y.text).value_or(std::nan(""));
  }
  WriteLine(coordinates, handle, layer, entity_type, block_name, text_string);
}

void DxfConversion::WriteLine(const LineCoordinate (&coordinates)[3], std::string_view handle,
                              std::string_view layer, std::string_view entity_type,
                              std::string_view block_name, std::string_view text_string) {
  std::string& out = data_file_.buffer();
  const std::size_t line_start = out.size();
  line_start_undecoded_ = undecoded_;
  char* at = Grow(out, line_room_ + entity_type.size());
  // Goes on with the line through the string, for what has no room of its own.
  const auto settle = [&] { out.resize(static_cast<std::size_t>(at - out.data())); };
  for (const OutputField& field : fields_) {
    const auto field_start = static_cast<std::size_t>(at - out.data());
    at = Copy(field.prefix, at);
    const auto value_start = static_cast<std::size_t>(at - out.data());
    const auto append_text = [&](std::string_view text) {
      settle();
      AppendText(text, out);
      at = Grow(out, field.room_after + entity_type.size());
    };
    switch (field.node) {
      case field_node::kLineNumber:
        at = std::to_chars(at, at + kIntegerRoom, LineCounter++).ptr;
        break;
      case field_node::kX:
        at = WriteCoordinateField(coordinates[0], x_decimals_, at, line_start);
        break;
      case field_node::kY:
        at = WriteCoordinateField(coordinates[1], y_decimals_, at, line_start);
        break;
      case field_node::kZ:
        at = force_z_.empty()
                 ? WriteCoordinateField(coordinates[2], z_decimals_, at, line_start)
                 : WriteCoordinateField({{force_z_, 0}, {}, false}, z_decimals_, at, line_start);
        break;
      case field_node::kEntityType:
        at = Copy(entity_type, at);
        break;
      case field_node::kLayer:
        append_text(layer);
        break;
      case field_node::kHandle:
        append_text(handle);
        break;
      case field_node::kBlockName:
        append_text(block_name);
        break;
      case field_node::kTextString:
        append_text(text_string);
        break;
      case field_node::kLabel:
        at = Copy(Config.FieldValues[field_node::kLabelText].View(), at);
        break;
      case field_node::kSequentialNumber:
        at = std::to_chars(at, at + kIntegerRoom, SequenceCounter++).ptr;
        break;
      case field_node::kGroupNumber:
        at = std::to_chars(at, at + kIntegerRoom, GroupCounter).ptr;
        break;
      default:
        if (IsAttributeNode(field.node))
          append_text(attribute_values_[AttributeColumnOf(field.node)].text);
        break;
    }
    if (!plain_format_) {
      TextKind text_kind = TextKind::kNone;
      if (field.node == field_node::kTextString) {
        if (entity_type == "MTEXT") text_kind = TextKind::kMultiline;
        if (entity_type == "TEXT") text_kind = TextKind::kSingleLine;
      } else if (IsAttributeNode(field.node)) {
        text_kind = attribute_values_[AttributeColumnOf(field.node)].multiline
                        ? TextKind::kMultiline
                        : TextKind::kSingleLine;
      }
      settle();
      Reformat(field.node, field_start, value_start, text_kind);
      at = Grow(out, field.room_after + entity_type.size());
    }
    at = Copy(separator_, at);
  }
  if (!fields_.empty()) at -= separator_.size();
  at = Copy(data_file_.LineEnd(), at);
  settle();
  if (Sink) Sink->PointWritten(sink_x_, sink_y_, std::string_view(out).substr(line_start));
  data_file_.LineEnded();
}

void DxfConversion::Reformat(int node, std::size_t field_start, std::size_t value_start,
                             TextKind text_kind) {
  std::string& out = data_file_.buffer();
  const bool coordinate =
      node == field_node::kX || node == field_node::kY || node == field_node::kZ;
  if (format_.decimal_comma && coordinate) {
    for (std::size_t i = value_start; i < out.size(); ++i)
      if (out[i] == '.') out[i] = ',';
  }
  if (text_kind != TextKind::kNone) {
    const std::string_view value = std::string_view(out).substr(value_start);
    bool plain = true;
    if ((format_.mtext_plain || format_.text_plain) && text_kind == TextKind::kMultiline) {
      reformatted_ = PlainMText(value);
    } else if (format_.text_plain && text_kind == TextKind::kSingleLine) {
      reformatted_ = PlainText(value);
    } else {
      plain = false;
    }
    if (plain) {
      out.resize(value_start);
      out.append(reformatted_);
    }
  }
  if (format_.quote && NeedsQuotes(std::string_view(out).substr(field_start), separator_)) {
    reformatted_.assign(out, field_start);
    out.resize(field_start);
    AppendQuoted(out, reformatted_);
  }
}

void DxfConversion::WriteComputedPoint(const TVecteur& point, std::string_view handle,
                                       std::string_view layer, std::string_view entity_type,
                                       std::string_view block_name, std::string_view text_string) {
  WritePoint(point, {}, handle, layer, entity_type, block_name, text_string);
}

void DxfConversion::WriteReadPoint(const TVecteur& point, const ReadDecimals& decimals,
                                   std::string_view handle, std::string_view layer,
                                   std::string_view entity_type) {
  WritePoint(point, decimals, handle, layer, entity_type, {}, {});
}

void DxfConversion::WritePoint(const TVecteur& point, const ReadDecimals& decimals,
                               std::string_view handle, std::string_view layer,
                               std::string_view entity_type, std::string_view block_name,
                               std::string_view text_string) {
  if (Recorder) {
    Recorder->AddPoint(point, handle, layer, entity_type, text_string);
    return;
  }
  const auto coordinate = [&](double value, const std::optional<ShortDecimal>& decimal,
                              bool written) {
    if (written && !std::isfinite(value)) {
      throw Failure{Failure::Kind::kCoordinateOutOfRange, {}, {}, EntityLine};
    }
    if (!written) return LineCoordinate{{}, {}, true};
    return LineCoordinate{{}, decimal ? *decimal : ComputedCoordinateDecimal(value), true};
  };
  const LineCoordinate coordinates[3] = {coordinate(point.X, decimals.x, writes_x_),
                                         coordinate(point.Y, decimals.y, writes_y_),
                                         coordinate(point.Z, decimals.z, writes_z_)};
  sink_x_ = point.X;
  sink_y_ = point.Y;
  WriteLine(coordinates, handle, layer, entity_type, block_name, text_string);
}

}  // namespace quorvex
