#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/failure.h"
#include "locale_formats.h"

namespace quorvex {

/// One DXF file of the listed folder.
struct TFileEntry {
  std::string BaseName;  // the name without its last extension and that extension's dot
  std::string FileName;  // the name as the file system has it, so ".DXF" files open too
  std::string SizeText;
  std::string DateText;
  std::int64_t ModifiedTime = 0;  // last write, seconds since 1970 (UTC), in two-second steps
  std::int64_t SizeBytes = 0;
};

/// The "Size" cell: whole kilobytes plus one, so 0 bytes and 1023 bytes both show "1 KB".
std::string SizeText(std::int64_t size_bytes);

/// The "Modified" cell, month/day/year hour:minute with the given separators.
std::string DateText(const std::tm& local, const DateTimeSeparators& separators);

/// The DXF files of `folder` ("dxf" in any case, regular files and links to them) in the order
/// the file system gives them. A folder that cannot be read gives no entries, and `failure`
/// (when given) tells why.
std::vector<TFileEntry> ListDxfFiles(std::string_view folder, const DateTimeSeparators& separators,
                                     std::optional<Failure>* failure = nullptr);

enum class SortColumn { kName = 0, kModified = 1, kSize = 2 };

struct SortState {
  SortColumn column = SortColumn::kName;
  bool descending = false;

  friend bool operator==(const SortState&, const SortState&) = default;
};

/// The name order: a to z compare as their capitals, everything else by character
/// code; a name that begins the other comes first.
bool NameLess(std::string_view a, std::string_view b);

/// The count line under the list, e.g. "12 DXF files, 3 selected.".
std::string CountLine(std::size_t rows, std::size_t selected);
/// The line shown right after "AutoSelect all files." is clicked, e.g. "3 files selected.".
std::string AutoSelectLine(std::size_t selected);

struct FileRow {
  TFileEntry entry;
  bool selected = false;
};

/// The rows of the file list with their selection and sort order.
class FileList {
 public:
  /// Adds the DXF files of `folder` after the present rows, sorts, and selects the first row, or
  /// every row when `auto_select` is on. Returns why the folder could not be listed, if so.
  std::optional<Failure> List(std::string_view folder, bool auto_select,
                              const DateTimeSeparators& separators);
  void Clear() { rows_.clear(); }

  /// A click on a column's header: the direction is reversed (on every click, whichever column
  /// was sorted before) and the list is sorted by `column`.
  void ClickHeader(SortColumn column);
  /// Takes a restored header state; the order changes with the next listing or click.
  void SetSortState(SortState sort) { sort_ = sort; }
  SortState sort_state() const { return sort_; }

  void SetSelected(std::size_t row, bool selected) { rows_.at(row).selected = selected; }
  void SelectAll();
  std::size_t SelectedCount() const;

  /// The paths of the selected rows' files in display order.
  std::vector<std::string> SelectedDxfPaths(std::string_view source_folder) const;

  const std::vector<FileRow>& rows() const { return rows_; }

 private:
  void Sort();

  std::vector<FileRow> rows_;
  SortState sort_;
};

}  // namespace quorvex
