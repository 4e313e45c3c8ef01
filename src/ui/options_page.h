#pragma once

#include <QUrl>
#include <QWidget>

#include "desk/preferences.h"

class QCheckBox;
class QRadioButton;

namespace quorvex::ui {

class DesktopLauncher;

/// Where the help, the web site and the support address are.
struct HelpLinks {
  QString help_file;      // the HTML help's path
  QUrl web_site;          // the maker's web page
  QString support_email;  // the support address
};

/// The "Options / Help" tab: whether a run opens its report, whether hints show, the help, the
/// support address and the maker's web site.
class OptionsPage final : public QWidget {
  Q_OBJECT
 public:
  OptionsPage(Preferences& preferences, DesktopLauncher& launcher, HelpLinks links,
              QWidget* parent = nullptr);

  /// Shows the preferences as start-up restored them.
  void showPreferences();

 signals:
  /// "Show Help Tips" was switched; the application's hints follow it.
  void helpTipsChanged(bool on);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildOptionsGroup();
  QWidget* buildSupportGroup();
  QWidget* buildWebSiteGroup();

  Preferences& preferences_;
  DesktopLauncher& launcher_;
  HelpLinks links_;
  QRadioButton* alwaysReport_ = nullptr;
  QRadioButton* neverReport_ = nullptr;
  QCheckBox* helpTipsBox_ = nullptr;
};

}  // namespace quorvex::ui
