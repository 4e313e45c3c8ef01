#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

/// The words that name the nodes of both configuration trees on the command line and in the
/// text form of a configuration.
///
/// Entity tree: the kinds `points`, `circles`, `arcs`, `ellipses`, `lines`, `mtext`, `text`,
/// `polylines-2d`, `polylines-3d`, `splines`, `faces`, `blocks`, and their point options as
/// KIND.OPTION: `arcs.start`, `arcs.end`, `arcs.center`, `lines.start`, `lines.end`,
/// `polylines-2d.fit`, `polylines-3d.fit`, `splines.control`, `splines.fit`, `faces.1` to
/// `faces.4`.
///
/// Data tree: the fields `line-number`, `x`, `y`, `z`, `entity-type`, `layer`, `handle`,
/// `block-name`, `text`, `label`, `sequence`, `group`, and their option nodes as FIELD.OPTION:
/// every field's `.prefix`, `line-number.start`, `sequence.start`, `group.start`, `x.decimals`,
/// `y.decimals`, `z.decimals`, `z.force-to` and `label.text`.

/// The separator choices in the order of the window's list.
inline constexpr std::array<std::string_view, 6> kSeparatorWords = {"comma", "semicolon", "space",
                                                                    "tab",   "linefeed",  "other"};

/// The word of an entity node index (0..24) or of a field node index (0..31).
std::string_view EntityNodeWord(int entity_node);
std::string_view FieldNodeWord(int field_node);

/// The node a word names, in any letter case of a-z, or nullopt.
std::optional<int> EntityNodeOfWord(std::string_view word);
std::optional<int> FieldNodeOfWord(std::string_view word);

/// The separator choice (0..5) a word of kSeparatorWords names, in any letter case, or nullopt.
std::optional<int> SeparatorOfWord(std::string_view word);

/// True for the 12 data fields among the field nodes, and for the 12 kinds among the entity nodes.
bool IsDataField(int field_node);
bool IsKind(int entity_node);

/// The part of an option node's word after the dot ("prefix", "decimals", "start", "force-to",
/// "text"); empty for a data field.
std::string_view FieldOptionKey(int field_node);

/// The words of the kinds with their options, and of the data fields, joined by ", ", as --help
/// and the refusals of a wrong word list them.
std::string KindWordList();
std::string FieldWordList();
/// The separator words joined by ", ".
std::string SeparatorWordList();

/// The word of the kinds with their options, of the data fields, or of the separator choices
/// nearest to a mistyped `word`, for "did you mean" (NearestWord); empty when none is near.
std::string_view NearestKindWord(std::string_view word);
std::string_view NearestFieldWord(std::string_view word);
std::string_view NearestSeparatorWord(std::string_view word);

}  // namespace quorvex
