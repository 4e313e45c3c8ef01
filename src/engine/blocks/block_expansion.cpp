#include "engine/blocks/block_expansion.h"

#include <algorithm>
#include <string>

#include "engine/dxf_conversion.h"
#include "engine/readers/entity_readers.h"

namespace quorvex {
namespace {

// Sums and products of weights stop just past the limit: nothing beyond it needs telling apart.
std::int64_t CappedSum(std::int64_t a, std::int64_t b, std::int64_t cap) {
  return std::min(a + b, cap);
}

std::int64_t CappedProduct(std::int64_t count, std::int64_t weight, std::int64_t cap) {
  return weight != 0 && count > cap / weight ? cap : std::min(count * weight, cap);
}

std::int32_t CellCount(std::int32_t count) {
  return std::max<std::int32_t>(count, 1);
}

std::string_view LayerOf(std::string_view own, std::string_view placing) {
  return own == "0" ? placing : own;
}

}  // namespace

BlockExpansion::BlockExpansion(const ExpansionSettings& settings,
                               const std::atomic<bool>& cancelled)
    : limit_(settings.limit), cancelled_(cancelled) {}

BlockExpansion::~BlockExpansion() = default;

void BlockExpansion::ReadBlocks(DxfConversion& conversion, std::int64_t entities_line) {
  table_ = std::make_shared<const BlockTable>(BlockTable::Read(conversion, entities_line));
}

void BlockExpansion::Expand(DxfConversion& conversion, std::string_view block_name,
                            std::string_view layer, const InsertPlacement& placement) {
  auto [entry, added] = top_blocks_.try_emplace(block_name, -1);
  if (added) entry->second = table_->Find(conversion.DecodeBlockName(block_name).text);
  if (entry->second < 0) {
    Notice(conversion, BlockNotice::Kind::kNotDefined, block_name);
    return;
  }
  top_line_ = conversion.EntityLine;
  path_.assign(block_name);
  const std::int64_t counted = conversion.TotalEntityCount;
  ExpandCells(conversion, entry->second, placement, 1, layer);
  expanded_ += conversion.TotalEntityCount - counted;
}

void BlockExpansion::ExpandCells(DxfConversion& conversion, std::int32_t block,
                                 const InsertPlacement& placement, int level,
                                 std::string_view layer) {
  // An array of a block that writes nothing takes no time, however many cells it has; any other
  // cell counts against the limit.
  if (Weight(block, level) == 0) return;
  const TVecteur& base = (*table_)[block].base;
  for (std::int32_t row = 0; row < CellCount(placement.rows); ++row) {
    for (std::int32_t column = 0; column < CellCount(placement.columns); ++column) {
      if (cancelled_.load(std::memory_order_relaxed)) return;
      transforms_.emplace_back(placement, base, column, row);
      ExpandBlock(conversion, block, level, layer);
      transforms_.pop_back();
    }
  }
}

void BlockExpansion::ExpandBlock(DxfConversion& conversion, std::int32_t block, int level,
                                 std::string_view layer) {
  const BlockDefinition& definition = (*table_)[block];
  // A block whose whole expansion is known is refused at once when it would pass the limit;
  // below a cycle, where it is not, each block is counted as it comes.
  const std::optional<std::int64_t> whole = Weight(block, level);
  if (used_ + whole.value_or(definition.weight) > limit_) {
    throw Failure{Failure::Kind::kExpansionLimit, {}, std::to_string(limit_), top_line_};
  }
  used_ += definition.weight;
  open_.push_back(block);
  const BlockContent& content = definition.content;
  for (const RecordedEntity& entity : content.entities) {
    conversion.SequenceCounter = conversion.SequenceStart();
    conversion.EntityLine = entity.line;
    // An entity that the layer filter leaves out is neither written nor counted, and an insert
    // it leaves out is not expanded, as in the ENTITIES section.
    if (!conversion.LayerPasses(LayerOf(entity.layer, layer))) continue;
    if (entity.insert >= 0) {
      ExpandInsert(conversion, content.inserts[static_cast<std::size_t>(entity.insert)], level,
                   layer);
      continue;
    }
    for (std::size_t i = entity.first_line; i < entity.first_line + entity.line_count; ++i) {
      const RecordedLine& line = content.lines[i];
      conversion.WriteComputedPoint(Placed(line.point), line.handle, LayerOf(line.layer, layer),
                                    line.entity_type, path_, line.text);
    }
    if (entity.kind >= 0) conversion.CountEntity(entity.kind);
  }
  if (content.failure) {
    conversion.AdjustUndecodedCount(content.failure_undecoded);
    throw *content.failure;
  }
  open_.pop_back();
}

void BlockExpansion::ExpandInsert(DxfConversion& conversion, const RecordedInsert& insert,
                                  int level, std::string_view parent_layer) {
  const std::string_view layer = LayerOf(insert.layer, parent_layer);
  const std::size_t path_size = path_.size();
  path_.push_back('/');
  path_.append(insert.name);
  if (conversion.EntityChecked(entity_node::kBlocks)) {
    const DecodedText name = conversion.DecodeBlockName(insert.name);
    if (conversion.BlockPasses(name.text)) {
      WriteInsertLine(conversion, Placed(insert.point), insert.handle, layer, path_, name,
                      insert.text);
    }
  }
  if (insert.block < 0) {
    Notice(conversion, BlockNotice::Kind::kNotDefined, insert.name);
  } else if (std::find(open_.begin(), open_.end(), insert.block) != open_.end()) {
    Notice(conversion, BlockNotice::Kind::kContainsItself, insert.name);
  } else if (level == kExpansionLevels) {
    Notice(conversion, BlockNotice::Kind::kTooDeep, insert.name);
  } else {
    ExpandCells(conversion, insert.block, insert.placement, level + 1, layer);
  }
  path_.resize(path_size);
}

TVecteur BlockExpansion::Placed(TVecteur point) const {
  for (auto transform = transforms_.rbegin(); transform != transforms_.rend(); ++transform)
    point = transform->Apply(point);
  return point;
}

std::optional<std::int64_t> BlockExpansion::Weight(std::int32_t block, int level) {
  const BlockDefinition& definition = (*table_)[block];
  if (definition.reaches_cycle) return std::nullopt;
  const std::int64_t key = std::int64_t{block} * (kExpansionLevels + 1) + level;
  if (const auto known = weights_.find(key); known != weights_.end()) return known->second;
  const std::int64_t cap = limit_ + 1;
  std::int64_t weight = std::min(definition.weight, cap);
  if (level < kExpansionLevels) {
    for (const RecordedInsert& insert : definition.content.inserts) {
      if (insert.block < 0) continue;
      const std::int64_t cells =
          std::int64_t{CellCount(insert.placement.columns)} * CellCount(insert.placement.rows);
      weight = CappedSum(weight, CappedProduct(cells, *Weight(insert.block, level + 1), cap), cap);
    }
  }
  weights_.emplace(key, weight);
  return weight;
}

void BlockExpansion::Notice(DxfConversion& conversion, BlockNotice::Kind kind,
                            std::string_view name) {
  const DecodedText decoded = conversion.DecodeBlockName(name);
  if (!noticed_.emplace(kind, BlockNameKey(decoded.text)).second) return;
  notices_.push_back({kind, std::string(decoded.text)});
  // The report writes the name once.
  conversion.AdjustUndecodedCount(static_cast<std::int64_t>(decoded.replaced));
}

}  // namespace quorvex
