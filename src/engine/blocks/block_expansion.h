#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/blocks/block_notice.h"
#include "engine/blocks/block_table.h"
#include "engine/blocks/expansion_settings.h"
#include "engine/blocks/insert_transform.h"

namespace quorvex {

class DxfConversion;
struct RecordedInsert;

/// The export of the contents of inserted blocks in world coordinates, for one conversion. An
/// insert of the ENTITIES section that passed the block-name filter hands its block here; its
/// entities are written as the configuration exports them, each point taken through the
/// transform of every insert above it in turn, innermost first, with its own handle and type,
/// its own layer except that layer "0" takes that of the insert placing it, and the path of
/// block names from the outermost insert, joined by "/", in the block-name field. The layer
/// filter judges each entity by that layer: one it leaves out is neither written, counted nor,
/// for an insert, expanded. Inserts inside
/// blocks write their own lines as inserts do, through the filter, and are expanded whatever
/// the filter says; the cells of an array go row by row, each row column by column.
///
/// Bounded: an insert of a block inside itself, one whose contents would lie deeper than
/// kExpansionLevels, and one of a block that is not defined are not expanded, and told once per
/// name (Notices). Past the limit of the settings the conversion fails with kExpansionLimit, before
/// the insert whose expansion would pass it writes anything of its block.
///
/// The block table is read once and only read after; the rest is the state of this conversion,
/// so one table can serve several conversions of parts of one drawing.
class BlockExpansion {
 public:
  BlockExpansion(const ExpansionSettings& settings, const std::atomic<bool>& cancelled);
  ~BlockExpansion();

  /// Reads the block definitions of the drawing (see BlockTable::Read).
  void ReadBlocks(DxfConversion& conversion, std::int64_t entities_line);

  /// Writes the contents of the block `block_name` (as the drawing spells it) that an insert of
  /// the ENTITIES section on `layer` places by `placement`. Returns early, leaving the rest,
  /// when the run is being stopped.
  void Expand(DxfConversion& conversion, std::string_view block_name, std::string_view layer,
              const InsertPlacement& placement);

  /// The entities written and counted from blocks.
  std::int64_t ExpandedCount() const { return expanded_; }
  const std::vector<BlockNotice>& Notices() const { return notices_; }

 private:
  void ExpandCells(DxfConversion& conversion, std::int32_t block, const InsertPlacement& placement,
                   int level, std::string_view layer);
  void ExpandBlock(DxfConversion& conversion, std::int32_t block, int level,
                   std::string_view layer);
  void ExpandInsert(DxfConversion& conversion, const RecordedInsert& insert, int level,
                    std::string_view parent_layer);
  TVecteur Placed(TVecteur point) const;
  std::optional<std::int64_t> Weight(std::int32_t block, int level);
  void Notice(DxfConversion& conversion, BlockNotice::Kind kind, std::string_view name);

  std::int64_t limit_;
  const std::atomic<bool>& cancelled_;
  std::shared_ptr<const BlockTable> table_;
  std::unordered_map<std::string_view, std::int32_t> top_blocks_;  // name as spelled -> block
  std::unordered_map<std::int64_t, std::int64_t> weights_;         // block and level -> weight
  std::vector<InsertTransform> transforms_;  // of the inserts above, outermost first
  std::vector<std::int32_t> open_;           // the blocks being expanded, outermost first
  std::string path_;
  std::int64_t top_line_ = 0;
  std::int64_t used_ = 0;
  std::int64_t expanded_ = 0;
  std::vector<BlockNotice> notices_;
  std::set<std::pair<BlockNotice::Kind, std::string>> noticed_;
};

}  // namespace quorvex
