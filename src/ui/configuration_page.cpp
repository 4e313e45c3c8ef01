#include "ui/configuration_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "desk/window_words.h"
#include "engine/drawing_encoding.h"
#include "ui/command_bar.h"
#include "ui/config_tree_view.h"
#include "ui/icons.h"
#include "ui/models/config_tree_model.h"
#include "ui/qt_text.h"

namespace quorvex::ui {
namespace {

const QString kBlockNamesHint = QStringLiteral(
    "Enter block names, separated by a comma. You can use wildcards (*, $). Leave empty to "
    "process all blocks ");
const QString kExpandBlocksHint = QStringLiteral(
    "Export the entities inside the inserted blocks too, where they stand in the drawing, with "
    "the path of block names in the Block Name field");
const QString kLayerNamesHint = QStringLiteral(
    "Enter layer names, separated by a comma. You can use wildcards (*, ?). Only the entities of "
    "these layers are processed. Leave empty to process all layers");
const QString kTextPlainHint = QStringLiteral(
    "Write single-line texts as people read them: %%c as \u2300, %%d as \u00B0, %%p as "
    "\u00B1, %%nnn as the character of code nnn, without the %%u and %%o toggles; multiline "
    "texts lose their formatting codes too");
const QString kCodePageHint = QStringLiteral(
    "The code page that the texts of every drawing are read in, for drawings whose header names "
    "the wrong one");
const QString kMoveHintTail = QStringLiteral(
    "\nThis changes the sequence of the exported data fields in the resulting file.");

const char* const kEntityIcons[] = {"entity-points",   "entity-circles",      "entity-arcs",
                                    "entity-ellipses", "entity-lines",        "entity-mtext",
                                    "entity-text",     "entity-polylines-2d", "entity-polylines-3d",
                                    "entity-splines",  "entity-faces",        "entity-blocks"};

QToolButton* MoveButton(QWidget* parent, const QString& name, const QString& icon,
                        const QString& caption, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setIcon(Icon(icon));
  button->setIconSize(QSize(20, 20));
  button->setText(caption);
  button->setToolTip(hint + kMoveHintTail);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAutoRaise(true);
  button->setEnabled(false);
  return button;
}

}  // namespace

ConfigurationPage::ConfigurationPage(ConfigModel& config, Prompts& prompts, QWidget* parent)
    : QWidget(parent),
      config_(config),
      prompts_(prompts),
      entityModel_(new ConfigTreeModel(config, ConfigTreeId::kEntity, this)),
      dataModel_(new ConfigTreeModel(config, ConfigTreeId::kData, this)) {
  setObjectName(QStringLiteral("configurationPage"));
  QList<QVariant> kind_icons;
  for (const char* name : kEntityIcons)
    kind_icons.append(Icon(QString::fromLatin1(name)));
  entityModel_->setIcons(kind_icons);
  dataModel_->setIcons({Icon(QStringLiteral("data-custom")), Icon(QStringLiteral("data-dxf"))});
  QFont bold = font();
  bold.setBold(true);
  entityModel_->setBoldFont(bold);
  dataModel_->setBoldFont(bold);
  dataModel_->setOptionsBackground(QBrush(QColor(244, 244, 255)));

  editors_ = new QWidget(this);
  // The trees share their row with the preview, if any; the options span the page below both.
  splitter_ = new QSplitter(Qt::Horizontal, editors_);
  splitter_->setObjectName(QStringLiteral("configurationSplitter"));
  splitter_->setChildrenCollapsible(false);
  auto* treeRow = new QWidget(splitter_);
  auto* trees = new QHBoxLayout(treeRow);
  trees->setContentsMargins(0, 0, 0, 0);
  trees->setSpacing(5);
  trees->addWidget(buildEntityGroup());
  trees->addWidget(buildDataGroup(), 1);
  splitter_->addWidget(treeRow);
  auto* editorLayout = new QVBoxLayout(editors_);
  editorLayout->setContentsMargins(0, 0, 0, 0);
  editorLayout->setSpacing(6);
  editorLayout->addWidget(splitter_, 1);
  editorLayout->addWidget(buildOptionsGroup());

  auto* bar = new CommandBar(100, this);
  QToolButton* load = bar->addButton(QStringLiteral("loadButton"), QStringLiteral("load-config"),
                                     QStringLiteral(" &Load configuration"),
                                     QStringLiteral("Load a configuration file."));
  bar->addSeparator();
  QToolButton* save = bar->addButton(QStringLiteral("saveButton"), QStringLiteral("save-config"),
                                     QStringLiteral(" &Save configuration"),
                                     QStringLiteral("Save current configuration to file."));
  connect(load, &QToolButton::clicked, this, &ConfigurationPage::loadRequested);
  connect(save, &QToolButton::clicked, this, &ConfigurationPage::saveRequested);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 0);
  layout->setSpacing(6);
  layout->addWidget(editors_, 1);
  layout->addWidget(bar);

