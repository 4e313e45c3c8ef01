#include "ui/tooltip_filter.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace quorvex::ui {

void TooltipFilter::setEnabled(bool on) {
  enabled_ = on;
  if (!on) QToolTip::hideText();
}

bool TooltipFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip) return false;
  if (!enabled_) return true;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  const auto* help = static_cast<QHelpEvent*>(event);
  QString text;
  QRect area;
  auto* view = qobject_cast<QAbstractItemView*>(widget->parentWidget());
  if (view && view->viewport() == widget) {
    const QModelIndex index = view->indexAt(help->pos());
    text = index.data(Qt::ToolTipRole).toString();
    if (text.isEmpty()) {
      text = view->toolTip();
    } else {
      area = view->visualRect(index);
    }
  } else {
    text = widget->toolTip();
  }
  // Without a hint of its own the request goes on to the parent, as Qt does it.
  if (text.isEmpty()) return false;
  // Some hints were written with CR LF line breaks; a line break here is LF alone.
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QToolTip::showText(help->globalPos(), text, widget, area, kDurationMs);
  return true;
}

}  // namespace quorvex::ui
