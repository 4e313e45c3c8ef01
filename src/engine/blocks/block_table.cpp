#include "engine/blocks/block_table.h"

#include "engine/dxf_conversion.h"
#include "engine/readers/entity_groups.h"
#include "engine/readers/entity_readers.h"
#include "engine/text_util.h"

namespace quorvex {
namespace {

bool IsZero(std::string_view code) {
  return code.size() == 1 && code[0] == '0';
}

// The entities of a block, from the cursor to its ENDBLK, through their readers into `recorder`.
// Stops with the cursor on the pair "0" / ENDBLK, or on the next BLOCK or ENDSEC of a block that
// lacks its ENDBLK.
void RecordEntities(DxfConversion& conversion, BlockRecorder& recorder) {
  const DxfLines& lines = conversion.Lines;
  DxfCursor& cursor = conversion.Cursor;
  while (!lines.AtEnd(cursor)) {
    const DxfCursor pair = cursor;
    conversion.GroupCode = Trimmed(lines.Take(cursor));
    if (lines.AtEnd(cursor)) return;
    conversion.RawValue = lines.Take(cursor);
    if (!IsZero(conversion.GroupCode)) continue;
    const std::string_view name = Trimmed(conversion.RawValue);
    if (name == "ENDBLK" || name == "BLOCK" || name == "ENDSEC") {
      cursor = pair;
      return;
    }
    if (EntityReader reader = FindReader(conversion, conversion.RawValue)) {
      conversion.EntityLine = cursor.line - 1;
      // The layer filter judges an expanded entity by the layer it takes from the inserts.
      recorder.BeginEntity(conversion.EntityLine, conversion.LayerFilterText.empty()
                                                      ? std::string_view()
                                                      : conversion.EntityLayer());
      reader(conversion);
      recorder.EndEntity();
    }
  }
}

}  // namespace

std::string BlockNameKey(std::string_view decoded_name) {
  std::string key(decoded_name);
  for (char& c : key)
    c = AsciiUpper(c);
  return key;
}

BlockTable BlockTable::Read(DxfConversion& conversion, std::int64_t entities_line) {
  BlockTable table;
  const DxfLines& lines = conversion.Lines;
  const DxfCursor saved = conversion.Cursor;
  DxfCursor& cursor = conversion.Cursor;
  cursor = lines.Begin();
  // The section is found line by line, as the walk finds ENTITIES, so that a header out of step
  // with its pairs does not hide it; from there on the lines are pairs.
  std::string_view previous;
  while (!lines.AtEnd(cursor) && cursor.line < entities_line) {
    const std::string_view line = Trimmed(lines.Take(cursor));
    if (line == "BLOCKS" && previous == "2") break;
    previous = line;
  }
  while (!lines.AtEnd(cursor) && cursor.line < entities_line) {
    const std::string_view code = Trimmed(lines.Take(cursor));
    if (lines.AtEnd(cursor)) break;
    const std::string_view value = Trimmed(lines.Take(cursor));
    if (!IsZero(code)) continue;
    if (value == "ENDSEC") break;
    if (value == "BLOCK") table.ReadBlock(conversion, cursor.line - 1);
  }
  cursor = saved;
  table.IndexNames(conversion);
  table.MarkCycles();
  return table;
}

void BlockTable::ReadBlock(DxfConversion& conversion, std::int64_t block_line) {
  BlockDefinition& block = blocks_.emplace_back();
  BlockContent& content = block.content;
  BlockRecorder recorder(content);
  const std::int64_t undecoded = conversion.UndecodedCount();
  conversion.EntityLine = block_line;
  try {
    while (conversion.NextGroup()) {
      if (conversion.GroupCodeNumber == 2) block.name = conversion.GroupValue;
      TakeNumberPoint(conversion, 10, block.base);
    }
    conversion.Recorder = &recorder;
    RecordEntities(conversion, recorder);
  } catch (const Failure& failure) {
    // Raised only where the block is expanded; the pairs after it are passed over.
    content.failure = failure;
    content.failure_undecoded = conversion.UndecodedCount() - undecoded;
    conversion.AdjustUndecodedCount(-content.failure_undecoded);
  }
  conversion.Recorder = nullptr;
  block.weight = content.Weight();
}

void BlockTable::IndexNames(DxfConversion& conversion) {
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    index_.try_emplace(BlockNameKey(conversion.DecodeBlockName(blocks_[i].name).text),
                       static_cast<std::int32_t>(i));
  }
  for (BlockDefinition& block : blocks_) {
    for (RecordedInsert& insert : block.content.inserts)
      insert.block = Find(conversion.DecodeBlockName(insert.name).text);
  }
}

std::int32_t BlockTable::Find(std::string_view decoded_name) const {
  const auto found = index_.find(BlockNameKey(decoded_name));
  return found == index_.end() ? -1 : found->second;
}

void BlockTable::MarkCycles() {
  // A depth-first walk over the inserts, without recursion: a drawing may chain its blocks
  // deeper than the stack would allow.
  enum class State : char { kNew, kOpen, kDone };
  std::vector<State> state(blocks_.size(), State::kNew);
  struct Step {
    std::size_t block;
    std::size_t next_insert;
  };
  std::vector<Step> stack;
  for (std::size_t root = 0; root < blocks_.size(); ++root) {
    if (state[root] != State::kNew) continue;
    state[root] = State::kOpen;
    stack.push_back({root, 0});
    while (!stack.empty()) {
      const std::size_t block = stack.back().block;
      const std::vector<RecordedInsert>& inserts = blocks_[block].content.inserts;
      if (stack.back().next_insert < inserts.size()) {
        const std::int32_t target = inserts[stack.back().next_insert++].block;
        if (target < 0) continue;
        const auto child = static_cast<std::size_t>(target);
        if (state[child] == State::kNew) {
          state[child] = State::kOpen;
          stack.push_back({child, 0});
        } else if (state[child] == State::kOpen || blocks_[child].reaches_cycle) {
          blocks_[block].reaches_cycle = true;
        }
        continue;
      }
      state[block] = State::kDone;
      stack.pop_back();
      if (!stack.empty() && blocks_[block].reaches_cycle)
        blocks_[stack.back().block].reaches_cycle = true;
    }
  }
}

}  // namespace quorvex
