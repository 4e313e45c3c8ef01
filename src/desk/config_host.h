#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace quorvex {

/// Texts of the configuration file dialogs.
inline constexpr std::string_view kLoadDialogTitle = "Load a configuration";
inline constexpr std::string_view kSaveDialogTitle = "Save current configuration";
inline constexpr std::string_view kConfigFileFilter = "Quorvex configuration files (*.qrv)|*.qrv";
inline constexpr std::string_view kConfigFileExtension = "qrv";

/// What the configuration commands need from the program around them: its message boxes, its
/// file dialogs and the settings value that remembers the configuration in use. The window
/// implements it with its dialogs and settings store, tests with a script.
class ConfigHost {
 public:
  enum class Answer { kYes, kNo, kCancel };

  virtual ~ConfigHost() = default;
  /// A question with the information icon and the buttons Yes, No and Cancel; a box closed
  /// without a button answers kCancel.
  virtual Answer AskYesNoCancel(std::string_view question) = 0;
  /// A message with the error icon and an OK button.
  virtual void ShowError(std::string_view message) = 0;
  /// The open dialog, starting in `folder`; nullopt when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFileToLoad(
      const std::filesystem::path& folder) = 0;
  /// The save dialog, starting in `folder` and proposing `file_name`; it asks before
  /// overwriting a file. nullopt when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path& folder,
                                                                std::string_view file_name) = 0;
  /// Stores the settings value "config": the name of the configuration in use, without folder.
  virtual void StoreConfigName(std::string_view file_name) = 0;
};

}  // namespace quorvex
