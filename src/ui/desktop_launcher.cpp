#include "ui/desktop_launcher.h"

#include <QDesktopServices>

#include "ui/qt_text.h"

namespace quorvex::ui {

bool SystemDesktopLauncher::Open(std::string_view log_path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(log_path)));
}

bool SystemDesktopLauncher::OpenFolder(const QString& path) {
  // Passed on without a test, as typed: a folder that is gone is the file manager's to report.
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool SystemDesktopLauncher::OpenUrl(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

}  // namespace quorvex::ui
