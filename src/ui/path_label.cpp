#include "ui/path_label.h"

#include <QFontMetrics>

#include "batch/shortened_path.h"
#include "ui/qt_text.h"

namespace quorvex::ui {

void PathLabel::setPath(const QString& path) {
  path_ = path;
  refit();
}

QSize PathLabel::minimumSizeHint() const {
  // Any width will do: the path is shortened to fit.
  return {0, QLabel::minimumSizeHint().height()};
}

void PathLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  refit();
}

void PathLabel::refit() {
  const QFontMetrics metrics(font());
  const int width = contentsRect().width();
  const std::string shortened = ShortenedPath(ToStdString(path_), [&](std::string_view text) {
    return metrics.horizontalAdvance(ToQString(text)) <= width;
  });
  setText(ToQString(shortened));
}

}  // namespace quorvex::ui
