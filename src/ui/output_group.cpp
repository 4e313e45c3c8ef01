#include "ui/output_group.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QToolButton>
#include <QValidator>
#include <algorithm>

#include "ui/desktop_launcher.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

namespace quorvex::ui {
namespace {

// The record keeps this many characters of the extension.
constexpr int kExtensionLength = 10;

// Drops the blanks (spaces and control characters) that a text would start with, as they would
// start the data files' extensions.
class NoLeadingBlanks final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override {
    qsizetype blanks = 0;
    while (blanks < input.size() && input[blanks].unicode() <= u' ')
      ++blanks;
    input.remove(0, blanks);
    position = static_cast<int>(std::max<qsizetype>(0, position - blanks));
    return Acceptable;
  }
};

QToolButton* SmallButton(QWidget* parent, const QString& name, const QString& icon,
                         const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setIcon(Icon(icon));
  button->setIconSize(QSize(20, 20));
  button->setToolTip(hint);
  button->setAutoRaise(true);
  button->setMinimumSize(25, 25);
  return button;
}

}  // namespace

OutputGroup::OutputGroup(OutputDirectory& output, const DxfBrowser& browser, ConfigModel& config,
                         FolderChooser& chooser, DesktopLauncher& launcher, QWidget* parent)
    : QGroupBox(QStringLiteral(" Output Directory and File Extension  "), parent),
      output_(output),
      config_(config),
      destinationEdit_(new QLineEdit(this)),
      browseButton_(SmallButton(this, QStringLiteral("browseButton"),
                                QStringLiteral("browse-folder"),
                                QStringLiteral("Browse disk for Destination Directory ..."))),
      unlockButton_(SmallButton(this, QStringLiteral("unlockButton"), QStringLiteral("locked"),
                                QStringLiteral("Unlock the output directory"))),
      lockButton_(SmallButton(this, QStringLiteral("lockButton"), QStringLiteral("unlocked"),
                              QStringLiteral("Makes Destination Directory match DXF Files "
                                             "Directory. Locks the output directory."))),
      extensionEdit_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("outputGroup"));
  destinationEdit_->setObjectName(QStringLiteral("destinationEdit"));
  destinationEdit_->setReadOnly(true);
  destinationEdit_->setToolTip(QStringLiteral("Data files will be created here."));
  // Drawn pressed while locked.
  unlockButton_->setCheckable(true);
  unlockButton_->setChecked(true);
  auto* openButton =
      SmallButton(this, QStringLiteral("openFolderButton"), QStringLiteral("open-folder"),
                  QStringLiteral("Opens output directory in file Explorer"));
  auto* extensionLabel = new QLabel(QStringLiteral("File Extension :"), this);
  extensionLabel->setToolTip(QStringLiteral("File extension for Data files"));
  extensionEdit_->setObjectName(QStringLiteral("extensionEdit"));
  extensionEdit_->setToolTip(QStringLiteral("File extension for created Data files."));
  extensionEdit_->setMaxLength(kExtensionLength);
  extensionEdit_->setValidator(new NoLeadingBlanks(extensionEdit_));
  extensionEdit_->setFixedWidth(
      extensionEdit_->fontMetrics().horizontalAdvance(QString(kExtensionLength, u'W')) + 12);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->setSpacing(3);
  layout->addWidget(destinationEdit_, 1);
  layout->addWidget(browseButton_);
  layout->addWidget(unlockButton_);
  layout->addWidget(lockButton_);
  layout->addWidget(openButton);
  layout->addSpacing(8);
  layout->addWidget(extensionLabel);
  layout->addWidget(extensionEdit_);

  output_.SetObserver(this);
  connect(lockButton_, &QToolButton::clicked, this,
          [this, &browser] { output_.Lock(browser.tree_path()); });
  connect(unlockButton_, &QToolButton::clicked, this, [this] {
    unlockButton_->setChecked(true);
    output_.Unlock();
  });
  connect(browseButton_, &QToolButton::clicked, this,
          [this, &chooser] { output_.Browse(chooser); });
  connect(openButton, &QToolButton::clicked, this,
          [this, &launcher] { launcher.OpenFolder(ToQString(output_.destination())); });
  connect(extensionEdit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { config_.SetDataFileExtension(ToStdString(text)); });
  showLockState();
  DestinationChanged();
}

OutputGroup::~OutputGroup() {
  output_.SetObserver(nullptr);
}

void OutputGroup::showExtension() {
  extensionEdit_->setText(ToQString(config_.record().DataFileExtension.View()));
}

void OutputGroup::setLocked(bool locked) {
  runLocked_ = locked;
  extensionEdit_->setEnabled(!locked);
  showLockState();
}

void OutputGroup::DestinationChanged() {
  destinationEdit_->setText(ToQString(output_.destination()));
  destinationEdit_->setCursorPosition(0);
}

void OutputGroup::LockChanged() {
  showLockState();
}

void OutputGroup::showLockState() {
  const bool locked = output_.locked();
  unlockButton_->setVisible(locked);
  lockButton_->setVisible(!locked);
  unlockButton_->setEnabled(!runLocked_);
  lockButton_->setEnabled(!runLocked_);
  browseButton_->setEnabled(!locked && !runLocked_);
  destinationEdit_->setEnabled(!locked);
  // Locked, the field takes the tooltip background, as the destination is not the user's to set.
  QPalette colours = destinationEdit_->palette();
  colours.setColor(QPalette::Base,
                   locked ? palette().color(QPalette::ToolTipBase) : QColor(Qt::white));
  destinationEdit_->setPalette(colours);
}

}  // namespace quorvex::ui
