#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "batch/file_listing.h"
#include "batch/locale_formats.h"
#include "desk/file_list_header.h"
#include "desk/settings_store.h"

namespace quorvex {

/// Told of every folder the folder tree hands over that has a file-system path.
class FolderFollower {
 public:
  virtual ~FolderFollower() = default;
  virtual void FolderChanged(const std::string& path) = 0;
};

/// What the file browser tells the window. The browser changes only itself; the window redraws
/// what it is told changed.
class DxfBrowserObserver {
 public:
  virtual ~DxfBrowserObserver() = default;
  /// The rows are about to be replaced or reordered.
  virtual void RowsAboutToChange() {}
  /// The rows were replaced or reordered; the selection may have changed with them.
  virtual void RowsChanged() {}
  /// The browser changed the selection of rows that stayed in place.
  virtual void SelectionChanged() {}
  /// The count line, the folder label or the header's shading changed.
  virtual void StatusChanged() {}
  /// The keyboard focus belongs in the file list.
  virtual void FocusList() {}
};

/// The "DXF files to process" group: the folder chosen in the folder tree, its DXF files with
/// their selection and sort order, the count line, and the "AutoSelect all files." option.
class DxfBrowser {
 public:
  DxfBrowser(SettingsStore& settings, DateTimeSeparators separators);

  void SetObserver(DxfBrowserObserver* observer);
  /// The output directory, which follows the folder tree while it is locked; null for none.
  void SetFollower(FolderFollower* follower);

  /// The folder tree selected `path` (also when start-up selects it). The list is emptied; a
  /// path without a "/" (a location without a file-system path) leaves it empty and changes
  /// nothing else. Otherwise the folder is listed, the folder label takes the path and the
  /// follower is told.
  void FolderChanged(std::string_view path);
  /// "Refresh folder": empties the list and lists the tree's folder again, sorted by the header's
  /// current state. The folder label and the follower are left alone. A tree path without a "/"
  /// lists nothing (it is no folder of the file system).
  void Refresh();
  /// "Select All".
  void SelectAll();
  /// The user changed the selection in the list: one entry per row, in display order.
  void SetSelection(const std::vector<bool>& selected);
  /// Selects exactly the rows whose file names (without folder) are in `file_names`, as when
  /// drawings are opened from the desktop; returns how many rows that selected. With none found,
  /// the selection is left as it was.
  std::size_t SelectFiles(const std::vector<std::string>& file_names);
  /// A left click on the header of `column`: the direction is reversed, the column is shaded and
  /// becomes the sort column, the list is sorted and the keyboard focus goes to the list.
  void ClickHeader(SortColumn column);
  /// "AutoSelect all files." clicked, now `on`: selects every row when on (unchecking selects
  /// nothing off), asks for the focus in the list, shows "N files selected." until the next
  /// change of the list, and stores "autosel".
  void ClickAutoSelect(bool on);

  /// Start-up: the stored "autosel"; when it checks the box, the click rule runs.
  void RestoreAutoSelect();
  /// Start-up: the sort and the shading of a stored header. Nothing is sorted until the next
  /// listing, refresh or header click.
  void RestoreHeader(const FileListHeaderState& header);
  /// The sort and the shading, for storing at exit (the window adds widths and order).
  FileListHeaderState HeaderState() const;

  const FileList& list() const { return list_; }
  /// The folder tree's path as last handed over, also one without a "/".
  const std::string& tree_path() const { return tree_path_; }
  /// The folder the label under the tree names, unshortened; empty before the first folder.
  const std::string& label_path() const { return label_path_; }
  /// The line under the list: the count line, or the auto-select line right after a click.
  const std::string& status_line() const { return status_line_; }
  bool auto_select() const { return auto_select_; }
  int shaded_column() const { return shaded_column_; }
  bool HasSelection() const { return list_.SelectedCount() > 0; }
  /// The selected files' paths in display order: what a run converts.
  std::vector<std::string> SelectedDxfPaths() const;
  /// The path of the file of `row`, in display order.
  std::string DxfPathOf(std::size_t row) const;

 private:
  void ListTreeFolder();
  void ListStateChanged();

  SettingsStore& settings_;
  DateTimeSeparators separators_;
  DxfBrowserObserver* observer_;
  FolderFollower* follower_ = nullptr;
  FileList list_;
  std::string tree_path_;
  std::string label_path_;
  std::string status_line_;
  bool auto_select_ = false;
  int shaded_column_ = -1;
};

}  // namespace quorvex
