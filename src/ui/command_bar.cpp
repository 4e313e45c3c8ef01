#include "ui/command_bar.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "ui/icons.h"

namespace quorvex::ui {

CommandBar::CommandBar(int button_width, QWidget* parent)
    : QFrame(parent), button_width_(button_width) {
  setObjectName(QStringLiteral("commandBar"));
  setFrameShape(QFrame::NoFrame);
  setMinimumHeight(50);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  setStyleSheet(QStringLiteral(
      "quorvex--ui--CommandBar { background: #fbf6e4; border-top: 1px solid #d8cfae; }"
      "QToolButton { background: transparent; border: 1px solid transparent; border-radius: 3px; "
      "padding: 1px; }"
      "QToolButton:hover { background: #f3e9c6; border-color: #d8cfae; }"
      "QToolButton:pressed { background: #eadcac; }"
      "QToolButton:disabled { color: #9a9382; }"
      // After the hover rule, so that the keyboard's place shows under the mouse too.
      "QToolButton:focus { border: 1px dotted #4a4330; }"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 3, 4, 3);
  layout->setSpacing(2);
  layout->addStretch();
}

QToolButton* CommandBar::addButton(const QString& object_name, const QString& icon,
                                   const QString& caption, const QString& hint) {
  auto* button = new QToolButton(this);
  button->setObjectName(object_name);
  button->setIcon(Icon(icon));
  button->setIconSize(QSize(24, 24));
  button->setText(caption);
  button->setToolTip(hint);
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setMinimumSize(button_width_, 44);
  button->setAutoRaise(true);
  auto* row = static_cast<QHBoxLayout*>(layout());
  row->insertWidget(row->count() - 1, button);
  return button;
}

void CommandBar::addSeparator() {
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setFixedHeight(36);
  auto* row = static_cast<QHBoxLayout*>(layout());
  row->insertWidget(row->count() - 1, line);
}

}  // namespace quorvex::ui
