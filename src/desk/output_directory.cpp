#include "desk/output_directory.h"

#include <filesystem>

namespace quorvex {
namespace {

OutputDirectoryObserver& NoObserver() {
  static OutputDirectoryObserver none;
  return none;
}

bool IsDirectory(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace

OutputDirectory::OutputDirectory(SettingsStore& settings)
    : settings_(settings), observer_(&NoObserver()) {}

void OutputDirectory::SetObserver(OutputDirectoryObserver* observer) {
  observer_ = observer ? observer : &NoObserver();
}

void OutputDirectory::Lock(std::string_view tree_path) {
  settings_.WriteOnOff(setting::kLocked, true);
  locked_ = true;
  observer_->LockChanged();
  SetDestination(tree_path);
}

void OutputDirectory::Unlock() {
  settings_.WriteOnOff(setting::kLocked, false);
  locked_ = false;
  observer_->LockChanged();
}

void OutputDirectory::FolderChanged(const std::string& path) {
  if (locked_) SetDestination(path);
}

void OutputDirectory::SetDestination(std::string_view path) {
  destination_ = path;
  observer_->DestinationChanged();
}

void OutputDirectory::Browse(FolderChooser& chooser) {
  if (locked_) return;
  const std::optional<std::string> start =
      IsDirectory(destination_) ? std::optional<std::string>(destination_) : std::nullopt;
  if (const std::optional<std::string> chosen = chooser.ChooseFolder(start))
    SetDestination(*chosen);
}

}  // namespace quorvex