  // Refused values are shown once the editor has closed, not from inside its commit.
  connect(
      dataModel_, &ConfigTreeModel::valueRefused, this,
      [this](const QString& message) { prompts_.Error(ToStdString(message)); },
      Qt::QueuedConnection);
  config_.SetObserver(this);
  showRecord();
  ControlsChanged();
}

ConfigurationPage::~ConfigurationPage() {
  config_.SetObserver(nullptr);
}

QGroupBox* ConfigurationPage::buildEntityGroup() {
  auto* group = new QGroupBox(QStringLiteral(" DXF Entities to process "), editors_);
  group->setObjectName(QStringLiteral("entityGroup"));
  group->setFixedWidth(300);
  entityTree_ = new ConfigTreeView(config_, *entityModel_, group);
  entityTree_->setObjectName(QStringLiteral("entityTree"));
  entityTree_->setHeaderHidden(true);
  entityTree_->setToolTip(QStringLiteral("Select the Autocad entities to process"));
  blockNamesLabel_ = new QLabel(QStringLiteral("Block names :"), group);
  blockNamesLabel_->setObjectName(QStringLiteral("blockNamesLabel"));
  blockNamesEdit_ = new QLineEdit(group);
  blockNamesEdit_->setObjectName(QStringLiteral("blockNamesEdit"));
  for (QWidget* widget :
       {static_cast<QWidget*>(blockNamesLabel_), static_cast<QWidget*>(blockNamesEdit_)})
    widget->setToolTip(kBlockNamesHint);
  connect(blockNamesEdit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { config_.SetBlockNames(ToStdString(text)); });
  expandBlocksBox_ = new QCheckBox(QStringLiteral("Export block contents"), group);
  expandBlocksBox_->setObjectName(QStringLiteral("expandBlocksBox"));
  expandBlocksBox_->setToolTip(kExpandBlocksHint);
  connect(expandBlocksBox_, &QCheckBox::clicked, this, [this](bool on) {
    ExtendedSettings extended = config_.extended();
    extended.expansion.expand_blocks = on;
    config_.SetExtended(extended);
  });
  auto* blockNamesRow = new QHBoxLayout;
  blockNamesRow->addWidget(blockNamesLabel_);
  blockNamesRow->addStretch();
  blockNamesRow->addWidget(expandBlocksBox_);

  auto* layerNamesLabel = new QLabel(QStringLiteral("Layer names :"), group);
  layerNamesEdit_ = new QLineEdit(group);
  layerNamesEdit_->setObjectName(QStringLiteral("layerNamesEdit"));
  for (QWidget* widget :
       {static_cast<QWidget*>(layerNamesLabel), static_cast<QWidget*>(layerNamesEdit_)})
    widget->setToolTip(kLayerNamesHint);
  connect(layerNamesEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    ExtendedSettings extended = config_.extended();
    extended.layers = ToStdString(text);
    config_.SetExtended(extended);
  });

  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(entityTree_, 1);
  layout->addLayout(blockNamesRow);
  layout->addWidget(blockNamesEdit_);
  layout->addWidget(layerNamesLabel);
  layout->addWidget(layerNamesEdit_);
  return group;
}

