#pragma once

#include "desk/settings_store.h"

namespace quorvex {

/// The on/off preferences of the "Options / Help" tab. Each is stored the moment the user
/// changes it; start-up restores them without writing.
class Preferences {
 public:
  explicit Preferences(SettingsStore& settings) : settings_(settings) {}

  /// Reads "showlog" and "showtips"; a missing value is on.
  void Restore();

  /// "Always show Report." (on) and "Never show Report." (off): stored as "showlog".
  void SetShowReport(bool on);
  /// "Show Help Tips": stored as "showtips".
  void SetShowTips(bool on);

  bool show_report() const { return show_report_; }
  bool show_tips() const { return show_tips_; }

 private:
  SettingsStore& settings_;
  bool show_report_ = true;
  bool show_tips_ = true;
};

}  // namespace quorvex
