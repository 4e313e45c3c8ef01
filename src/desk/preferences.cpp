#include "desk/preferences.h"

namespace quorvex {

void Preferences::Restore() {
  show_report_ = settings_.ReadOnOff(setting::kShowLog).value_or(true);
  show_tips_ = settings_.ReadOnOff(setting::kShowTips).value_or(true);
}

void Preferences::SetShowReport(bool on) {
  settings_.WriteOnOff(setting::kShowLog, on);
  show_report_ = on;
}

void Preferences::SetShowTips(bool on) {
  settings_.WriteOnOff(setting::kShowTips, on);
  show_tips_ = on;
}

}  // namespace quorvex
