#pragma once

#include <QObject>

namespace quorvex::ui {

/// The item models over a core that changes under them, each watched by a
/// QAbstractItemModelTester that aborts on the first broken model rule.
class UiModelsTest : public QObject {
  Q_OBJECT

 private slots:
  // Configuration trees.
  void treePlacesCaptionsAndHints_data();
  void treePlacesCaptionsAndHints();
  void treeShapeAndHeaders();
  void treeFlags_data();
  void treeFlags();
  void entityCheckRulesReachTheirNodes();
  void dataCheckRuleDisablesOptions();
  void selectAllAndNone();
  void movedFieldKeepsItsNodes();
  void replacedContentIsShown();
  void typedValues_data();
  void typedValues();
  void iconsFontsAndBackground();

  // File list.
  void fileListShowsTheBrowsersRows();
  void fileListRolesAndFlags();
  void fileListDrops_data();
  void fileListDrops();
};

}  // namespace quorvex::ui
