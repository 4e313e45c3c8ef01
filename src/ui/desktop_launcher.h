#pragma once

#include <QString>
#include <QUrl>
#include <string_view>

#include "desk/log_viewer.h"

namespace quorvex::ui {

/// Hands files, folders and addresses to the desktop: the log to the default text viewer, the
/// destination to the file manager, the help, the web site and the e-mail link to their
/// applications. None of them waits for the application it starts.
class DesktopLauncher : public LogViewer {
 public:
  virtual void OpenFolder(const QString& path) = 0;
  virtual void OpenUrl(const QUrl& url) = 0;
};

/// Opens everything through QDesktopServices.
class SystemDesktopLauncher final : public DesktopLauncher {
 public:
  void Open(std::string_view log_path) override;
  void OpenFolder(const QString& path) override;
  void OpenUrl(const QUrl& url) override;
};

}  // namespace quorvex::ui
