#pragma once

#include <QString>
#include <QUrl>
#include <string_view>

#include "desk/log_viewer.h"

namespace quorvex::ui {

/// Hands files, folders and addresses to the desktop: the log to the default text viewer, the
/// destination to the file manager, the help, the web site and the e-mail link to their
/// applications. None of them waits for the application it starts; each returns false when
/// none could be started.
class DesktopLauncher : public LogViewer {
 public:
  virtual bool OpenFolder(const QString& path) = 0;
  virtual bool OpenUrl(const QUrl& url) = 0;
};

/// Opens everything through QDesktopServices.
class SystemDesktopLauncher final : public DesktopLauncher {
 public:
  bool Open(std::string_view log_path) override;
  bool OpenFolder(const QString& path) override;
  bool OpenUrl(const QUrl& url) override;
};

}  // namespace quorvex::ui
