#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "attribute_columns.h"
#include "block_name_filter.h"
#include "data_file.h"
#include "data_format.h"
#include "data_sink.h"
#include "dxf_lines.h"
#include "export_config.h"
#include "failure.h"
#include "rounded_digits.h"
#include "text_codes.h"
#include "text_decoder.h"
#include "vecteur.h"

namespace quorvex {

class BlockExpansion;
class BlockRecorder;

/// A text taken from the DXF file together with the 1-based line it came from, so that a
/// conversion failure can name that line. Line 0 means "not from the file": a failure then
/// names the line at the cursor.
struct SourcedText {
  std::string_view text;
  std::int64_t line = 0;
};

/// For a point whose coordinates a reader hands on as the file gives them: the decimal that each
/// was read as, when that decimal is what the computed coordinate stands for
/// (IsOwnComputedDecimal); the point is then written from it, without the conversion back from
/// binary, to the same bytes. Polyline vertices go this way: the R12 contour drawing, nearly all
/// vertices, is converted in 9% less time (0.157 s against 0.173 s, December 2026).
struct ReadDecimals {
  std::optional<ShortDecimal> x, y, z;
};

/// The state of one conversion, shared by the walk and the entity readers, and the reader
/// interface they use. Readers move `DxfCursor` forward only, through `NextGroup`.
class DxfConversion {
 public:
  /// `format` beyond the plain one takes a slower way through each data line. `attributes` are
  /// the attribute columns that the field order's attribute fields name.
  DxfConversion(const TExportConfig& config, const RunTables& tables, const DxfLines& lines,
                DataFile& data_file, const DataFormat& format = {},
                std::span<const AttributeColumn> attributes = {});

  const TExportConfig& Config;
  const RunTables& Tables;
  const DxfLines& Lines;
  DxfCursor Cursor;
  std::string_view GroupCode;   // the current group-code line, trimmed
  std::string_view RawValue;    // the walk's value line, untrimmed
  std::string_view GroupValue;  // the reader's value line, trimmed
  int GroupCodeNumber = 0;      // GroupCode as an integer, set by NextGroup
  std::int64_t EntityLine = 0;  // 1-based line of the "0" that starts the entity being read

  std::int64_t LineCounter = 1;
  std::int64_t SequenceCounter = 1;
  std::int64_t GroupCounter = 1;
  std::array<std::int64_t, kEntityKindCount> EntityCounts{};
  std::int64_t TotalEntityCount = 0;
  std::vector<std::string> BlockTallyNames;
  std::vector<std::int64_t> BlockTallyCounts;
  std::string_view BlockFilterText;  // the run's block-name patterns; empty lets every insert in
  std::string_view LayerFilterText;  // the run's layer-name patterns; empty lets every layer in
  DataSink* Sink = nullptr;          // told of every exported point and counted entity, if any
  /// Set when the contents of inserted blocks are exported.
  BlockExpansion* Expansion = nullptr;
  /// Set while a block definition is read for the expansion: what the readers write, count and
  /// insert goes there instead of the data file and the counts.
  BlockRecorder* Recorder = nullptr;
  // The vertices of the polyline being read, their decimals and flags, which its reader fills
  // anew: kept
  // from one polyline to the next, so that their storage is allocated once.
  std::vector<TVecteur> VertexPoints;
  std::vector<ReadDecimals> VertexDecimals;
  std::vector<std::int32_t> VertexFlags;

  // --- Texts of the drawing ---

  /// Decodes the drawing's texts from `encoding` from now on (read from its header).
  void SetEncoding(DrawingEncoding encoding) { texts_.SetEncoding(std::move(encoding)); }
  /// The encoding that the texts are decoded from, as the report names it.
  const std::string& EncodingName() const { return texts_.EncodingName(); }
  /// The code page that the header names but that could not be decoded; empty for none.
  const std::string& NotDecodableCodePage() const { return texts_.Encoding().not_decodable; }
  /// Characters of the drawing's texts that the data file and the report received as U+FFFD
  /// because they could not be decoded.
  std::int64_t UndecodedCount() const { return undecoded_; }
  /// Adds `count` (which may be negative) to UndecodedCount: for texts that the report writes
  /// from elsewhere, and for a failure's quoted text that is raised later than it was made.
  void AdjustUndecodedCount(std::int64_t count) const { undecoded_ += count; }