QGroupBox* ConfigurationPage::buildDataGroup() {
  auto* group = new QGroupBox(QStringLiteral(" Exported data "), editors_);
  group->setObjectName(QStringLiteral("dataGroup"));
  dataTree_ = new ConfigTreeView(config_, *dataModel_, group);
  dataTree_->setObjectName(QStringLiteral("dataTree"));
  dataTree_->setToolTip(QStringLiteral("Select the data to export"));
  QHeaderView* header = dataTree_->header();
  header->setSectionsMovable(true);
  header->setStretchLastSection(false);
  header->setSectionResizeMode(0, QHeaderView::Stretch);
  header->setSectionResizeMode(1, QHeaderView::Interactive);
  header->resizeSection(1, 100);

  moveDownButton_ =
      MoveButton(group, QStringLiteral("moveDownButton"), QStringLiteral("move-down"),
                 QStringLiteral("Move item down"), QStringLiteral("Move the selected item down."));
  moveUpButton_ =
      MoveButton(group, QStringLiteral("moveUpButton"), QStringLiteral("move-up"),
                 QStringLiteral("Move item up"), QStringLiteral("Move the selected item up."));
  connect(dataTree_, &ConfigTreeView::attributeColumnRequested, this, [this] {
    if (const auto tag = prompts_.AskText(kAttributeColumnTitle, kAttributeColumnLabel))
      config_.AddAttributeColumn(*tag);
  });
  connect(moveUpButton_, &QToolButton::clicked, this, [this] { config_.MoveFieldUp(); });
  connect(moveDownButton_, &QToolButton::clicked, this, [this] { config_.MoveFieldDown(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(moveDownButton_);
  buttons->addWidget(moveUpButton_);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(dataTree_, 1);
  layout->addLayout(buttons);
  return group;
}

QGroupBox* ConfigurationPage::buildOptionsGroup() {
  auto* group = new QGroupBox(QStringLiteral(" Options "), editors_);
  group->setObjectName(QStringLiteral("optionsGroup"));
  auto* label = new QLabel(QStringLiteral("Field Separator : "), group);
  label->setToolTip(QStringLiteral("Field separator for exported Data files"));
  separatorCombo_ = new QComboBox(group);
  separatorCombo_->setObjectName(QStringLiteral("separatorCombo"));
  separatorCombo_->setToolTip(QStringLiteral("Field separator for exported Data files"));
  separatorCombo_->addItems({QStringLiteral("Comma (,)"), QStringLiteral("Semi-colon (;)"),
                             QStringLiteral("Space ( )"), QStringLiteral("Tabulation"),
                             QStringLiteral("LineFeed"), QStringLiteral("Other")});
  separatorEdit_ = new QLineEdit(group);
  separatorEdit_->setObjectName(QStringLiteral("separatorEdit"));
  separatorEdit_->setToolTip(QStringLiteral("Enter Field separator"));
  separatorEdit_->setFixedWidth(
      separatorEdit_->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMM")) + 12);
  headerBox_ =
      new QCheckBox(QStringLiteral("Insert Data name at the first line of the file"), group);
  headerBox_->setObjectName(QStringLiteral("headerBox"));
  headerBox_->setToolTip(
      QStringLiteral("Include name of the exported fields at the first line of the created file"));
  connect(separatorCombo_, &QComboBox::currentIndexChanged, this,
          [this](int item) { config_.SetSeparatorIndex(item); });
  connect(separatorEdit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { config_.SetSeparatorText(ToStdString(text)); });
  connect(headerBox_, &QCheckBox::clicked, this, [this](bool on) { config_.SetIncludeHeader(on); });

  auto* codePageLabel = new QLabel(QStringLiteral("Code page : "), group);
  codePageCombo_ = new QComboBox(group);
  codePageCombo_->setObjectName(QStringLiteral("codePageCombo"));
  codePageCombo_->addItem(QStringLiteral("As the drawing says"));
  for (const std::string& name : ChoosableCodePages())
    codePageCombo_->addItem(ToQString(name));
  for (QWidget* widget :
       {static_cast<QWidget*>(codePageLabel), static_cast<QWidget*>(codePageCombo_)})
    widget->setToolTip(kCodePageHint);
  textPlainBox_ = new QCheckBox(QStringLiteral("Texts as people read them"), group);
  textPlainBox_->setObjectName(QStringLiteral("textPlainBox"));
  textPlainBox_->setToolTip(kTextPlainHint);
  connect(codePageCombo_, &QComboBox::currentIndexChanged, this, [this](int item) {
    ExtendedSettings extended = config_.extended();
    extended.code_page = item == 0 ? std::string() : ToStdString(codePageCombo_->itemText(item));
    config_.SetExtended(extended);
  });
  connect(textPlainBox_, &QCheckBox::clicked, this, [this](bool on) {
    ExtendedSettings extended = config_.extended();
    extended.format.text_plain = on;
    config_.SetExtended(extended);
  });

  auto* layout = new QGridLayout(group);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->setHorizontalSpacing(6);
  layout->addWidget(label, 0, 0);
  layout->addWidget(separatorCombo_, 0, 1);
  layout->addWidget(separatorEdit_, 0, 2, Qt::AlignLeft);
  layout->addWidget(headerBox_, 0, 3);
  layout->addWidget(codePageLabel, 1, 0);
  layout->addWidget(codePageCombo_, 1, 1);
  layout->addWidget(textPlainBox_, 1, 3);
  layout->setColumnMinimumWidth(2, separatorEdit_->width() + 24);
  layout->setColumnStretch(4, 1);
  return group;
}

QString ConfigurationPage::otherSeparatorText() const {
  return separatorEdit_->text();
}

void ConfigurationPage::setRunning(bool running) {
  setEnabled(!running);
}

void ConfigurationPage::setPreview(QWidget* preview) {
  splitter_->addWidget(preview);
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 2);
}

ConfigTreeModel& ConfigurationPage::modelOf(ConfigTreeId tree) const {
  return tree == ConfigTreeId::kEntity ? *entityModel_ : *dataModel_;
}

ConfigTreeView& ConfigurationPage::viewOf(ConfigTreeId tree) const {
  return tree == ConfigTreeId::kEntity ? *entityTree_ : *dataTree_;
}

void ConfigurationPage::NodeChanged(ConfigTreeId tree, int node) {
  modelOf(tree).nodeChanged(node);
  viewOf(tree).showNode(node);
}

void ConfigurationPage::TreeAboutToReset(ConfigTreeId tree) {
  modelOf(tree).aboutToReset();
}

void ConfigurationPage::TreeReset(ConfigTreeId tree) {
  modelOf(tree).reset();
  viewOf(tree).showAll();
}

void ConfigurationPage::RecordReplaced() {
  showRecord();
  emit recordReplaced();
}

void ConfigurationPage::ControlsChanged() {
  const ControlStates& controls = config_.controls();
  blockNamesLabel_->setEnabled(controls.block_names_enabled);
  blockNamesEdit_->setEnabled(controls.block_names_enabled);
  moveUpButton_->setEnabled(controls.move_up_enabled);
  moveDownButton_->setEnabled(controls.move_down_enabled);
  separatorEdit_->setEnabled(controls.separator_edit_enabled);
}

void ConfigurationPage::FocusBlockNameEdit() {
  if (blockNamesEdit_->isEnabled()) blockNamesEdit_->setFocus(Qt::OtherFocusReason);
}

void ConfigurationPage::FocusSeparatorEdit() {
  // Only where the user can see it: a load at start-up leaves the focus alone.
  if (separatorEdit_->isVisible() && separatorEdit_->isEnabled())
    separatorEdit_->setFocus(Qt::OtherFocusReason);
}

void ConfigurationPage::EditValue(int field_node) {
  dataTree_->editValueLater(field_node);
}

// The record in the editors; their change rules have already run in the core.
void ConfigurationPage::showRecord() {
  const TExportConfig& record = config_.record();
  const QSignalBlocker blockCombo(separatorCombo_);
  const QSignalBlocker blockCodePage(codePageCombo_);
  blockNamesEdit_->setText(ToQString(record.BlockNames.View()));
  separatorEdit_->setText(ToQString(record.SeparatorText.View()));
  headerBox_->setChecked(record.IncludeHeader != 0);
  expandBlocksBox_->setChecked(config_.extended().expansion.expand_blocks);
  separatorCombo_->setCurrentIndex(record.SeparatorIndex);
  const ExtendedSettings& extended = config_.extended();
  layerNamesEdit_->setText(ToQString(extended.layers));
  textPlainBox_->setChecked(extended.format.text_plain);
  const int code_page = codePageCombo_->findText(ToQString(extended.code_page));
  codePageCombo_->setCurrentIndex(extended.code_page.empty() || code_page < 0 ? 0 : code_page);
}

}  // namespace quorvex::ui
