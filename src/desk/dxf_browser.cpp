#include "desk/dxf_browser.h"

#include <algorithm>
#include <utility>

#include "batch/data_file_name.h"

namespace quorvex {
namespace {

DxfBrowserObserver& NoObserver() {
  static DxfBrowserObserver none;
  return none;
}

// A location of the folder tree that has no file-system path (the desktop's virtual items).
bool HasFileSystemPath(std::string_view path) {
  return path.find('/') != std::string_view::npos;
}

constexpr std::string_view kInitialStatus = "Files selected.";

}  // namespace

DxfBrowser::DxfBrowser(SettingsStore& settings, DateTimeSeparators separators)
    : settings_(settings),
      separators_(std::move(separators)),
      observer_(&NoObserver()),
      status_line_(kInitialStatus) {}

void DxfBrowser::SetObserver(DxfBrowserObserver* observer) {
  observer_ = observer ? observer : &NoObserver();
}

void DxfBrowser::SetFollower(FolderFollower* follower) {
  follower_ = follower;
}

void DxfBrowser::FolderChanged(std::string_view path) {
  tree_path_ = path;
  ListTreeFolder();
  if (!HasFileSystemPath(path)) return;
  label_path_ = path;
  observer_->StatusChanged();
  if (follower_) follower_->FolderChanged(tree_path_);
}

void DxfBrowser::Refresh() {
  ListTreeFolder();
}

// Listing a relative name would list the working directory, so a location without a
// file-system path always lists as empty.
void DxfBrowser::ListTreeFolder() {
  observer_->RowsAboutToChange();
  list_.Clear();
  if (HasFileSystemPath(tree_path_)) list_.List(tree_path_, auto_select_, separators_);
  observer_->RowsChanged();
  ListStateChanged();
}

void DxfBrowser::SelectAll() {
  list_.SelectAll();
  observer_->SelectionChanged();
  ListStateChanged();
}

void DxfBrowser::SetSelection(const std::vector<bool>& selected) {
  for (std::size_t row = 0; row < list_.rows().size(); ++row)
    list_.SetSelected(row, row < selected.size() && selected[row]);
  ListStateChanged();
}

std::size_t DxfBrowser::SelectFiles(const std::vector<std::string>& file_names) {
  const auto named = [&file_names](const FileRow& row) {
    return std::find(file_names.begin(), file_names.end(), row.entry.FileName) != file_names.end();
  };
  const std::vector<FileRow>& rows = list_.rows();
  const auto found = static_cast<std::size_t>(std::count_if(rows.begin(), rows.end(), named));
  if (found == 0) return 0;
  for (std::size_t row = 0; row < rows.size(); ++row)
    list_.SetSelected(row, named(rows[row]));
  observer_->SelectionChanged();
  ListStateChanged();
  return found;
}

void DxfBrowser::ClickHeader(SortColumn column) {
  shaded_column_ = static_cast<int>(column);
  observer_->RowsAboutToChange();
  list_.ClickHeader(column);
  observer_->RowsChanged();
  ListStateChanged();
  observer_->FocusList();
}

void DxfBrowser::ClickAutoSelect(bool on) {
  auto_select_ = on;
  if (on) SelectAll();
  observer_->FocusList();
  status_line_ = AutoSelectLine(list_.SelectedCount());
  observer_->StatusChanged();
  settings_.WriteOnOff(setting::kAutoSelect, on);
}

void DxfBrowser::RestoreAutoSelect() {
  if (settings_.ReadOnOff(setting::kAutoSelect).value_or(false)) ClickAutoSelect(true);
}

void DxfBrowser::RestoreHeader(const FileListHeaderState& header) {
  list_.SetSortState(header.sort);
  shaded_column_ = header.shaded_column;
  observer_->StatusChanged();
}

FileListHeaderState DxfBrowser::HeaderState() const {
  FileListHeaderState header;
  header.sort = list_.sort_state();
  header.shaded_column = shaded_column_;
  return header;
}

std::vector<std::string> DxfBrowser::SelectedDxfPaths() const {
  return list_.SelectedDxfPaths(tree_path_);
}

std::string DxfBrowser::DxfPathOf(std::size_t row) const {
  return WithTrailingSlash(tree_path_) + list_.rows().at(row).entry.FileName;
}

void DxfBrowser::ListStateChanged() {
  status_line_ = CountLine(list_.rows().size(), list_.SelectedCount());
  observer_->StatusChanged();
}

}  // namespace quorvex