  /// A block name of the drawing decoded, for the filter and the tally; the view lasts until
  /// the next call.
  DecodedText DecodeBlockName(std::string_view block_name) {
    return texts_.Decode(block_name, decoded_block_name_);
  }
  /// True when an insert of the decoded `block_name` passes BlockFilterText (decided once per
  /// name).
  bool BlockPasses(std::string_view block_name);
  /// True when the entity whose pairs start at the cursor is on a layer that passes
  /// LayerFilterText (its group 8, decoded, or kNoLayer's text without one; a damaged entity
  /// with several is judged by the first). Reads ahead without moving the cursor, up to that
  /// group or the "0" line that ends the entity, and only when there is a filter: the walk asks
  /// before a reader takes the entity, so that one left out is neither read, written nor
  /// counted.
  bool EntityLayerPasses();
  /// The layer of the entity whose pairs start at the cursor, as the drawing spells it: its first
  /// group 8, or "!NoLayer!" without one. Reads ahead without moving the cursor.
  std::string_view EntityLayer() const;
  /// True when `layer`, as the drawing spells it, passes LayerFilterText (decided once for a run
  /// of entities on one layer).
  bool LayerPasses(std::string_view layer);

  /// A text of the drawing, decoded, with its %% codes as people read them (PlainTextCodes), in
  /// the code page of the drawing's "%%nnn" codes.
  std::string PlainText(std::string_view decoded_text);

  /// Counts one exported insert of the decoded `block_name` in the block tally: a name that
  /// matches an earlier one but for the case of a-z counts with it, under the spelling that came
  /// first.
  void TallyBlock(DecodedText block_name);

  // --- Attributes of block inserts ---

  /// True when an attribute column is exported: inserts then read their attributes.
  bool ReadsAttributes() const { return reads_attributes_; }
  /// Keeps `text` as the value of the attribute columns whose tag is `tag` (compared decoded,
  /// with SameTag) and that no attribute of the insert has given a value yet. `multiline`: the
  /// text is that of an MTEXT, formatting codes and all.
  void TakeAttribute(std::string_view tag, std::string_view text, bool multiline);
  /// Empties the attribute columns again, for the next insert and every other entity.
  void ClearAttributes();
  /// Where an insert's attributes should end in SEQEND, the pair at the cursor starts another
  /// entity: fails naming it (GroupValue) and its line.
  [[noreturn]] void FailSeqendMissing() const;

  // --- Reader interface ---

  /// Reads the next pair of the current entity. Returns false, leaving the cursor on it, at the
  /// "0" line that ends the entity; otherwise sets GroupCode, GroupCodeNumber and GroupValue and
  /// moves past the pair. Throws a Failure for a group code that is not an integer and
  /// when the file ends inside the entity.
  bool NextGroup();

  /// For a reader that goes on through the entities after its own (a polyline's vertices): at
  /// the "0" line where NextGroup stopped, moves past it and the entity name after it, and
  /// returns the name trimmed (also left in GroupValue). Throws a Failure when the file
  /// ends before the name.
  std::string_view NextEntityName();

  /// GroupValue with its line, for texts kept until the entity has ended.
  SourcedText Value() const { return {GroupValue, value_line_}; }
  /// GroupValue as a number; throws a Failure when it is not one.
  double NumberValue() const { return Number(Value()); }
  /// `text` as a number (an empty default included); throws a Failure when it is not one.
  double Number(SourcedText text) const;
  /// Number, with `decimal` set to the decimal that the text was read as when that is the
  /// number's own computed decimal, and to nullopt otherwise (see ReadDecimals).
  double Number(SourcedText text, std::optional<ShortDecimal>& decimal) const;
  long double ExtendedNumber(SourcedText text) const;

  /// The 1-based line at the cursor, named by failures of texts that the file never supplied.
  std::int64_t CursorLine() const { return Cursor.line + 1; }
  [[noreturn]] void FailNotNumber(SourcedText text) const;

  bool EntityChecked(int entity_node) const { return Config.EntityChecks[entity_node] == 1; }
  /// True when a data line writes X, Y or Z from the point (not the forced Z).
  bool WritesCoordinates() const { return writes_x_ || writes_y_ || writes_z_; }

  /// Counts one processed entity of `kind` and moves the group number on.
  void CountEntity(int kind);

  /// Writes one data line. X, Y and Z are decimal texts, read only when exported. Handle, layer,
  /// block name and text string are written as UTF-8, decoded from the drawing's encoding; the
  /// entity type is the reader's own ASCII name.
  void WriteDataLine(SourcedText x, SourcedText y, SourcedText z, std::string_view handle,
                     std::string_view layer, std::string_view entity_type,
                     std::string_view block_name, std::string_view text_string);

