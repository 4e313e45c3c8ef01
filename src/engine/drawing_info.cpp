#include "drawing_info.h"

#include <memory>
#include <unordered_map>

#include "drawing_encoding.h"
#include "dxf_lines.h"
#include "number_text.h"
#include "text_decoder.h"
#include "text_util.h"

namespace quorvex {
namespace {

constexpr std::string_view kNoLayer = "!NoLayer!";
// POLYLINE flags (group 70) that make it a 3D polyline or a mesh.
constexpr std::int32_t kPolyline3DOrMesh = 8 | 16 | 64;

struct KindName {
  std::string_view name;
  int kind;
};
constexpr KindName kKinds[] = {
    {"POINT", entity_kind::kPoints},   {"CIRCLE", entity_kind::kCircles},
    {"ARC", entity_kind::kArcs},       {"ELLIPSE", entity_kind::kEllipses},
    {"LINE", entity_kind::kLines},     {"MTEXT", entity_kind::kMText},
    {"TEXT", entity_kind::kText},      {"LWPOLYLINE", entity_kind::kPolylines2D},
    {"SPLINE", entity_kind::kSplines}, {"3DFACE", entity_kind::kFaces},
    {"INSERT", entity_kind::kBlocks},
};

// The pairs of one entity that tell what it is.
struct EntityGroups {
  std::string_view layer = kNoLayer;
  std::string_view name;  // group 2: a block's name, an attribute's tag, a table entry's name
  std::int32_t flags = 0;
};

// Counts names in order of first appearance, a-z in either case as one.
template <typename Entry>
class Tally {
 public:
  explicit Tally(std::vector<Entry>& entries) : entries_(entries) {}

  // The entry of `name`, added when it is new; its index stays, its address may not.
  std::size_t Index(std::string_view name) {
    key_.assign(name);
    for (char& c : key_)
      c = AsciiUpper(c);
    const auto [found, added] = index_.try_emplace(key_, entries_.size());
    if (added) {
      entries_.emplace_back();
      entries_.back().name = std::string(name);
    }
    return found->second;
  }
  Entry& At(std::string_view name) { return entries_[Index(name)]; }

 private:
  std::vector<Entry>& entries_;
  std::unordered_map<std::string, std::size_t> index_;
  std::string key_;
};

class InfoWalk {
 public:
  InfoWalk(const DxfLines& lines, std::string_view code_page)
      : lines_(lines),
        cursor_(lines.Begin()),
        code_page_(code_page),
        layers_(info_.layers),
        blocks_(info_.blocks),
        others_(info_.other_entities) {}

  std::optional<DrawingInfo> Read() {
    if (!Header()) return std::nullopt;
    // The block of the insert whose attributes may follow, or kNone.
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t attributes_of = kNone;
    std::string_view name;
    bool at_entity = NextEntity(name);
    while (at_entity && name != "ENDSEC" && name != "EOF") {
      const EntityGroups groups = Groups();
      if (name == "ATTRIB") {
        if (attributes_of != kNone) AddTag(info_.blocks[attributes_of], Decoded(groups.name));
      } else if (name != "VERTEX" && name != "SEQEND") {
        attributes_of = kNone;
        ++layers_.At(Decoded(groups.layer)).count;
        const int kind = KindOf(name, groups.flags);
        if (kind >= 0) {
          ++info_.kinds[static_cast<std::size_t>(kind)];
        } else {
          ++others_.At(name).count;
        }
        if (kind == entity_kind::kBlocks) {
          attributes_of =
              blocks_.Index(Decoded(groups.name.empty() ? "!NoBlockName!" : groups.name));
          ++info_.blocks[attributes_of].inserts;
        }
      }
      at_entity = NextEntity(name);
    }
    return std::move(info_);
  }

