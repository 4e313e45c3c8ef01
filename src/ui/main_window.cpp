#include "ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <utility>

#include "batch/locale_formats.h"
#include "desk/drawing_information.h"
#include "desk/preview.h"
#include "desk/process_command.h"
#include "desk/show_last_log.h"
#include "desk/window_words.h"
#include "engine/text_util.h"
#include "ui/batch_runner.h"
#include "ui/configuration_page.h"
#include "ui/desktop_launcher.h"
#include "ui/drawing_info_dialog.h"
#include "ui/dxf_files_group.h"
#include "ui/files_page.h"
#include "ui/fitted_label.h"
#include "ui/folder_dialog.h"
#include "ui/icons.h"
#include "ui/options_page.h"
#include "ui/output_group.h"
#include "ui/preview_panel.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/tooltip_filter.h"

namespace quorvex::ui {
namespace {

// The smallest window that shows every control of the three tabs uncut (at 96 dpi).
constexpr QSize kMinimumSize(784, 562);
constexpr int kFolderPanelWidth = 330;

}  // namespace

MainWindow::MainWindow(const WindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      prompts_(services.prompts),
      launcher_(services.launcher, prompts_),
      session_(config_, prompts_, services.settings, services.paths.configurations_folder),
      preferences_(services.settings),
      browser_(services.settings, CurrentDateTimeSeparators()),
      output_(services.settings),
      context_{services.settings,
               preferences_,
               browser_,
               output_,
               session_,
               *this,
               services.paths.configurations_folder,
               services.default_config_path,
               services.home_folder,
               services.open_paths} {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(ToQString(session_.window_title()));
  setWindowIcon(Icon(QStringLiteral("quorvex")));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setMinimumSize(kMinimumSize);
  // Group captions in bold, their contents in the normal font.
  setStyleSheet(
      QStringLiteral("QGroupBox { font-weight: bold; } QGroupBox * { font-weight: normal; }"));
  browser_.SetFollower(&output_);

  FolderChooser* chooser = services_.folder_chooser;
  if (!chooser) {
    folderDialog_ = std::make_unique<FolderDialog>(this);
    chooser = folderDialog_.get();
  }
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabs"));
  tabs_->setIconSize(QSize(24, 24));
  filesPage_ = new FilesPage(browser_, output_, config_, *chooser, launcher_, tabs_);
  configurationPage_ = new ConfigurationPage(config_, prompts_, tabs_);
  optionsPage_ = new OptionsPage(preferences_, launcher_, services_.help, tabs_);
  tabs_->addTab(filesPage_, Icon(QStringLiteral("tab-dxf-files")), QStringLiteral("DXF Files"));
  tabs_->addTab(configurationPage_, Icon(QStringLiteral("tab-configuration")),
                QStringLiteral("Configuration"));
  tabs_->addTab(optionsPage_, Icon(QStringLiteral("tab-options")),
                QStringLiteral("Options / Help"));
  setCentralWidget(tabs_);
  previewPanel_ = new PreviewPanel(
      [this] {
        return MakePreviewRequest(config_,
                                  PreviewDrawingPath(browser_, filesPage_->files().focusedRow()),
                                  ToStdString(filesPage_->extensionEdit()->text()),
                                  ToStdString(configurationPage_->otherSeparatorText()));
      },
      configurationPage_);
  configurationPage_->setPreview(previewPanel_);

  auto* statusIcon = new QLabel(this);
  statusIcon->setPixmap(Icon(QStringLiteral("status")).pixmap(16, 16));
  statusIcon->setFixedWidth(20);
  statusText_ = new QLabel(ToQString(session_.status_text()), this);
  statusText_->setObjectName(QStringLiteral("statusText"));
  statusBar()->setObjectName(QStringLiteral("statusBar"));
  statusBar()->setSizeGripEnabled(false);
  statusBar()->addWidget(statusIcon);
  statusBar()->addWidget(statusText_);
  runSummary_ = new FittedLabel(this);
  runSummary_->setObjectName(QStringLiteral("runSummaryText"));
  runSummary_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  runSummary_->setContentsMargins(0, 0, 6, 0);
  statusBar()->addWidget(runSummary_, 1);

  progressWindow_ = new ProgressWindow(this);
  runner_ = new BatchRunner(*progressWindow_, services_.clock, this);
  tooltips_ = new TooltipFilter(this);
  qApp->installEventFilter(tooltips_);

  connect(filesPage_, &FilesPage::processRequested, this, &MainWindow::process);
  connect(filesPage_, &FilesPage::exitRequested, this, &QWidget::close);
  connect(filesPage_, &FilesPage::showLogRequested, this,
          [this] { ShowLastLog(services_.paths.LogFile(), launcher_, prompts_); });
  connect(&filesPage_->files(), &DxfFilesGroup::pathsDropped, this, &MainWindow::openPaths);
  connect(&filesPage_->files(), &DxfFilesGroup::drawingInfoRequested, this,
          &MainWindow::showDrawingInfo);
  connect(configurationPage_, &ConfigurationPage::recordReplaced, &filesPage_->output(),
          &OutputGroup::showExtension);
  connect(configurationPage_, &ConfigurationPage::loadRequested, this, [this] {
    // The prompt before the open dialog may have saved under a new name, which the title shows
    // even when no file is loaded then.
    session_.LoadConfiguration();
    showConfigurationName();
  });
  connect(configurationPage_, &ConfigurationPage::saveRequested, this, [this] {
    session_.SaveConfiguration();
    showConfigurationName();
  });
  connect(optionsPage_, &OptionsPage::helpTipsChanged, tooltips_, &TooltipFilter::setEnabled);
  connect(runner_, &BatchRunner::finished, this, &MainWindow::runEnded);
  addShortcuts();
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(tooltips_);
  // The pages work on the core objects this window holds, and an editor still open commits its
  // text as it closes: the pages go while those objects still stand.
  delete takeCentralWidget();
}

// The main commands from any tab, each as a click on its button: never while that is disabled.
void MainWindow::addShortcuts() {
  const std::pair<QKeySequence, const char*> shortcuts[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_O), "loadButton"},
      {QKeySequence(Qt::CTRL | Qt::Key_S), "saveButton"},
      {QKeySequence(Qt::CTRL | Qt::Key_Q), "exitButton"},
      {QKeySequence(Qt::Key_F1), "helpButton"}};
  for (const auto& [keys, button_name] : shortcuts) {
    auto* button = findChild<QAbstractButton*>(QString::fromLatin1(button_name));
    connect(new QShortcut(keys, this), &QShortcut::activated, button, &QAbstractButton::click);
  }
}

