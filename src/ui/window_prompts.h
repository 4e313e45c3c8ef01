#pragma once

#include <string>
#include <utility>
#include <vector>

#include "desk/prompts.h"

namespace quorvex::ui {

/// The window's prompts: those the program was given, with its messages held, in order, until
/// the window is on the screen.
class WindowPrompts final : public Prompts {
 public:
  explicit WindowPrompts(Prompts& prompts) : prompts_(prompts) {}

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

  void Information(std::string_view text) override {
    if (holding_) {
      held_.emplace_back(false, text);
    } else {
      prompts_.Information(text);
    }
  }
  void Error(std::string_view text) override {
    if (holding_) {
      held_.emplace_back(true, text);
    } else {
      prompts_.Error(text);
    }
  }
  Answer AskYesNoCancel(std::string_view question) override {
    return prompts_.AskYesNoCancel(question);
  }
  bool AskYesNo(std::string_view question) override { return prompts_.AskYesNo(question); }
  std::optional<std::string> AskText(std::string_view title, std::string_view label) override {
    return prompts_.AskText(title, label);
  }
  std::optional<std::filesystem::path> ChooseFileToLoad(
      const std::filesystem::path& folder) override {
    return prompts_.ChooseFileToLoad(folder);
  }
  std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path& folder,
                                                        std::string_view file_name) override {
    return prompts_.ChooseFileToSave(folder, file_name);
  }

 private:
  Prompts& prompts_;
  bool holding_ = false;
  std::vector<std::pair<bool, std::string>> held_;  // (error, text)
};

}  // namespace quorvex::ui
