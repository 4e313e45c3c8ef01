#include "ui/files_page.h"

#include <QToolButton>
#include <QVBoxLayout>

#include "ui/command_bar.h"
#include "ui/dxf_files_group.h"
#include "ui/output_group.h"

namespace quorvex::ui {

FilesPage::FilesPage(DxfBrowser& browser, OutputDirectory& output, ConfigModel& config,
                     FolderChooser& chooser, DesktopLauncher& launcher, QWidget* parent)
    : QWidget(parent),
      files_(new DxfFilesGroup(browser, this)),
      output_(new OutputGroup(output, browser, config, chooser, launcher, this)) {
  setObjectName(QStringLiteral("filesPage"));
  auto* bar = new CommandBar(112, this);
  processButton_ = bar->addButton(QStringLiteral("processButton"), QStringLiteral("process"),
                                  QStringLiteral(" &Process selected files"),
                                  QStringLiteral("Create Data Files..."));
  bar->addSeparator();
  QToolButton* exitButton =
      bar->addButton(QStringLiteral("exitButton"), QStringLiteral("exit"), QStringLiteral(" E&xit"),
                     QStringLiteral("Exit Quorvex."));
  bar->addSeparator();
  QToolButton* logButton =
      bar->addButton(QStringLiteral("showLogButton"), QStringLiteral("show-log"),
                     QStringLiteral("Show last &Log"), QStringLiteral("Open the last log file"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 0);
  layout->setSpacing(6);
  layout->addWidget(files_, 1);
  layout->addWidget(output_);
  layout->addWidget(bar);

  connect(files_, &DxfFilesGroup::selectionPresenceChanged, this, [this](bool any) {
    anySelected_ = any;
    updateProcessButton();
  });
  connect(processButton_, &QToolButton::clicked, this, &FilesPage::processRequested);
  connect(exitButton, &QToolButton::clicked, this, &FilesPage::exitRequested);
  connect(logButton, &QToolButton::clicked, this, &FilesPage::showLogRequested);
  updateProcessButton();
}

QLineEdit* FilesPage::extensionEdit() const {
  return output_->extensionEdit();
}

void FilesPage::setRunning(bool running) {
  running_ = running;
  files_->setLocked(running);
  output_->setLocked(running);
  updateProcessButton();
}

void FilesPage::updateProcessButton() {
  processButton_->setEnabled(anySelected_ && !running_);
}

}  // namespace quorvex::ui
