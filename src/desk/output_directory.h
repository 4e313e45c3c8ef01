#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "desk/dxf_browser.h"
#include "desk/settings_store.h"

namespace quorvex {

/// What the output directory tells the window.
class OutputDirectoryObserver {
 public:
  virtual ~OutputDirectoryObserver() = default;
  /// The destination text changed.
  virtual void DestinationChanged() {}
  /// Locked or unlocked: which of the two lock buttons shows, and whether the destination field
  /// and the browse button are enabled.
  virtual void LockChanged() {}
};

/// The destination folder dialog: shown modally, it first selects `start` when given (otherwise
/// it keeps what it showed when last closed); returns the chosen folder, nullopt on Cancel.
class FolderChooser {
 public:
  virtual ~FolderChooser() = default;
  virtual std::optional<std::string> ChooseFolder(const std::optional<std::string>& start) = 0;
};

/// The destination directory of the data files and its lock to the folder tree.
class OutputDirectory final : public FolderFollower {
 public:
  explicit OutputDirectory(SettingsStore& settings);

  void SetObserver(OutputDirectoryObserver* observer);

  /// Stores "locked" on; the destination becomes `tree_path` as it is, without any test, and
  /// follows the folder tree from now on.
  void Lock(std::string_view tree_path);
  /// Stores "locked" off; the destination keeps its text and no longer follows the tree.
  void Unlock();
  /// The folder tree handed over a folder: copied into the destination while locked.
  void FolderChanged(const std::string& path) override;
  /// Start-up's stored destination; also what the folder dialog's OK sets.
  void SetDestination(std::string_view path);
  /// "Browse": the dialog opens on the destination when that names an existing folder; its OK
  /// sets the destination, its Cancel changes nothing. Nothing happens while locked (the browse
  /// button is disabled then).
  void Browse(FolderChooser& chooser);

  bool locked() const { return locked_; }
  const std::string& destination() const { return destination_; }

 private:
  SettingsStore& settings_;
  OutputDirectoryObserver* observer_;
  std::string destination_;
  bool locked_ = false;
};

}  // namespace quorvex
