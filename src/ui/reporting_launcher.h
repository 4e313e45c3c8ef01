#pragma once

#include "desk/prompts.h"
#include "ui/desktop_launcher.h"

namespace quorvex::ui {

/// Hands everything to another launcher and tells, in an information box, what the desktop could
/// not open: the file or folder by its path, an e-mail link by its address, any other address as
/// it is.
class ReportingLauncher final : public DesktopLauncher {
 public:
  ReportingLauncher(DesktopLauncher& launcher, Prompts& prompts)
      : launcher_(launcher), prompts_(prompts) {}

  bool Open(std::string_view log_path) override;
  bool OpenFolder(const QString& path) override;
  bool OpenUrl(const QUrl& url) override;

 private:
  bool told(bool opened, std::string_view target);

  DesktopLauncher& launcher_;
  Prompts& prompts_;
};

}  // namespace quorvex::ui
