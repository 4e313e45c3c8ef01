#include "dxf_conversion.h"

#include <charconv>
#include <cmath>

#include "format_coordinate.h"
#include "mtext_plain.h"
#include "number_text.h"
#include "quoted_field.h"
#include "report_words.h"
#include "text_util.h"

namespace quorvex {
namespace {

void AppendInteger(std::int64_t value, std::string& out) {
  char buffer[24];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, end);
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
}

bool DxfConversion::BlockPasses(std::string_view block_name) {
  if (!block_filter_) block_filter_ = std::make_unique<BlockNameFilter>(BlockFilterText);
  return block_filter_->Passes(block_name);
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

bool DxfConversion::NextGroup() {
  if (Lines.AtEnd(Cursor)) {
    throw Failure{Failure::Kind::kEndsInsideEntity, {}, {}, Lines.Count() + 1};
  }
  DxfCursor probe = Cursor;
  GroupCode = Trimmed(Lines.Take(probe));
  if (GroupCode.size() == 1 && GroupCode[0] == '0') return false;
  if (Lines.AtEnd(probe)) {
    throw Failure{Failure::Kind::kEndsInsideEntity, {}, {}, Lines.Count() + 1};
  }
  GroupValue = Trimmed(Lines.Take(probe));
  const std::optional<std::int32_t> code = ParseInt32(GroupCode);
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

void DxfConversion::AppendCoordinate(SourcedText text, const Decimals& decimals,
                                     std::size_t line_start) {
  // The number is read before its decimals, so a bad coordinate is named first.
  if (!decimals.value) {
    if (!IsDecimalText(text.text)) {
      ThrowAt(Failure::Kind::kValueNotNumber, text.text, text.line, line_start);
    }
    ThrowAt(Failure::Kind::kValueNotNumber, decimals.text, 0, line_start);
  }
  if (!FormatCoordinate(text.text, *decimals.value, data_file_.buffer())) {
    ThrowAt(Failure::Kind::kValueNotNumber, text.text, text.line, line_start);
  }
}

void DxfConversion::WriteDataLine(SourcedText x, SourcedText y, SourcedText z,
                                  std::string_view handle, std::string_view layer,
                                  std::string_view entity_type, std::string_view block_name,
                                  std::string_view text_string) {
  std::string& out = data_file_.buffer();
  const std::size_t line_start = out.size();
  line_start_undecoded_ = undecoded_;
  for (const OutputField& field : fields_) {
    const std::size_t field_start = out.size();
    out.append(field.prefix);
    const std::size_t value_start = out.size();
    switch (field.node) {
      case field_node::kLineNumber:
        AppendInteger(LineCounter++, out);
        break;
      case field_node::kX:
        AppendCoordinate(x, x_decimals_, line_start);
        break;
      case field_node::kY:
        AppendCoordinate(y, y_decimals_, line_start);
        break;
      case field_node::kZ:
        AppendCoordinate(force_z_.empty() ? z : SourcedText{force_z_, 0}, z_decimals_, line_start);
        break;
      case field_node::kEntityType:
        out.append(entity_type);
        break;
      case field_node::kLayer:
        AppendText(layer, out);
        break;
      case field_node::kHandle:
        AppendText(handle, out);
        break;
      case field_node::kBlockName:
        AppendText(block_name, out);
        break;
      case field_node::kTextString:
        AppendText(text_string, out);
        break;
      case field_node::kLabel:
        out.append(Config.FieldValues[field_node::kLabelText].View());
        break;
      case field_node::kSequentialNumber:
        AppendInteger(SequenceCounter++, out);
        break;
      case field_node::kGroupNumber:
        AppendInteger(GroupCounter, out);
        break;
      default:
        if (IsAttributeNode(field.node))
          AppendText(attribute_values_[AttributeColumnOf(field.node)].text, out);
        break;
    }
    if (!plain_format_) {
      const bool mtext_text = field.node == field_node::kTextString
                                  ? entity_type == "MTEXT"
                                  : IsAttributeNode(field.node) &&
                                        attribute_values_[AttributeColumnOf(field.node)].multiline;
      Reformat(field.node, field_start, value_start, mtext_text);
    }
    out.append(separator_);
  }
  if (!fields_.empty()) out.resize(out.size() - separator_.size());
  data_file_.EndLine();
}

void DxfConversion::Reformat(int node, std::size_t field_start, std::size_t value_start,
                             bool mtext_text) {
  std::string& out = data_file_.buffer();
  const bool coordinate =
      node == field_node::kX || node == field_node::kY || node == field_node::kZ;
  if (format_.decimal_comma && coordinate) {
    for (std::size_t i = value_start; i < out.size(); ++i)
      if (out[i] == '.') out[i] = ',';
  }
  if (format_.mtext_plain && mtext_text) {
    reformatted_ = PlainMText(std::string_view(out).substr(value_start));
    out.resize(value_start);
    out.append(reformatted_);
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
  if ((writes_x_ && !std::isfinite(point.X)) || (writes_y_ && !std::isfinite(point.Y)) ||
      (writes_z_ && !std::isfinite(point.Z))) {
    throw Failure{Failure::Kind::kCoordinateOutOfRange, {}, {}, EntityLine};
  }
  const double components[3] = {point.X, point.Y, point.Z};
  for (int i = 0; i < 3; ++i) {
    computed_[i].clear();
    FormatComputedCoordinate(components[i], computed_[i]);
  }
  WriteDataLine({computed_[0], 0}, {computed_[1], 0}, {computed_[2], 0}, handle, layer, entity_type,
                block_name, text_string);
}

}  // namespace quorvex
