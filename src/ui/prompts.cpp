#include "ui/prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "desk/window_words.h"
#include "ui/qt_text.h"

namespace quorvex::ui {
namespace {

// Message boxes carry the application title, as the taskbar shows it.
const QString kBoxTitle = QStringLiteral("Quorvex 4.03");

// Qt's form of the configuration files' filter and their default suffix.
const QString kFilter = QStringLiteral("Quorvex configuration files (*.qrv)");

// The dialogs start in the configurations folder; when it does not exist (the program never
// creates it), in the nearest folder above it that does.
QString StartFolder(const std::filesystem::path& folder) {
  QDir dir(ToQString(folder.string()));
  while (!dir.exists() && dir.cdUp()) {
  }
  return dir.exists() ? dir.absolutePath() : QDir::homePath();
}

std::optional<std::filesystem::path> RunFileDialog(QFileDialog& dialog) {
  dialog.setNameFilter(kFilter);
  dialog.setDefaultSuffix(ToQString(kConfigFileExtension));
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().constFirst().toStdString());
}

}  // namespace

void DialogPrompts::Information(std::string_view text) {
  QMessageBox::information(parent_, kBoxTitle, ToQString(text));
}

void DialogPrompts::Error(std::string_view text) {
  QMessageBox::critical(parent_, kBoxTitle, ToQString(text));
}

Prompts::Answer DialogPrompts::AskYesNoCancel(std::string_view question) {
  QMessageBox box(QMessageBox::Information, kBoxTitle, ToQString(question),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
  box.setObjectName(QStringLiteral("savePrompt"));
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

std::optional<std::filesystem::path> DialogPrompts::ChooseFileToLoad(
    const std::filesystem::path& folder) {
  QFileDialog dialog(parent_, ToQString(kLoadDialogTitle), StartFolder(folder));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return RunFileDialog(dialog);
}

std::optional<std::filesystem::path> DialogPrompts::ChooseFileToSave(
    const std::filesystem::path& folder, std::string_view file_name) {
  QFileDialog dialog(parent_, ToQString(kSaveDialogTitle), StartFolder(folder));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.selectFile(ToQString(file_name));
  return RunFileDialog(dialog);
}

}  // namespace quorvex::ui