  /// Writes one data line for a computed point, each coordinate handed on as 15-decimal text.
  /// Throws a Failure naming EntityLine when a coordinate to be written is not finite (the
  /// object-to-world arithmetic overflowed).
  void WriteComputedPoint(const TVecteur& point, std::string_view handle, std::string_view layer,
                          std::string_view entity_type, std::string_view block_name = {},
                          std::string_view text_string = {});
  /// WriteComputedPoint for a point that the reader hands on as read, with `decimals` from
  /// Number.
  void WriteReadPoint(const TVecteur& point, const ReadDecimals& decimals, std::string_view handle,
                      std::string_view layer, std::string_view entity_type);

  /// Start value of the sequential number, set back before every pair the walk examines.
  std::int64_t SequenceStart() const { return sequence_start_; }
  void SetSequenceStart(std::int64_t start) { sequence_start_ = start; }

 private:
  // A number of decimals from the configuration, checked once; a bad one fails when first used.
  struct Decimals {
    std::string_view text;
    std::optional<std::int32_t> value;
  };
  struct OutputField {
    int node;
    std::string_view prefix;
    // The room that the fields after this one need in the data line, with the separators.
    std::size_t room_after = 0;
  };
  // The value an insert's attribute gave a column.
  struct AttributeValue {
    std::string text;
    bool taken = false;
    bool multiline = false;
  };
  // A coordinate of a data line: the text that the file gives, or a computed value as the
  // decimal that its text stands for.
  struct LineCoordinate {
    SourcedText text;
    ShortDecimal decimal;
    bool computed = false;
  };
  void WritePoint(const TVecteur& point, const ReadDecimals& decimals, std::string_view handle,
                  std::string_view layer, std::string_view entity_type, std::string_view block_name,
                  std::string_view text_string);
  void WriteLine(const LineCoordinate (&coordinates)[3], std::string_view handle,
                 std::string_view layer, std::string_view entity_type, std::string_view block_name,
                 std::string_view text_string);
  char* WriteCoordinateField(const LineCoordinate& coordinate, const Decimals& decimals, char* at,
                             std::size_t line_start);
  // Turns the field just appended from `field_start` (its value from `value_start`) into what
  // `format_` asks for.
  // Which texts a field holds, for the options that make texts plain: the multiline texts and
  // attributes (formatting codes), the single-line ones (%% codes), or none.
  enum class TextKind { kNone, kSingleLine, kMultiline };
  void Reformat(int node, std::size_t field_start, std::size_t value_start, TextKind text_kind);
  void ThrowAt(Failure::Kind kind, std::string_view text, std::int64_t line,
               std::size_t line_start);
  void AppendText(std::string_view text, std::string& out) {
    undecoded_ += static_cast<std::int64_t>(texts_.Append(text, out));
  }
  // A text that a failure quotes: decoded when it comes from the drawing.
  std::string QuotedText(SourcedText text) const;

  DataFile& data_file_;
  DataFormat format_;
  bool plain_format_;
  std::string reformatted_;
  std::vector<OutputField> fields_;
  std::string_view separator_;
  Decimals x_decimals_, y_decimals_, z_decimals_;
  std::string_view force_z_;  // trimmed "Force to" value; empty for none
  bool writes_x_ = false, writes_y_ = false, writes_z_ = false;  // the point's own coordinates
  std::size_t line_room_ = 0;  // the room of a data line but for its entity type
  std::unique_ptr<BlockNameFilter> block_filter_;
  std::unique_ptr<BlockNameFilter> layer_filter_;
  std::string decoded_layer_;
  // The layer of the entity before, as the drawing spells it, and its verdict: entities come in
  // runs of one layer.
  std::string last_layer_ = std::string(1, '\0');
  bool last_layer_passes_ = false;
  std::unique_ptr<CodePageCharacters> percent_codes_;         // made at the first "%%" code
  std::unordered_map<std::string, std::size_t> tally_index_;  // capitals of a name -> its entry
  std::string tally_key_;
  std::int64_t value_line_ = 0;
  double sink_x_ = 0, sink_y_ = 0;  // the point of the line being written, for the sink
  std::int64_t sequence_start_ = 1;
  // Mutable: failures, which readers may raise through a const conversion, quote decoded texts.
  mutable TextDecoder texts_;
  mutable std::int64_t undecoded_ = 0;
  std::int64_t line_start_undecoded_ = 0;  // undecoded_ before the data line being written
  std::string decoded_block_name_;
  std::span<const AttributeColumn> attributes_;
  std::vector<AttributeValue> attribute_values_;  // by column
  bool reads_attributes_ = false;
  std::string decoded_tag_;
};

}  // namespace quorvex
