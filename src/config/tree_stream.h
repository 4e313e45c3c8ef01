#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "config/config_tree.h"

namespace quorvex {

/// Why a tree stream could not be read; each has its message.
enum class TreeStreamError {
  kNone,
  kNotEnoughData,       // the stream ends where more is announced
  kWrongFormat,         // not a tree stream, or not a tree of this shape
  kUnknownVersion,      // a stream version above 2
  kAnchorChunkMissing,  // a node record that does not start with a node chunk
  kUnexpectedData,      // chunks that do not end where their node or base chunk announces
};

std::string_view TreeStreamMessage(TreeStreamError error);

/// Appends the stream of a tree (version 2): identifier, number of top-level nodes, then one node
/// record per top-level node with its option nodes inside. Captions come from the caption tables
/// by node data; data-tree nodes carry their field node index in a user chunk. Only the state
/// bits a file may hold are written.
void AppendTreeStream(std::string& out, const TreeNodes& nodes, ConfigTreeId id);

/// Reads the stream of a tree starting at `pos` into `nodes`; `pos` then stands just behind the
/// last node record. Streams of versions 0 and 1 carry no count of top-level nodes: the reader
/// takes the 12 that every configuration tree has. Every size read is checked against the bytes
/// that remain, and the result must have the tree's fixed shape. Captions and chunks of unknown
/// type are passed over; the entity tree's node data are the nodes' positions.
TreeStreamError ReadTreeStream(std::string_view bytes, std::size_t& pos, ConfigTreeId id,
                               TreeNodes& nodes);

}  // namespace quorvex