bool MainWindow::runInProgress() const {
  return runner_->running();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (started_) return;
  started_ = true;
  startUp();
}

void MainWindow::startUp() {
  // The window is not on the screen yet: the start-up's messages follow it, in their order.
  prompts_.HoldMessages();
  QTimer::singleShot(0, this, [this] { prompts_.ShowHeldMessages(); });
  InitMainWindow(context_);
  optionsPage_->showPreferences();
  tooltips_->setEnabled(preferences_.show_tips());
  showConfigurationName();
}

// Exit, the close box and every other request to close arrive here, so every way out goes
// through the exit sequence and its prompt.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (exitConfirmed_ || confirmExit()) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool MainWindow::confirmExit() {
  if (runner_->running()) {
    // The run stops first, as "Stop process" does; the exit goes on once its report is written.
    exitAfterRun_ = true;
    runner_->stop();
    return false;
  }
  exitConfirmed_ = ExitMainWindow(context_);
  return exitConfirmed_;
}

void MainWindow::process() {
  if (runner_->running()) return;
  PreparedRun run =
      PrepareProcessCommand(config_, ToStdString(filesPage_->extensionEdit()->text()),
                            ToStdString(configurationPage_->otherSeparatorText()), browser_,
                            output_, preferences_, services_.paths.LogFile(), prompts_);
  if (run.check == ProcessCheck::kNoExtension) {
    tabs_->setCurrentWidget(filesPage_);
    filesPage_->extensionEdit()->setFocus(Qt::OtherFocusReason);
  }
  if (run.check != ProcessCheck::kPassed) return;
  setRunning(true);
  runner_->start(std::move(run));
}

