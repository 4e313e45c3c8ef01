#pragma once

#include "config/config_host.h"
#include "config/settings_store.h"
#include "ui/prompts.h"

namespace quorvex::ui {

/// The configuration commands' host in the window: its prompts and dialogs, and the settings
/// value that remembers the configuration in use.
class WindowHost final : public ConfigHost {
 public:
  WindowHost(Prompts& prompts, SettingsStore& settings) : prompts_(prompts), settings_(settings) {}

  Answer AskYesNoCancel(std::string_view question) override {
    return prompts_.AskYesNoCancel(question);
  }
  void ShowError(std::string_view message) override { prompts_.Error(message); }
  std::optional<std::filesystem::path> ChooseFileToLoad(
      const std::filesystem::path& folder) override {
    return prompts_.ChooseFileToLoad(folder);
  }
  std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path& folder,
                                                        std::string_view file_name) override {
    return prompts_.ChooseFileToSave(folder, file_name);
  }
  void StoreConfigName(std::string_view file_name) override {
    settings_.WriteText(setting::kConfig, file_name);
  }

 private:
  Prompts& prompts_;
  SettingsStore& settings_;
};

}  // namespace quorvex::ui
