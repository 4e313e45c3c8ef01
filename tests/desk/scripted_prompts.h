#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "desk/log_viewer.h"
#include "desk/prompts.h"

namespace quorvex::testing {

/// Answers the questions and dialogs from a script and records what was shown.
class ScriptedPrompts : public Prompts {
 public:
  void Information(std::string_view text) override { information.emplace_back(text); }
  void Error(std::string_view text) override { errors.emplace_back(text); }
  Answer AskYesNoCancel(std::string_view question) override {
    questions.emplace_back(question);
    return answer;
  }
  bool AskYesNo(std::string_view question) override {
    questions.emplace_back(question);
    return yes;
  }
  std::optional<std::filesystem::path> ChooseFileToLoad(const std::filesystem::path&) override {
    return load_path;
  }
  std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path&,
                                                        std::string_view file_name) override {
    proposed_names.emplace_back(file_name);
    return save_path;
  }

  Answer answer = Answer::kCancel;
  bool yes = false;  // the answer to Yes/No questions
  std::optional<std::filesystem::path> load_path;
  std::optional<std::filesystem::path> save_path;
  std::vector<std::string> information, questions, errors, proposed_names;
};

class RecordedViewer final : public LogViewer {
 public:
  bool Open(std::string_view log_path) override {
    opened.emplace_back(log_path);
    return true;
  }
  std::vector<std::string> opened;
};

}  // namespace quorvex::testing
