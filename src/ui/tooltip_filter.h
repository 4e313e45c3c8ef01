#pragma once

#include <QObject>

namespace quorvex::ui {

/// Shows every hint of the program for 20 seconds, or none at all while "Show Help Tips" is off.
/// Installed on the application, it answers the tooltip requests of every widget, item views
/// included (their nodes' hints, else the whole text of a cell that cuts it, else the view's own
/// hint). A cut text shows also while the hints are off.
class TooltipFilter final : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  static constexpr int kDurationMs = 20000;

  void setEnabled(bool on);
  bool isEnabled() const { return enabled_; }

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool enabled_ = true;
};

}  // namespace quorvex::ui