 private:
  // Reads the lines before the ENTITIES line: the header variables and the layer table's
  // entries. False when there is no ENTITIES line.
  bool Header() {
    TextHeader header;
    std::string_view previous;
    for (;;) {
      if (lines_.AtEnd(cursor_)) return false;
      const std::string_view line = Trimmed(lines_.Take(cursor_));
      if (line == "ENTITIES") break;
      if (!line.empty() && line[0] == '$' && previous == "9") header.Take(line, lines_, cursor_);
      if (line == "LAYER" && previous == "0") table_layers_.push_back(Groups().name);
      previous = line;
    }
    const DrawingEncoding encoding = EncodingOf(header, lines_.ByteOrderMark(), code_page_);
    texts_.SetEncoding(encoding);
    info_.version = std::string(header.version);
    info_.code_page_named = std::string(header.code_page);
    info_.code_page_used = texts_.EncodingName();
    for (const std::string_view layer : table_layers_)
      if (!layer.empty()) layers_.At(Decoded(layer));
    return true;
  }

  // Moves to the next "0" pair and takes its value, trimmed; false at the end of the file.
  bool NextEntity(std::string_view& name) {
    while (!lines_.AtEnd(cursor_)) {
      const std::string_view code = Trimmed(lines_.Take(cursor_));
      if (lines_.AtEnd(cursor_)) return false;
      const std::string_view value = lines_.Take(cursor_);
      if (code == "0") {
        name = Trimmed(value);
        return true;
      }
    }
    return false;
  }

  // The groups of the entity whose pairs start at the cursor; leaves the cursor on the "0"
  // line after them.
  EntityGroups Groups() {
    EntityGroups groups;
    while (!lines_.AtEnd(cursor_)) {
      DxfCursor probe = cursor_;
      const std::string_view code = Trimmed(lines_.Take(probe));
      if (code == "0" || lines_.AtEnd(probe)) break;
      const std::string_view value = Trimmed(lines_.Take(probe));
      cursor_ = probe;
      switch (ParseInt32(code).value_or(-1)) {
        case 8:
          groups.layer = value;
          break;
        case 2:
          groups.name = value;
          break;
        case 70:
          groups.flags = ParseInt32(value).value_or(0);
          break;
        default:
          break;
      }
    }
    return groups;
  }

  static int KindOf(std::string_view name, std::int32_t flags) {
    if (name == "POLYLINE") {
      return (flags & kPolyline3DOrMesh) != 0 ? entity_kind::kPolylines3D
                                              : entity_kind::kPolylines2D;
    }
    for (const KindName& entry : kKinds)
      if (entry.name == name) return entry.kind;
    return -1;
  }

  static void AddTag(InsertedBlock& block, std::string_view tag) {
    for (const std::string& known : block.tags) {
      if (known.size() != tag.size()) continue;
      bool same = true;
      for (std::size_t i = 0; i < tag.size() && same; ++i)
        same = AsciiUpper(known[i]) == AsciiUpper(tag[i]);
      if (same) return;
    }
    block.tags.emplace_back(tag);
  }

  std::string_view Decoded(std::string_view text) { return texts_.Decode(text, decoded_).text; }

  const DxfLines& lines_;
  DxfCursor cursor_;
  std::string_view code_page_;
  DrawingInfo info_;
  Tally<NameCount> layers_;
  Tally<InsertedBlock> blocks_;
  Tally<NameCount> others_;
  std::vector<std::string_view> table_layers_;
  TextDecoder texts_;
  std::string decoded_;
};

DrawingInfoRead InfoOf(std::unique_ptr<DxfLines> lines, std::string_view reason,
                       std::string_view code_page) {
  DrawingInfoRead read;
  if (!lines) {
    read.failure = Failure{Failure::Kind::kDxfUnreadable, {}, {}, 0, std::string(reason)};
    return read;
  }
  read.info = InfoWalk(*lines, code_page).Read();
  if (lines->Changed()) {
    read.info.reset();
    read.failure = Failure{Failure::Kind::kFileChanged};
  } else if (!read.info) {
    read.failure = Failure{Failure::Kind::kNotDxf};
  }
  return read;
}

}  // namespace

DrawingInfoRead ReadDrawingInfo(const std::string& dxf_path, std::string_view code_page) {
  std::string reason;
  std::unique_ptr<DxfLines> lines = DxfLines::Load(dxf_path, reason);
  return InfoOf(std::move(lines), reason, code_page);
}

DrawingInfoRead DrawingInfoOfText(std::string_view dxf_text, std::string_view code_page) {
  return InfoOf(DxfLines::FromText(dxf_text), {}, code_page);
}

}  // namespace quorvex
