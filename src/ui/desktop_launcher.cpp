#include "ui/desktop_launcher.h"

#include <QDesktopServices>

#include "ui/qt_text.h"

namespace quorvex::ui {

void SystemDesktopLauncher::Open(std::string_view log_path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(log_path)));
}

void SystemDesktopLauncher::OpenFolder(const QString& path) {
  // Passed on without a test, as typed: a folder that is gone is the file manager's to report.
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SystemDesktopLauncher::OpenUrl(const QUrl& url) {
  QDesktopServices::openUrl(url);
}

}  // namespace quorvex::ui
