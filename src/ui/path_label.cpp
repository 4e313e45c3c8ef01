#include "ui/path_label.h"

#include <QFontMetrics>

#include "batch/shortened_path.h"
#include "ui/qt_text.h"

namespace quorvex::ui {

QString PathLabel::shortened(const QString& text, const QFontMetrics& metrics, int width) const {
  return ToQString(ShortenedPath(ToStdString(text), [&](std::string_view part) {
    return metrics.horizontalAdvance(ToQString(part)) <= width;
  }));
}

}  // namespace quorvex::ui
