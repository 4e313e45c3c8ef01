#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "batch/message_boxes.h"
#include "desk/config_host.h"

class QWidget;

namespace quorvex::ui {

/// The window's modal questions, messages and file dialogs: the one place where the program
/// waits for the user. Tests answer them from a script.
class Prompts : public MessageBoxes {
 public:
  /// The changed-configuration question: information icon, Yes, No and Cancel.
  virtual ConfigHost::Answer AskYesNoCancel(std::string_view question) = 0;
  /// "Load a configuration", starting in `folder`; nullopt when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFileToLoad(
      const std::filesystem::path& folder) = 0;
  /// "Save current configuration", starting in `folder` with `file_name` proposed; asks
  /// before overwriting. nullopt when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path& folder,
                                                                std::string_view file_name) = 0;
};

/// Prompts as message boxes and file dialogs over `parent`.
class DialogPrompts final : public Prompts {
 public:
  explicit DialogPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Information(std::string_view text) override;
  void Error(std::string_view text) override;
  ConfigHost::Answer AskYesNoCancel(std::string_view question) override;
  std::optional<std::filesystem::path> ChooseFileToLoad(
      const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path& folder,
                                                        std::string_view file_name) override;

 private:
  QWidget* parent_;
};

}  // namespace quorvex::ui
