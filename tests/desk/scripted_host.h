#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "desk/config_host.h"

namespace quorvex::testing {

/// Answers the prompts and dialogs from a script and records what was shown.
class ScriptedHost : public ConfigHost {
 public:
  Answer AskYesNoCancel(std::string_view question) override {
    questions.emplace_back(question);
    return answer;
  }
  void ShowError(std::string_view message) override { errors.emplace_back(message); }
  std::optional<std::filesystem::path> ChooseFileToLoad(const std::filesystem::path&) override {
    return load_path;
  }
  std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path&,
                                                        std::string_view file_name) override {
    proposed_names.emplace_back(file_name);
    return save_path;
  }
  void StoreConfigName(std::string_view file_name) override {
    stored_names.emplace_back(file_name);
  }

  Answer answer = Answer::kCancel;
  std::optional<std::filesystem::path> load_path;
  std::optional<std::filesystem::path> save_path;
  std::vector<std::string> questions, errors, proposed_names, stored_names;
};

}  // namespace quorvex::testing
