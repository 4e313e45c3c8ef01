#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "config/config_model.h"
#include "desk/prompts.h"
#include "desk/settings_store.h"

namespace quorvex {

/// The configuration in use and its files: loading, saving, the changed-configuration prompt,
/// `ConfigSnapshot` and the texts that name the configuration in the window title and the status
/// bar. Every prompt, dialog and message goes through `prompts`; the settings value "config"
/// remembers the name of the configuration in use.
class ConfigSession {
 public:
  /// `configurations_folder` is where the dialogs start.
  ConfigSession(ConfigModel& model, Prompts& prompts, SettingsStore& settings,
                std::filesystem::path configurations_folder);

  /// The record as last loaded or saved (all zero before).
  const TExportConfig& ConfigSnapshot() const { return snapshot_; }
  /// True when the record differs from the snapshot in any byte, or the settings beyond the
  /// record differ from those last loaded or saved.
  bool Changed() const {
    return !SameConfig(model_.record(), snapshot_) || model_.extended() != extended_snapshot_;
  }
  /// Set from the start of a save until the file is written; stays set after a cancelled dialog
  /// or a failed write.
  bool SaveIncomplete() const { return save_incomplete_; }
  const std::string& window_title() const { return window_title_; }
  const std::string& status_text() const { return status_text_; }
  /// The name the save dialog proposes: the status text from its 29th character on.
  std::string ProposedSaveName() const;

  /// Loads the file, of either form (ReadConfiguration), into the model. A file that cannot be
  /// read, is neither form or holds a damaged tree stream or a refused text is refused with its
  /// message; the configuration and the snapshot then stay exactly as they were. On success the
  /// snapshot is the new record and the settings value "config" names the file. The title and
  /// the status text are the caller's.
  bool LoadConfigFile(const std::filesystem::path& path);
  /// Puts `content` in the model as a load does, and takes the snapshot.
  void ApplyLoadedContent(const ConfigContent& content);
  /// The title and the status text for a file loaded or saved.
  void ShowInUse(std::string_view file_name);
  /// After start-up fell back to the default configuration: "config" becomes "none", the texts
  /// say "None", and the snapshot's signature becomes "error" so that the configuration counts
  /// as changed until it is saved.
  void MarkDefaultFallback();

  /// "Save configuration": the save dialog, then the file. True when it was written.
  bool SaveConfiguration();
  /// Writes the configuration to `path` as a save does after its dialog, in the form the name
  /// asks for (FormOfName). Before a .qrv file that cannot keep the settings beyond the record,
  /// a Yes/No question names them: Yes drops them from the configuration and writes the file,
  /// No writes nothing.
  bool SaveConfigurationTo(const std::filesystem::path& path);
  /// "Load configuration": the changed-configuration prompt, the open dialog, the load. True
  /// when a file was loaded.
  bool LoadConfiguration();
  /// The changed-configuration prompt. True when the caller may go on and replace or abandon the
  /// configuration.
  bool AskToSaveChanges();

 private:
  void TakeSnapshot();

  ConfigModel& model_;
  Prompts& prompts_;
  SettingsStore& settings_;
  std::filesystem::path configurations_folder_;
  TExportConfig snapshot_{};
  ExtendedSettings extended_snapshot_;
  bool save_incomplete_ = false;
  std::string window_title_;
  std::string status_text_;
};

}  // namespace quorvex
