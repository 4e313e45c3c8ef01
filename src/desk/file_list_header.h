#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "batch/file_listing.h"

namespace quorvex {

/// What the settings value "VTFiles" keeps of the file list's header.
struct FileListHeaderState {
  SortState sort;
  /// The column drawn in the sort column's shade, or -1 before the first header click.
  int shaded_column = -1;
  /// Width of each column by its logical number ("Name", "Modified", "Size"); empty when the
  /// window has not told.
  std::vector<std::int32_t> widths;
  /// The logical column shown at each visual position; empty for the design order.
  std::vector<std::int32_t> order;

  friend bool operator==(const FileListHeaderState&, const FileListHeaderState&) = default;
};

/// The bytes stored as "VTFiles": the tag "QVFH", then little-endian 32-bit integers: version 1,
/// sort column, descending (0 or 1), shaded column, the number of widths and the widths, the
/// number of order entries and the entries. Only this program reads them.
std::vector<std::uint8_t> EncodeFileListHeader(const FileListHeaderState& state);
/// nullopt for bytes this program did not write (another tag or version, a wrong length, a sort
/// column or a shaded column out of range, a direction other than 0 or 1, more than 16 columns,
/// a negative width, an order that does not name each of its positions' columns exactly once).
std::optional<FileListHeaderState> DecodeFileListHeader(const std::vector<std::uint8_t>& bytes);

}  // namespace quorvex
