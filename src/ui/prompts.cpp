#include "ui/prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QUrl>

#include "config/config_forms.h"
#include "desk/window_words.h"
#include "ui/qt_text.h"

namespace quorvex::ui {
namespace {

// Message boxes carry the application title, as the taskbar shows it.
const QString kBoxTitle = QStringLiteral("Quorvex 4.03");

// The dialogs start in the configurations folder; when it does not exist (the program never
// creates it), in the nearest folder above it that does.
QString StartFolder(const std::filesystem::path& folder) {
  QDir dir(ToQString(folder.string()));
  while (!dir.exists() && dir.cdUp()) {
  }
  return dir.exists() ? dir.absolutePath() : QDir::homePath();
}

// The dialogs offer both forms and all files, `form`'s filter first. A name typed without an
// extension takes that of the form whose filter is chosen, else ".qrv".
std::optional<std::filesystem::path> RunFileDialog(QFileDialog& dialog, ConfigForm form) {
  const QString toml = ToQString(kTomlFilter);
  QStringList filters = {ToQString(kQrvFilter), toml, ToQString(kAllFilesFilter)};
  // What is opened may be of either form; the presets are TOML.
  if (dialog.acceptMode() == QFileDialog::AcceptOpen) filters.prepend(ToQString(kBothFormsFilter));
  dialog.setNameFilters(filters);
  const auto take_suffix = [&dialog, toml](const QString& filter) {
    dialog.setDefaultSuffix(ToQString(filter == toml ? kTomlExtension : kQrvExtension));
  };
  if (form == ConfigForm::kToml && dialog.acceptMode() == QFileDialog::AcceptSave)
    dialog.selectNameFilter(toml);
  take_suffix(dialog.selectedNameFilter());
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, take_suffix);
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

bool DialogPrompts::AskYesNo(std::string_view question) {
  QMessageBox box(QMessageBox::Information, kBoxTitle, ToQString(question),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setObjectName(QStringLiteral("formPrompt"));
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> DialogPrompts::AskText(std::string_view title, std::string_view label) {
  QInputDialog dialog(parent_);
  dialog.setObjectName(QStringLiteral("textPrompt"));
  dialog.setWindowTitle(ToQString(title));
  dialog.setLabelText(ToQString(label));
  dialog.setInputMode(QInputDialog::TextInput);
  // Wide enough for its title, which the frame of a dialog as narrow as its label would cut; its
  // layout takes its width from the line edit.
  if (auto* edit = dialog.findChild<QLineEdit*>())
    edit->setMinimumWidth(dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 120);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ToStdString(dialog.textValue());
}

std::optional<std::filesystem::path> DialogPrompts::ChooseFileToLoad(
    const std::filesystem::path& folder) {
  QFileDialog dialog(parent_, ToQString(kLoadDialogTitle), StartFolder(folder));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // The configurations folder and the presets are a click away in the dialog's side bar.
  QList<QUrl> places = dialog.sidebarUrls();
  for (const std::filesystem::path& place : {folder, presets_folder_}) {
    const QString local = ToQString(place.string());
    if (!place.empty() && QDir(local).exists()) places.append(QUrl::fromLocalFile(local));
  }
  dialog.setSidebarUrls(places);
  return RunFileDialog(dialog, ConfigForm::kQrv);
}

std::optional<std::filesystem::path> DialogPrompts::ChooseFileToSave(
    const std::filesystem::path& folder, std::string_view file_name) {
  QFileDialog dialog(parent_, ToQString(kSaveDialogTitle), StartFolder(folder));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.selectFile(ToQString(file_name));
  return RunFileDialog(dialog, FormOfName(std::filesystem::path(std::string(file_name))));
}

}  // namespace quorvex::ui