// The window is usable again and sums the run up before its messages, or its log, are shown.
void MainWindow::runEnded() {
  setRunning(false);
  const PreparedRun& run = runner_->lastRun();
  const BatchResult& result = runner_->lastResult();
  const QString summary =
      ToQString(RunSummaryText(result, run.request.log_path, run.request.dxf_paths.size()));
  runSummary_->setFullText(summary);
  runSummary_->setToolTip(summary);
  FinishProcessCommand(run, result, prompts_, launcher_);
  emit runFinished();
  if (exitAfterRun_) {
    exitAfterRun_ = false;
    close();
  }
}

void MainWindow::setRunning(bool running) {
  filesPage_->setRunning(running);
  configurationPage_->setRunning(running);
}

void MainWindow::showConfigurationName() {
  setWindowTitle(ToQString(session_.window_title()));
  statusText_->setText(ToQString(session_.status_text()));
}

void MainWindow::openPaths(const QStringList& paths) {
  if (runner_->running()) return;
  std::vector<std::string> given;
  for (const QString& path : paths)
    given.push_back(ToStdString(path));
  const OpenRequest request = ResolveOpenPaths(given);
  if (!request.folder.empty()) {
    filesPage_->files().selectFolder(ToQString(request.folder));
    if (!request.file_names.empty()) browser_.SelectFiles(request.file_names);
  }
  if (const auto message = NotOpenedMessage(request)) prompts_.Information(*message);
}

// --- What start-up and exit set and read ---

void MainWindow::RestoreWindowSize(const std::optional<WindowSize>& size) {
  resize(size ? QSize(size->width, size->height).expandedTo(minimumSize()) : minimumSize());
  // Centred at every start: so the window is where the start-up's message box, centred on it,
  // expects it, before a window manager would place it anywhere.
  const QRect screen =
      (this->screen() ? this->screen() : QApplication::primaryScreen())->availableGeometry();
  move(screen.center() - QRect(QPoint(), frameGeometry().size()).center());
}

WindowSize MainWindow::CurrentWindowSize() const {
  return {width(), height()};
}

void MainWindow::SelectFolder(const std::string& folder) {
  filesPage_->files().selectFolder(ToQString(folder));
}

void MainWindow::RestoreHeaderLayout(const std::vector<std::int32_t>& widths,
                                     const std::vector<std::int32_t>& order) {
  filesPage_->files().restoreHeaderLayout(widths, order);
}

void MainWindow::CurrentHeaderLayout(std::vector<std::int32_t>& widths,
                                     std::vector<std::int32_t>& order) const {
  filesPage_->files().headerLayout(widths, order);
}

void MainWindow::RestoreFolderPanelWidth(const std::optional<int>& width) {
  filesPage_->files().setFolderPanelWidth(width.value_or(kFolderPanelWidth));
}

int MainWindow::CurrentFolderPanelWidth() const {
  return filesPage_->files().folderPanelWidth();
}

void MainWindow::ShowInformation(std::string_view text) {
  prompts_.Information(text);
}

void MainWindow::ShowFirstPage() {
  tabs_->setCurrentIndex(0);
}

void MainWindow::showDrawingInfo(const QString& path) {
  const std::string dxf_path = ToStdString(path);
  const DrawingInformation shown = ReadDrawingInformation(dxf_path, config_.extended().code_page);
  if (!shown.read) {
    prompts_.Error(shown.text);
    return;
  }
  auto* dialog =
      new DrawingInfoDialog(ToQString(FileNameOf(dxf_path)), ToQString(shown.text), this);
  dialog->show();
}

}  // namespace quorvex::ui
