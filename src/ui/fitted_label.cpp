#include "ui/fitted_label.h"

#include <QFontMetrics>

namespace quorvex::ui {

void FittedLabel::setFullText(const QString& text) {
  text_ = text;
  refit();
}

QSize FittedLabel::minimumSizeHint() const {
  return {0, QLabel::minimumSizeHint().height()};
}

void FittedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  refit();
}

QString FittedLabel::shortened(const QString& text, const QFontMetrics& metrics, int width) const {
  return metrics.elidedText(text, Qt::ElideMiddle, width);
}

void FittedLabel::refit() {
  setText(shortened(text_, QFontMetrics(font()), contentsRect().width()));
}

}  // namespace quorvex::ui
