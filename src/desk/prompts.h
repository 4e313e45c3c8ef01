#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

/// What the window's rules ask of the user: messages, questions and the configuration file
/// dialogs. Each call returns when the user has answered. The window asks with its message boxes
/// and dialogs, tests answer from a script.
class Prompts {
 public:
  enum class Answer { kYes, kNo, kCancel };

  virtual ~Prompts() = default;
  /// A message with the information icon and an OK button.
  virtual void Information(std::string_view text) = 0;
  /// A message with the error icon and an OK button.
  virtual void Error(std::string_view text) = 0;
  /// A question with the information icon and the buttons Yes, No and Cancel; a box closed
  /// without a button answers kCancel.
  virtual Answer AskYesNoCancel(std::string_view question) = 0;
  /// A question with the information icon and the buttons Yes and No; true for Yes, false for
  /// No and for a box closed without a button.
  virtual bool AskYesNo(std::string_view question) = 0;
  /// A small dialog titled `title` that asks for one line of text beside `label`, with OK and
  /// Cancel; the text as typed, or nullopt when cancelled.
  virtual std::optional<std::string> AskText(std::string_view title, std::string_view label) = 0;
  /// The open dialog "Load a configuration", starting in `folder`, for files of either form;
  /// nullopt when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFileToLoad(
      const std::filesystem::path& folder) = 0;
  /// The save dialog "Save current configuration", starting in `folder` and proposing
  /// `file_name`, in the form of the file name's extension; it asks before overwriting a file.
  /// nullopt when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path& folder,
                                                                std::string_view file_name) = 0;
};

}  // namespace quorvex
