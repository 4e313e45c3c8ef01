#include "ui/progress_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "ui/icons.h"

namespace quorvex::ui {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent),
      label_(new QLabel(QStringLiteral("Process"), this)),
      bar_(new QProgressBar(this)),
      stopButton_(
          new QPushButton(Icon(QStringLiteral("stop")), QStringLiteral("Stop process"), this)) {
  setObjectName(QStringLiteral("progressWindow"));
  setWindowTitle(QStringLiteral(" Processing"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowStaysOnTopHint);
  setModal(false);
  label_->setObjectName(QStringLiteral("progressLabel"));
  bar_->setObjectName(QStringLiteral("progressBar"));
  bar_->setTextVisible(false);
  stopButton_->setObjectName(QStringLiteral("stopButton"));
  stopButton_->setMinimumSize(113, 27);
  stopButton_->setAutoDefault(false);

  auto* picture = new QLabel(this);
  picture->setPixmap(Icon(QStringLiteral("progress")).pixmap(32, 32));
  picture->setFixedSize(32, 32);
  auto* texts = new QVBoxLayout;
  texts->addWidget(label_);
  texts->addWidget(bar_);
  auto* group = new QGroupBox(this);
  auto* inside = new QHBoxLayout(group);
  inside->addWidget(picture, 0, Qt::AlignTop);
  inside->addLayout(texts, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(stopButton_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 4, 6, 4);
  layout->addWidget(group);
  layout->addLayout(buttons);
  setMinimumWidth(359);
  // The label keeps its width whatever file name it shows.
  label_->setMinimumWidth(289);
  label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  connect(stopButton_, &QPushButton::clicked, this, &ProgressWindow::stopRequested);
}

void ProgressWindow::showCentred() {
  if (isVisible()) return;
  adjustSize();
  if (QWidget* owner = parentWidget()) {
    move(owner->window()->frameGeometry().center() - QRect(QPoint(), frameSize()).center());
  }
  show();
}

void ProgressWindow::setLabel(const QString& text) {
  label_->setText(text);
}

void ProgressWindow::setMaximum(qint64 maximum) {
  maximum_ = maximum;
  constexpr qint64 kLargest = std::numeric_limits<int>::max();
  scale_ = static_cast<int>(maximum / kLargest + 1);
  bar_->setRange(0, static_cast<int>(maximum / scale_));
  bar_->setValue(0);
}

void ProgressWindow::setPosition(qint64 position) {
  bar_->setValue(static_cast<int>(std::min(position, maximum_) / scale_));
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
}

void ProgressWindow::reject() {
  // Escape does not close it either; "Stop process" is the only way to end a run early.
}

}  // namespace quorvex::ui
