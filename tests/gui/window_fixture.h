#pragma once

#include <QAbstractButton>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_fakes.h"
#include "desk/output_directory.h"
#include "desk/recording_chooser.h"
#include "ui/desktop_launcher.h"
#include "ui/main_window.h"
#include "ui/prompts.h"
#include "ui/qsettings_store.h"

namespace quorvex::ui::testing {

/// Records every message and answers the questions and file dialogs from a script. An unscripted
/// question is answered Cancel, an unscripted dialog is cancelled.
class ScriptedPrompts final : public Prompts {
 public:
  void Information(std::string_view text) override {
    information.emplace_back(text);
    shown.emplace_back(text);
  }
  void Error(std::string_view text) override {
    errors.emplace_back(text);
    shown.emplace_back(text);
  }
  Prompts::Answer AskYesNoCancel(std::string_view question) override;
  bool AskYesNo(std::string_view question) override;
  std::optional<std::filesystem::path> ChooseFileToLoad(
      const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path& folder,
                                                        std::string_view file_name) override;

  std::deque<Prompts::Answer> answers;
  /// The answers to Yes/No questions; an unscripted one is answered No.
  std::deque<bool> yes_no_answers;
  std::deque<std::optional<std::filesystem::path>> files_to_load, files_to_save;
  /// Called as a question is asked, before it is answered.
  std::function<void()> on_question;

  std::vector<std::string> information, errors, questions;
  /// Every information and error message, in the order shown.
  std::vector<std::string> shown;
  int load_dialogs = 0;
  /// The name each save dialog proposed.
  std::vector<std::string> proposed_save_names;
};

/// Records what the window hands to the desktop; `opens` false plays a desktop without any
/// application to open it.
class RecordingLauncher final : public DesktopLauncher {
 public:
  bool Open(std::string_view log_path) override {
    opened_logs.emplace_back(log_path);
    return opens;
  }
  bool OpenFolder(const QString& path) override {
    folders.append(path);
    return opens;
  }
  bool OpenUrl(const QUrl& url) override {
    urls.append(url);
    return opens;
  }

  bool opens = true;
  std::vector<std::string> opened_logs;
  QStringList folders;
  QList<QUrl> urls;
};

/// A fresh world for one test: a home folder holding "drawings" (building, road and site_blocks
/// from the samples) and an empty folder "other", a program folder for the log and the
/// configurations, a settings file, and the recorders every window of the test shares.
class WindowFixture {
 public:
  WindowFixture();

  bool isValid() const { return valid_; }
  QString home() const { return root_ + "/home"; }
  QString drawings() const { return home() + "/drawings"; }
  QString other() const { return home() + "/other"; }
  /// The program folder, ending in "/": the log and the configurations folder live here.
  QString programFolder() const { return root_ + "/program/"; }
  QString configurations() const { return programFolder() + "configurations"; }
  QString logFile() const { return programFolder() + "QuorvexLog.txt"; }
  QString settingsPath() const { return root_ + "/settings.conf"; }
  /// A folder of its own for what a test writes.
  QString makeFolder(const QString& name) const;

  struct Start {
    /// "default.qrv"; the built-in default configuration when empty.
    std::optional<std::string> default_config;
    std::vector<std::string> open_paths;
  };
  /// A main window over the settings file, shown, with its start-up messages delivered.
  std::unique_ptr<MainWindow> startWindow(const Start& start = {});

  ScriptedPrompts prompts;
  RecordingLauncher launcher;
  quorvex::testing::RecordingChooser chooser;
  quorvex::testing::FixedClock clock;

 private:
  QTemporaryDir dir_;
  QString root_;
  bool valid_ = false;
  std::vector<std::unique_ptr<QSettingsStore>> stores_;
};

/// The settings file as the next start reads it.
QVariant StoredSetting(const WindowFixture& fixture, const QString& name);

/// Clicks a button the user can see and use; false for a hidden or disabled one.
bool Press(QAbstractButton* button);

/// The named child of the window, or null.
template <typename T>
T* Find(const QWidget& window, const char* name) {
  return window.findChild<T*>(QString::fromLatin1(name));
}

QByteArray ReadAll(const QString& path);
/// The lines of a text file written with CR LF line ends.
QStringList ReadLines(const QString& path);
QStringList Texts(const std::vector<std::string>& texts);

/// Chooses `path` in the window's folder tree, as a click on it does; false when the tree cannot
/// show it.
bool ChooseFolder(const MainWindow& window, const QString& path);
/// The folder selected in the folder tree.
QString ChosenFolder(const MainWindow& window);
/// The "Name" cells of the file list, top to bottom, and those of its selected rows.
QStringList ListedNames(const MainWindow& window);
QStringList SelectedNames(const MainWindow& window);
/// The hint a tooltip request at `position` of `widget` shows; empty when none shows.
QString TooltipAt(QWidget* widget, QPoint position);

/// A click on a row of the file list, with `modifiers` (Ctrl adds or removes a row).
void ClickRow(const MainWindow& window, int row, Qt::KeyboardModifiers modifiers = {});

}  // namespace quorvex::ui::testing
