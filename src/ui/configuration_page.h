#pragma once

#include <QWidget>

#include "config/config_model.h"
#include "config/config_observer.h"
#include "desk/prompts.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QToolButton;

namespace quorvex::ui {

class ConfigTreeModel;
class ConfigTreeView;

/// The "Configuration" tab: the entity tree with the block names and the export of block
/// contents, the data tree with the move buttons, the separator and header options, and Load and
/// Save. Every editor writes into the configuration at once; the page shows what the
/// configuration's rules change.
class ConfigurationPage final : public QWidget, private ConfigObserver {
  Q_OBJECT
 public:
  ConfigurationPage(ConfigModel& config, Prompts& prompts, QWidget* parent = nullptr);
  ~ConfigurationPage() override;

  /// The "Other" separator box as typed, which "Process selected files" resolves.
  QString otherSeparatorText() const;
  /// During a run the configuration cannot change.
  void setRunning(bool running);
  /// Shows `preview` beside the editors, the splitter between them giving it what they leave.
  void setPreview(QWidget* preview);

 signals:
  void loadRequested();
  void saveRequested();
  /// A configuration was loaded: the extension box of the other tab shows it too.
  void recordReplaced();

 private:
  void NodeChanged(ConfigTreeId tree, int node) override;
  void TreeAboutToReset(ConfigTreeId tree) override;
  void TreeReset(ConfigTreeId tree) override;
  void RecordReplaced() override;
  void ControlsChanged() override;
  void FocusBlockNameEdit() override;
  void FocusSeparatorEdit() override;
  void EditValue(int field_node) override;

  QGroupBox* buildEntityGroup();
  QGroupBox* buildDataGroup();
  QGroupBox* buildOptionsGroup();
  ConfigTreeModel& modelOf(ConfigTreeId tree) const;
  ConfigTreeView& viewOf(ConfigTreeId tree) const;
  void showRecord();

  ConfigModel& config_;
  Prompts& prompts_;
  ConfigTreeModel* entityModel_;
  ConfigTreeModel* dataModel_;
  ConfigTreeView* entityTree_ = nullptr;
  ConfigTreeView* dataTree_ = nullptr;
  QLabel* blockNamesLabel_ = nullptr;
  QLineEdit* blockNamesEdit_ = nullptr;
  QCheckBox* expandBlocksBox_ = nullptr;
  QLineEdit* layerNamesEdit_ = nullptr;
  QToolButton* moveUpButton_ = nullptr;
  QToolButton* moveDownButton_ = nullptr;
  QComboBox* separatorCombo_ = nullptr;
  QLineEdit* separatorEdit_ = nullptr;
  QCheckBox* headerBox_ = nullptr;
  QCheckBox* textPlainBox_ = nullptr;
  QComboBox* codePageCombo_ = nullptr;
  QWidget* editors_ = nullptr;
  QSplitter* splitter_ = nullptr;
};

}  // namespace quorvex::ui
