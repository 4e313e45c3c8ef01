#include "config/tree_stream.h"

#include <array>
#include <cstdint>

#include "config/tree_tables.h"
#include "engine/field_captions.h"

namespace quorvex {
namespace {

// The identifier's 16-bit units; unit 3 is the stream version.
constexpr std::array<std::uint16_t, 6> kIdentifier = {0x2045, 0x0056, 0x0054, 2, 0x0020, 0x2046};
constexpr std::uint16_t kStreamVersion = 2;
constexpr std::size_t kIdentifierSize = 12;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kBaseBodySize = 17;
constexpr std::size_t kTopLevelNodeCount = 12;
constexpr std::int32_t kNodeChunk = 1, kBaseChunk = 2, kCaptionChunk = 3, kUserChunk = 4;

void AppendLe(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PatchLe32(std::string& out, std::size_t at, std::size_t value) {
  for (int i = 0; i < 4; ++i)
    out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string_view Caption(ConfigTreeId id, int data) {
  return id == ConfigTreeId::kEntity ? EntityCaptions[data] : FieldCaptions[data];
}

void AppendNode(std::string& out, const TreeNode& node, ConfigTreeId id) {
  const std::size_t node_start = out.size();
  AppendLe(out, kNodeChunk, 4);
  AppendLe(out, 0, 4);
  const std::size_t base_start = out.size();
  AppendLe(out, kBaseChunk, 4);
  AppendLe(out, 0, 4);
  AppendLe(out, node.children.size(), 4);
  AppendLe(out, node.height, 4);
  AppendLe(out, node.states & node_state::kStored, 2);
  AppendLe(out, node.alignment, 1);
  AppendLe(out, node.check_state, 1);
  AppendLe(out, node.check_type, 1);
  AppendLe(out, 0, 4);
  for (const TreeNode& child : node.children)
    AppendNode(out, child, id);
  PatchLe32(out, base_start + 4, out.size() - base_start - kChunkHeaderSize);
  if (id == ConfigTreeId::kData) {
    AppendLe(out, kUserChunk, 4);
    AppendLe(out, 4, 4);
    AppendLe(out, static_cast<std::uint32_t>(node.data), 4);
  }
  const std::string_view caption = Caption(id, node.data);
  if (!caption.empty()) {
    AppendLe(out, kCaptionChunk, 4);
    AppendLe(out, 2 * caption.size(), 4);
    for (const char c : caption)  // the captions are ASCII, so UTF-16LE is each byte and a zero
      AppendLe(out, static_cast<unsigned char>(c), 2);
  }
  PatchLe32(out, node_start + 4, out.size() - node_start - kChunkHeaderSize);
}

std::uint32_t Le(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = 0; i < size; ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}

// Reads node records of one tree. Each read is bounded by `limit`, the end of what encloses it:
// the whole input for a top-level record, the node or base chunk for what lies inside one. Running
// past the input means the stream is short; running past an enclosing chunk means the chunk sizes
// disagree.
class NodeReader {
 public:
  NodeReader(std::string_view bytes, ConfigTreeId id) : bytes_(bytes), id_(id) {}

  TreeStreamError ReadNode(std::size_t& pos, std::size_t limit, int depth, TreeNode& node) {
    const TreeStreamError overrun =
        limit == bytes_.size() ? TreeStreamError::kNotEnoughData : TreeStreamError::kUnexpectedData;
    if (limit - pos < kChunkHeaderSize) return overrun;
    if (static_cast<std::int32_t>(Le(bytes_, pos, 4)) != kNodeChunk)
      return TreeStreamError::kAnchorChunkMissing;
    const std::uint32_t size = Le(bytes_, pos + 4, 4);
    pos += kChunkHeaderSize;
    if (size > limit - pos) return overrun;  // a negative size reads as a huge one
    const std::size_t end = pos + size;
    if (id_ == ConfigTreeId::kEntity) node.data = next_entity_index_++;
    bool has_base = false, has_user = false;
    while (pos < end) {
      if (end - pos < kChunkHeaderSize) return TreeStreamError::kUnexpectedData;
      const auto type = static_cast<std::int32_t>(Le(bytes_, pos, 4));
      const std::uint32_t chunk_size = Le(bytes_, pos + 4, 4);
      pos += kChunkHeaderSize;
      if (chunk_size > end - pos) return TreeStreamError::kUnexpectedData;
      const std::size_t chunk_end = pos + chunk_size;
      if (type == kBaseChunk) {
        if (has_base) return TreeStreamError::kWrongFormat;
        has_base = true;
        if (const TreeStreamError error = ReadBase(pos, chunk_end, depth, node);
            error != TreeStreamError::kNone)
          return error;
      } else if (type == kUserChunk && id_ == ConfigTreeId::kData) {
        if (has_user || chunk_size != 4) return TreeStreamError::kWrongFormat;
        has_user = true;
        node.data = static_cast<std::int32_t>(Le(bytes_, pos, 4));
      }
      pos = chunk_end;  // captions and unknown chunks are passed over
    }
    if (!has_base || (id_ == ConfigTreeId::kData && !has_user))
      return TreeStreamError::kWrongFormat;
    return TreeStreamError::kNone;
  }

 private:
  TreeStreamError ReadBase(std::size_t& pos, std::size_t end, int depth, TreeNode& node) {
    if (end - pos < kBaseBodySize) return TreeStreamError::kUnexpectedData;
    const std::uint32_t child_count = Le(bytes_, pos, 4);
    node.height = Le(bytes_, pos + 4, 4);
    node.states = static_cast<std::uint16_t>(Le(bytes_, pos + 8, 2) & node_state::kStored);
    node.alignment = static_cast<std::uint8_t>(bytes_[pos + 10]);
    node.check_state = static_cast<std::uint8_t>(bytes_[pos + 11]);
    node.check_type = static_cast<std::uint8_t>(bytes_[pos + 12]);
    pos += kBaseBodySize;
    // Option nodes have none of their own; deeper nesting is no configuration tree.
    if (child_count > 0 && depth > 0) return TreeStreamError::kWrongFormat;
    // Each child record takes at least a chunk header, so a hostile count ends at `end`.
    for (std::uint32_t i = 0; i < child_count; ++i) {
      node.children.emplace_back();
      if (const TreeStreamError error = ReadNode(pos, end, depth + 1, node.children.back());
          error != TreeStreamError::kNone)
        return error;
    }
    return pos == end ? TreeStreamError::kNone : TreeStreamError::kUnexpectedData;
  }

  std::string_view bytes_;
  ConfigTreeId id_;
  std::int32_t next_entity_index_ = 0;
};

}  // namespace

std::string_view TreeStreamMessage(TreeStreamError error) {
  switch (error) {
    case TreeStreamError::kNone:
      return {};
    case TreeStreamError::kNotEnoughData:
      return "Unable to load tree structure, not enough data available.";
    case TreeStreamError::kWrongFormat:
      return "Unable to load tree structure, the format is wrong.";
    case TreeStreamError::kUnknownVersion:
      return "Unable to load tree structure, the version is unknown.";
    case TreeStreamError::kAnchorChunkMissing:
      return "Stream data corrupt. A node's anchor chunk is missing.";
    case TreeStreamError::kUnexpectedData:
      return "Stream data corrupt. Unexpected data after node's end position.";
  }
  return {};
}

void AppendTreeStream(std::string& out, const TreeNodes& nodes, ConfigTreeId id) {
  for (const std::uint16_t unit : kIdentifier)
    AppendLe(out, unit, 2);
  AppendLe(out, nodes.size(), 4);
  for (const TreeNode& node : nodes)
    AppendNode(out, node, id);
}

TreeStreamError ReadTreeStream(std::string_view bytes, std::size_t& pos, ConfigTreeId id,
                               TreeNodes& nodes) {
  if (pos > bytes.size() || bytes.size() - pos < kIdentifierSize)
    return TreeStreamError::kNotEnoughData;
  for (const std::size_t unit : {0, 1, 2, 5})
    if (Le(bytes, pos + 2 * unit, 2) != kIdentifier[unit]) return TreeStreamError::kWrongFormat;
  const std::uint32_t version = Le(bytes, pos + 6, 2);
  if (version > kStreamVersion) return TreeStreamError::kUnknownVersion;
  pos += kIdentifierSize;
  std::size_t count = kTopLevelNodeCount;
  if (version == kStreamVersion) {
    if (bytes.size() - pos < 4) return TreeStreamError::kNotEnoughData;
    const std::uint32_t announced = Le(bytes, pos, 4);
    pos += 4;
    if (announced != kTopLevelNodeCount) return TreeStreamError::kWrongFormat;
  }
  NodeReader reader(bytes, id);
  TreeNodes read(count);
  for (TreeNode& node : read)
    if (const TreeStreamError error = reader.ReadNode(pos, bytes.size(), 0, node);
        error != TreeStreamError::kNone)
      return error;
  const bool shaped =
      id == ConfigTreeId::kEntity ? HasEntityTreeShape(read) : HasDataTreeShape(read);
  if (!shaped) return TreeStreamError::kWrongFormat;
  nodes = std::move(read);
  return TreeStreamError::kNone;
}

}  // namespace quorvex
