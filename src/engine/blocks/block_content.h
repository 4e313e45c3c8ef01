#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/blocks/insert_transform.h"
#include "engine/failure.h"
#include "engine/vecteur.h"

namespace quorvex {

class DxfConversion;
struct SourcedText;

/// A data line that a reader wrote for an entity of a block definition: its point in the
/// block's coordinates and its texts, views into the drawing except the text string (which a
/// reader may have assembled from pieces).
struct RecordedLine {
  TVecteur point;
  std::string_view handle;
  std::string_view layer;
  std::string_view entity_type;
  std::string text;
};

/// An INSERT inside a block definition: what its own data line shows and how it places its
/// block. `block` is the index of its definition in the block table, -1 when there is none.
struct RecordedInsert {
  std::string_view name;  // as the drawing spells it
  std::string_view handle;
  std::string_view layer;
  std::string_view text;
  TVecteur point;  // its own line's point, in the coordinates of the block it stands in
  InsertPlacement placement;
  std::int32_t block = -1;
};

/// One entity of a block definition as its reader handled it: the lines it wrote, the kind it
/// counted (-1 for none) or the insert it is.
struct RecordedEntity {
  std::int64_t line = 0;       // the entity's first line, named by its failures
  std::string_view layer;      // its own, as the layer filter reads it; empty without a filter
  std::size_t first_line = 0;  // in BlockContent::lines
  std::size_t line_count = 0;
  int kind = -1;
  std::int32_t insert = -1;
};

/// The entities of one block definition that the configuration exports, read once through the
/// entity readers and replayed for every insert of the block. Entities of kinds that are not
/// selected leave nothing. A failure while reading ends the content: it is raised after the
/// entities before it when the block is expanded, as it would have been in the ENTITIES section.
struct BlockContent {
  std::vector<RecordedEntity> entities;
  std::vector<RecordedLine> lines;
  std::vector<RecordedInsert> inserts;
  std::optional<Failure> failure;
  /// Characters of the drawing that the failure's quoted text counts as not decoded.
  std::int64_t failure_undecoded = 0;

  /// What one expansion of the block counts against the limit, its nested blocks left out: one
  /// per entity, or one per line for an entity that writes several.
  std::int64_t Weight() const;
};

/// Collects, while the readers read a block definition, what they would have written: the
/// conversion hands it every data line, count and insert instead of writing them.
class BlockRecorder {
 public:
  explicit BlockRecorder(BlockContent& content) : content_(content) {}

  /// Starts the next entity, whose "0" line is `line` (1-based), on `layer`.
  void BeginEntity(std::int64_t line, std::string_view layer);
  /// Ends the entity: one that neither wrote, counted nor inserted anything is dropped.
  void EndEntity();

  /// A point as the file spells it. The texts are converted when a coordinate is exported, as
  /// the expansion computes with all three: a text that is not a number fails, one beyond the
  /// range of a double becomes an infinity, which fails as out of range where it is written.
  void AddTextPoint(const DxfConversion& conversion, SourcedText x, SourcedText y, SourcedText z,
                    std::string_view handle, std::string_view layer, std::string_view entity_type,
                    std::string_view text);
  void AddPoint(const TVecteur& point, std::string_view handle, std::string_view layer,
                std::string_view entity_type, std::string_view text);
  void Count(int kind) { entity().kind = kind; }
  void AddInsert(const RecordedInsert& insert);

 private:
  RecordedEntity& entity() { return content_.entities.back(); }

  BlockContent& content_;
};

}  // namespace quorvex
