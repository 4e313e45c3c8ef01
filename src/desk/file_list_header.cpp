#include "desk/file_list_header.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace quorvex {
namespace {

constexpr std::array<std::uint8_t, 4> kTag = {'Q', 'V', 'F', 'H'};
constexpr std::int32_t kVersion = 1;
constexpr std::int32_t kMaxColumns = 16;
constexpr std::int32_t kColumnCount = 3;

void PutInt(std::vector<std::uint8_t>& bytes, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8)
    bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
}

void PutList(std::vector<std::uint8_t>& bytes, const std::vector<std::int32_t>& values) {
  PutInt(bytes, static_cast<std::int32_t>(values.size()));
  for (const std::int32_t value : values)
    PutInt(bytes, value);
}

// Reads little-endian integers and remembers whether it ever ran past the end.
class Reader {
 public:
  explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  std::int32_t Int() {
    if (bytes_.size() - pos_ < 4) {
      failed_ = true;
      return 0;
    }
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
      bits |= static_cast<std::uint32_t>(bytes_[pos_++]) << (8 * i);
    return static_cast<std::int32_t>(bits);
  }

  // nullopt for a count outside 0..kMaxColumns or too few bytes behind it.
  std::optional<std::vector<std::int32_t>> List() {
    const std::int32_t count = Int();
    if (failed_ || count < 0 || count > kMaxColumns) return std::nullopt;
    std::vector<std::int32_t> values;
    for (std::int32_t i = 0; i < count; ++i)
      values.push_back(Int());
    if (failed_) return std::nullopt;
    return values;
  }

  bool AtEnd() const { return !failed_ && pos_ == bytes_.size(); }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::size_t pos_ = kTag.size();
  bool failed_ = false;
};

// The window moves its columns by these numbers, so each visual position must name a distinct
// logical column.
bool IsPermutation(std::vector<std::int32_t> order) {
  std::sort(order.begin(), order.end());
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] != static_cast<std::int32_t>(i)) return false;
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeFileListHeader(const FileListHeaderState& state) {
  std::vector<std::uint8_t> bytes(kTag.begin(), kTag.end());
  PutInt(bytes, kVersion);
  PutInt(bytes, static_cast<std::int32_t>(state.sort.column));
  PutInt(bytes, state.sort.descending ? 1 : 0);
  PutInt(bytes, state.shaded_column);
  PutList(bytes, state.widths);
  PutList(bytes, state.order);
  return bytes;
}

std::optional<FileListHeaderState> DecodeFileListHeader(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kTag.size() || !std::equal(kTag.begin(), kTag.end(), bytes.begin()))
    return std::nullopt;
  Reader reader(bytes);
  if (reader.Int() != kVersion) return std::nullopt;
  const std::int32_t column = reader.Int();
  const std::int32_t descending = reader.Int();
  const std::int32_t shaded = reader.Int();
  if (column < 0 || column >= kColumnCount || (descending != 0 && descending != 1) || shaded < -1 ||
      shaded >= kColumnCount)
    return std::nullopt;
  auto widths = reader.List();
  if (!widths) return std::nullopt;
  auto order = reader.List();
  if (!order || !reader.AtEnd()) return std::nullopt;
  if (std::any_of(widths->begin(), widths->end(), [](std::int32_t w) { return w < 0; }) ||
      !IsPermutation(*order))
    return std::nullopt;

  FileListHeaderState state;
  state.sort.column = static_cast<SortColumn>(column);
  state.sort.descending = descending == 1;
  state.shaded_column = shaded;
  state.widths = std::move(*widths);
  state.order = std::move(*order);
  return state;
}

}  // namespace quorvex
