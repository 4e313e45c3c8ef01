#include "block_name_filter.h"

#include "text_util.h"

namespace quorvex {
namespace {

constexpr char32_t kAnyCharacter = U'?';
constexpr std::size_t kNotFound = std::u32string_view::npos;

// Names and patterns are UTF-8, and "?" stands for one character of it: both are compared as
// sequences of characters, each the bytes of one character packed into a number (a byte that
// does not start a character is taken with the one before), with the letters a-z in capitals.
void AppendCharacters(std::string_view text, std::u32string& out) {
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(AsciiUpper(text[i]));
    char32_t key = c;
    std::size_t end = i + 1;
    for (; end < text.size() && end < i + 4; ++end) {
      c = static_cast<unsigned char>(text[end]);
      if ((c & 0xC0) != 0x80) break;
      key = static_cast<char32_t>(key << 8 | c);
    }
    out.push_back(key);
    i = end;
  }
}

// The characters between two stars of a pattern, or before the first or after the last.
class Segment {
 public:
  explicit Segment(std::u32string characters) : characters_(std::move(characters)) {
    any_ = characters_.find(kAnyCharacter) != std::u32string::npos;
    if (!any_) border_ = Borders(characters_);
  }

  std::size_t size() const { return characters_.size(); }

  // True when the segment matches `name` from `at` on (which leaves room for it).
  bool MatchesAt(std::u32string_view name, std::size_t at) const {
    for (std::size_t i = 0; i < characters_.size(); ++i) {
      const char32_t c = characters_[i];
      if (c != kAnyCharacter && c != name[at + i]) return false;
    }
    return true;
  }

  // Where the segment first matches within `name`, or kNotFound. Without "?" the search never
  // looks back, as Knuth, Morris and Pratt showed: the borders tell how much of what matched
  // still can.
  std::size_t FindIn(std::u32string_view name) const {
    const std::size_t n = characters_.size();
    if (n == 0) return 0;
    if (name.size() < n) return kNotFound;
    if (any_) {
      for (std::size_t at = 0; at + n <= name.size(); ++at)
        if (MatchesAt(name, at)) return at;
      return kNotFound;
    }
    std::size_t matched = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
      while (matched > 0 && name[i] != characters_[matched])
        matched = border_[matched - 1];
      if (name[i] == characters_[matched]) ++matched;
      if (matched == n) return i + 1 - n;
    }
    return kNotFound;
  }

 private:
  // For each prefix of `text`, the length of its longest proper prefix that is also its suffix.
  static std::vector<std::size_t> Borders(const std::u32string& text) {
    std::vector<std::size_t> border(text.size(), 0);
    std::size_t k = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
      while (k > 0 && text[i] != text[k])
        k = border[k - 1];
      if (text[i] == text[k]) ++k;
      border[i] = k;
    }
    return border;
  }

  std::u32string characters_;
  bool any_ = false;  // holds "?"
  std::vector<std::size_t> border_;
};

}  // namespace

// A run of stars matches what one star matches, except at the end of the name, where only a
// last single star matches the empty rest: a run at the end keeps that it does not.
struct BlockNameFilter::Pattern {
  std::vector<Segment> segments;  // one more than the runs of stars
  bool last_star_matches_empty = true;

  explicit Pattern(std::string_view pattern) {
    std::u32string characters;
    AppendCharacters(pattern, characters);
    std::u32string segment;
    std::size_t run = 0;
    for (const char32_t c : characters) {
      if (c != U'*') {
        segment.push_back(c);
        run = 0;
      } else if (++run == 1) {
        segments.emplace_back(std::move(segment));
        segment.clear();
      }
    }
    segments.emplace_back(std::move(segment));
    last_star_matches_empty = run <= 1;
  }

  // Each segment between the stars is taken at its first place after the one before: a later
  // place would leave less of the name to the segments after it. The first and the last segment
  // are held at the ends of the name.
  bool Matches(std::u32string_view name) const {
    const Segment& first = segments.front();
    if (segments.size() == 1) return name.size() == first.size() && first.MatchesAt(name, 0);
    const Segment& last = segments.back();
    if (name.size() < first.size() + last.size()) return false;
    if (!first.MatchesAt(name, 0) || !last.MatchesAt(name, name.size() - last.size())) {
      return false;
    }
    std::u32string_view rest = name.substr(first.size(), name.size() - first.size() - last.size());
    for (std::size_t i = 1; i + 1 < segments.size(); ++i) {
      const std::size_t at = segments[i].FindIn(rest);
      if (at == kNotFound) return false;
      rest.remove_prefix(at + segments[i].size());
    }
    return last_star_matches_empty || !rest.empty();
  }
};

bool MatchPattern(std::string_view name, std::string_view pattern) {
  std::u32string characters;
  AppendCharacters(name, characters);
  return BlockNameFilter::Pattern(pattern).Matches(characters);
}

bool MatchPatternList(std::string_view list, std::string_view name) {
  return BlockNameFilter(list).Passes(name);
}

BlockNameFilter::BlockNameFilter(std::string_view list) {
  for (;;) {
    const std::size_t comma = list.find(',');
    if (comma == std::string_view::npos) break;
    const std::string_view entry = Trimmed(list.substr(0, comma));
    if (!entry.empty()) patterns_.emplace_back(entry);
    list = Trimmed(list.substr(comma + 1));
  }
  list = Trimmed(list);
  passes_all_ = list.empty();
  if (!passes_all_) patterns_.emplace_back(list);
}

BlockNameFilter::~BlockNameFilter() = default;

bool BlockNameFilter::Passes(std::string_view name) {
  if (passes_all_) return true;
  if (const auto known = verdicts_.find(name); known != verdicts_.end()) return known->second;
  name_.clear();
  AppendCharacters(name, name_);
  bool passes = false;
  for (const Pattern& pattern : patterns_) {
    if (pattern.Matches(name_)) {
      passes = true;
      break;
    }
  }
  verdicts_.emplace(name, passes);
  return passes;
}

}  // namespace quorvex
