#include "ui/reporting_launcher.h"

#include "desk/window_words.h"
#include "ui/qt_text.h"

namespace quorvex::ui {

bool ReportingLauncher::Open(std::string_view log_path) {
  return told(launcher_.Open(log_path), log_path);
}

bool ReportingLauncher::OpenFolder(const QString& path) {
  return told(launcher_.OpenFolder(path), ToStdString(path));
}

bool ReportingLauncher::OpenUrl(const QUrl& url) {
  QString target = url.toString();
  if (url.isLocalFile()) {
    target = url.toLocalFile();
  } else if (url.scheme() == QStringLiteral("mailto")) {
    target = url.path();
  }
  return told(launcher_.OpenUrl(url), ToStdString(target));
}

bool ReportingLauncher::told(bool opened, std::string_view target) {
  if (!opened) prompts_.Information(NotOpenedText(target));
  return opened;
}

}  // namespace quorvex::ui
