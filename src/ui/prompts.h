#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "desk/prompts.h"

class QWidget;

namespace quorvex::ui {

/// Prompts as message boxes and file dialogs over `parent`: the one place where the program
/// waits for the user.
class DialogPrompts final : public Prompts {
 public:
  explicit DialogPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  /// The folder of the presets, which the load dialog offers beside the configurations folder.
  void SetPresetsFolder(const std::filesystem::path& folder) { presets_folder_ = folder; }

  void Information(std::string_view text) override;
  void Error(std::string_view text) override;
  Answer AskYesNoCancel(std::string_view question) override;
  bool AskYesNo(std::string_view question) override;
  std::optional<std::string> AskText(std::string_view title, std::string_view label) override;
  std::optional<std::filesystem::path> ChooseFileToLoad(
      const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path& folder,
                                                        std::string_view file_name) override;

 private:
  QWidget* parent_;
  std::filesystem::path presets_folder_;
};

}  // namespace quorvex::ui
