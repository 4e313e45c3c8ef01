#include "config/config_words.h"

#include <algorithm>
#include <array>

#include "config/nearest_word.h"
#include "engine/export_config.h"
#include "engine/text_util.h"

namespace quorvex {
namespace {

constexpr std::array<std::string_view, kEntityNodeCount> kEntityWords = {
    "points",       "circles",          "arcs",         "arcs.start",
    "arcs.end",     "arcs.center",      "ellipses",     "lines",
    "lines.start",  "lines.end",        "mtext",        "text",
    "polylines-2d", "polylines-2d.fit", "polylines-3d", "polylines-3d.fit",
    "splines",      "splines.control",  "splines.fit",  "faces",
    "faces.1",      "faces.2",          "faces.3",      "faces.4",
    "blocks"};

constexpr std::array<std::string_view, kFieldNodeCount> kFieldWords = {"line-number",
                                                                       "line-number.prefix",
                                                                       "line-number.start",
                                                                       "x",
                                                                       "x.prefix",
                                                                       "x.decimals",
                                                                       "y",
                                                                       "y.prefix",
                                                                       "y.decimals",
                                                                       "z",
                                                                       "z.prefix",
                                                                       "z.decimals",
                                                                       "z.force-to",
                                                                       "entity-type",
                                                                       "entity-type.prefix",
                                                                       "layer",
                                                                       "layer.prefix",
                                                                       "handle",
                                                                       "handle.prefix",
                                                                       "block-name",
                                                                       "block-name.prefix",
                                                                       "text",
                                                                       "text.prefix",
                                                                       "label",
                                                                       "label.prefix",
                                                                       "label.text",
                                                                       "sequence",
                                                                       "sequence.prefix",
                                                                       "sequence.start",
                                                                       "group",
                                                                       "group.prefix",
                                                                       "group.start"};

bool SameWord(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

template <std::size_t N>
std::optional<int> Find(const std::array<std::string_view, N>& words, std::string_view word) {
  for (std::size_t i = 0; i < N; ++i)
    if (SameWord(words[i], word)) return static_cast<int>(i);
  return std::nullopt;
}

template <typename Words>
std::string Joined(const Words& words) {
  std::string list;
  for (const std::string_view word : words) {
    if (!list.empty()) list.append(", ");
    list.append(word);
  }
  return list;
}

std::array<std::string_view, kDataFieldCount> DataFieldWords() {
  std::array<std::string_view, kDataFieldCount> words;
  std::transform(kDataFieldNodes.begin(), kDataFieldNodes.end(), words.begin(),
                 [](int node) { return kFieldWords[static_cast<std::size_t>(node)]; });
  return words;
}

}  // namespace

std::string_view EntityNodeWord(int entity_node) {
  return entity_node >= 0 && entity_node < kEntityNodeCount
             ? kEntityWords[static_cast<std::size_t>(entity_node)]
             : std::string_view();
}

std::string_view FieldNodeWord(int field_node) {
  return field_node >= 0 && field_node < kFieldNodeCount
             ? kFieldWords[static_cast<std::size_t>(field_node)]
             : std::string_view();
}

std::optional<int> EntityNodeOfWord(std::string_view word) {
  return Find(kEntityWords, word);
}

std::optional<int> FieldNodeOfWord(std::string_view word) {
  return Find(kFieldWords, word);
}

std::optional<int> SeparatorOfWord(std::string_view word) {
  return Find(kSeparatorWords, word);
}

bool IsDataField(int field_node) {
  return std::find(kDataFieldNodes.begin(), kDataFieldNodes.end(), field_node) !=
         kDataFieldNodes.end();
}

bool IsKind(int entity_node) {
  return std::find(kEntityKindNodes.begin(), kEntityKindNodes.end(), entity_node) !=
         kEntityKindNodes.end();
}

std::string_view FieldOptionKey(int field_node) {
  const std::string_view word = FieldNodeWord(field_node);
  const std::size_t dot = word.find('.');
  return dot == std::string_view::npos ? std::string_view() : word.substr(dot + 1);
}

std::string KindWordList() {
  return Joined(kEntityWords);
}

std::string FieldWordList() {
  return Joined(DataFieldWords());
}

std::string SeparatorWordList() {
  return Joined(kSeparatorWords);
}

std::string_view NearestKindWord(std::string_view word) {
  return NearestWord(word, kEntityWords);
}

std::string_view NearestFieldWord(std::string_view word) {
  return NearestWord(word, DataFieldWords());
}

std::string_view NearestSeparatorWord(std::string_view word) {
  return NearestWord(word, kSeparatorWords);
}

}  // namespace quorvex
