#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/blocks/block_content.h"
#include "engine/vecteur.h"

namespace quorvex {

class DxfConversion;

/// One BLOCK of the BLOCKS section.
struct BlockDefinition {
  std::string_view name;  // as the drawing spells it
  TVecteur base;          // the base point: where the block's origin goes at its insertion point
  BlockContent content;
  std::int64_t weight = 0;  // content.Weight()
  /// Some insert below this block, at any depth, leads back to a block on its way, so what it
  /// expands to depends on the path it was reached by.
  bool reaches_cycle = false;
};

/// The block definitions of one drawing, read once before its entities and read-only after:
/// what the configuration exports of each in the block's own coordinates, and the definition
/// that each insert inside them places. Names are found as the block-name filter compares them:
/// decoded, the letters a-z in either case; of two definitions of one name the first counts.
class BlockTable {
 public:
  /// Reads the BLOCKS section that stands before the line `entities_line` (0-based), the line
  /// the walk found "ENTITIES" on, with the readers and the configuration of `conversion`, whose
  /// encoding is set. Nothing is written or counted, and the cursor is left as it was; a
  /// failure inside a definition is kept in its content.
  static BlockTable Read(DxfConversion& conversion, std::int64_t entities_line);

  /// The index of the definition of a decoded block name; -1 when there is none.
  std::int32_t Find(std::string_view decoded_name) const;
  const BlockDefinition& operator[](std::int32_t index) const {
    return blocks_[static_cast<std::size_t>(index)];
  }

 private:
  void ReadBlock(DxfConversion& conversion, std::int64_t block_line);
  void IndexNames(DxfConversion& conversion);
  void MarkCycles();

  std::vector<BlockDefinition> blocks_;
  std::unordered_map<std::string, std::int32_t> index_;  // name with a-z in capitals -> block
};

/// `decoded_name` with the letters a-z in capitals: the key under which names compare as the
/// block-name filter compares them.
std::string BlockNameKey(std::string_view decoded_name);

}  // namespace quorvex
