#include "ui/tooltip_filter.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace quorvex::ui {
namespace {

// True when the cell at `index` is too narrow for its text, which it then shows cut.
bool IsCut(const QAbstractItemView& view, const QModelIndex& index) {
  return index.isValid() && view.sizeHintForIndex(index).width() > view.visualRect(index).width();
}

}  // namespace

void TooltipFilter::setEnabled(bool on) {
  enabled_ = on;
  if (!on) QToolTip::hideText();
}

bool TooltipFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return !enabled_;
  const auto* help = static_cast<QHelpEvent*>(event);
  QString text;
  QRect area;
  auto* view = qobject_cast<QAbstractItemView*>(widget->parentWidget());
  if (view && view->viewport() == widget) {
    const QModelIndex index = view->indexAt(help->pos());
    area = view->visualRect(index);
    if (enabled_) text = index.data(Qt::ToolTipRole).toString();
    // A cut text shows whole: it is the cell's content, not a hint, so it shows without hints.
    if (text.isEmpty() && IsCut(*view, index)) text = index.data().toString();
    if (text.isEmpty() && enabled_) {
      text = view->toolTip();
      area = QRect();
    }
  } else if (enabled_) {
    text = widget->toolTip();
  }
  // Without a hint of its own the request goes on to the parent, as Qt does it.
  if (text.isEmpty()) return !enabled_;
  // Some hints were written with CR LF line breaks; a line break here is LF alone.
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QToolTip::showText(help->globalPos(), text, widget, area, kDurationMs);
  return true;
}

}  // namespace quorvex::ui
