#include "window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHelpEvent>
#include <QSettings>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

#include "ui/folder_tree.h"
#include "ui/qt_text.h"

namespace quorvex::ui::testing {

Prompts::Answer ScriptedPrompts::AskYesNoCancel(std::string_view question) {
  questions.emplace_back(question);
  if (on_question) on_question();
  if (answers.empty()) return Prompts::Answer::kCancel;
  const Prompts::Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

bool ScriptedPrompts::AskYesNo(std::string_view question) {
  questions.emplace_back(question);
  if (on_question) on_question();
  if (yes_no_answers.empty()) return false;
  const bool yes = yes_no_answers.front();
  yes_no_answers.pop_front();
  return yes;
}

std::optional<std::string> ScriptedPrompts::AskText(std::string_view title,
                                                    std::string_view label) {
  text_dialogs.emplace_back(std::string(title) + " | " + std::string(label));
  if (texts.empty()) return std::nullopt;
  auto text = texts.front();
  texts.pop_front();
  return text;
}

std::optional<std::filesystem::path> ScriptedPrompts::ChooseFileToLoad(
    const std::filesystem::path&) {
  ++load_dialogs;
  if (files_to_load.empty()) return std::nullopt;
  auto file = files_to_load.front();
  files_to_load.pop_front();
  return file;
}

std::optional<std::filesystem::path> ScriptedPrompts::ChooseFileToSave(const std::filesystem::path&,
                                                                       std::string_view file_name) {
  proposed_save_names.emplace_back(file_name);
  if (files_to_save.empty()) return std::nullopt;
  auto file = files_to_save.front();
  files_to_save.pop_front();
  return file;
}

WindowFixture::WindowFixture() {
  if (!dir_.isValid()) return;
  // The folder tree reports resolved paths; so does the fixture.
  root_ = QDir(dir_.path()).canonicalPath();
  QDir root(root_);
  if (!root.mkpath("home/drawings") || !root.mkpath("home/other") || !root.mkpath("program"))
    return;
  const QDir samples(QStringLiteral(QUORVEX_SAMPLES_DIR));
  for (const char* name : {"building.dxf", "road.dxf", "site_blocks.dxf"}) {
    const QString file = QString::fromLatin1(name);
    if (!QFile::copy(samples.filePath(file), drawings() + "/" + file)) return;
  }
  valid_ = true;
}

QString WindowFixture::makeFolder(const QString& name) const {
  const QString path = root_ + "/" + name;
  return QDir().mkpath(path) ? path : QString();
}

std::unique_ptr<MainWindow> WindowFixture::startWindow(const Start& start) {
  stores_.push_back(std::make_unique<QSettingsStore>(settingsPath()));
  const WindowServices services{
      .settings = *stores_.back(),
      .prompts = prompts,
      .launcher = launcher,
      .clock = clock,
      .folder_chooser = &chooser,
      .paths = {ToStdString(programFolder()), ToStdString(programFolder()),
                ToStdString(configurations())},
      .default_config_path = start.default_config,
      .home_folder = ToStdString(home()),
      .help = {programFolder() + "help/index.html", QUrl(QStringLiteral("https://example.org/")),
               QStringLiteral("support@example.org")},
      .open_paths = start.open_paths};
  auto window = std::make_unique<MainWindow>(services);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
  // The not-found message is shown from a zero timer once the window is up.
  QCoreApplication::processEvents();
  return window;
}

QVariant StoredSetting(const WindowFixture& fixture, const QString& name) {
  return QSettings(fixture.settingsPath(), QSettings::NativeFormat).value(name);
}

bool Press(QAbstractButton* button) {
  if (!button || button->isHidden() || !button->isEnabled()) return false;
  button->click();
  return true;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList ReadLines(const QString& path) {
  QStringList lines = QString::fromUtf8(ReadAll(path)).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.constLast().isEmpty()) lines.removeLast();
  return lines;
}

QStringList Texts(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts)
    list.append(ToQString(text));
  return list;
}

bool ChooseFolder(const MainWindow& window, const QString& path) {
  auto* tree = Find<QTreeView>(window, "folderTree");
  auto* folders = tree ? qobject_cast<QFileSystemModel*>(tree->model()) : nullptr;
  if (!folders) return false;
  const QModelIndex folder = folders->index(path);
  if (!folder.isValid()) return false;
  tree->setCurrentIndex(folder);
  return ChosenFolder(window) == path;
}

QString ChosenFolder(const MainWindow& window) {
  auto* tree = Find<FolderTree>(window, "folderTree");
  return tree ? tree->currentFolder() : QString();
}

QStringList ListedNames(const MainWindow& window) {
  const QAbstractItemModel* files = Find<QTreeView>(window, "fileList")->model();
  QStringList names;
  for (int row = 0; row < files->rowCount(); ++row)
    names.append(files->index(row, 0).data().toString());
  return names;
}

QStringList SelectedNames(const MainWindow& window) {
  const auto* list = Find<QTreeView>(window, "fileList");
  QStringList names;
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    if (list->selectionModel()->isRowSelected(row, {}))
      names.append(list->model()->index(row, 0).data().toString());
  }
  return names;
}

QString TooltipAt(QWidget* widget, QPoint position) {
  QToolTip::hideText();
  // The tip fades out before it is hidden.
  if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) return QStringLiteral("(stuck)");
  QHelpEvent request(QEvent::ToolTip, position, widget->mapToGlobal(position));
  QApplication::sendEvent(widget, &request);
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

void ClickRow(const MainWindow& window, int row, Qt::KeyboardModifiers modifiers) {
  auto* list = Find<QTreeView>(window, "fileList");
  const QRect cell = list->visualRect(list->model()->index(row, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, cell.center());
}

}  // namespace quorvex::ui::testing
