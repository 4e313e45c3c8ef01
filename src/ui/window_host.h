#pragma once

#include <string>
#include <utility>
#include <vector>

#include "desk/config_host.h"
#include "desk/settings_store.h"
#include "ui/prompts.h"

namespace quorvex::ui {

/// The configuration commands' host in the window: its prompts and dialogs, and the settings
/// value that remembers the configuration in use. Messages can be held, in order, until the
/// window is on the screen.
class WindowHost final : public ConfigHost {
 public:
  WindowHost(Prompts& prompts, SettingsStore& settings) : prompts_(prompts), settings_(settings) {}

  /// From now on messages wait for `ShowHeldMessages`.
  void HoldMessages() { holding_ = true; }
  /// Shows the held messages in the order they came, and every later one at once.
  void ShowHeldMessages() {
    holding_ = false;
    for (const auto& [error, text] : held_) {
      if (error) {
        prompts_.Error(text);
      } else {
        prompts_.Information(text);
      }
    }
    held_.clear();
  }
  void ShowInformation(std::string_view message) {
    if (holding_) {
      held_.emplace_back(false, message);
    } else {
      prompts_.Information(message);
    }
  }

  Answer AskYesNoCancel(std::string_view question) override {
    return prompts_.AskYesNoCancel(question);
  }
  void ShowError(std::string_view message) override {
    if (holding_) {
      held_.emplace_back(true, message);
    } else {
      prompts_.Error(message);
    }
  }
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
  bool holding_ = false;
  std::vector<std::pair<bool, std::string>> held_;  // (error, text)
};

}  // namespace quorvex::ui
