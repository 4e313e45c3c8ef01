#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "config/config_model.h"
#include "ui/models/config_tree_model.h"
#include "ui_models_test.h"

namespace quorvex::ui {
namespace {

using Tester = QAbstractItemModelTester;
namespace en = entity_node;
namespace fn = field_node;

// Hands the core's reports to the tree models, as the Configuration page does.
class TreeRouter final : public ConfigObserver {
 public:
  TreeRouter(ConfigTreeModel& entity, ConfigTreeModel& data) : entity_(entity), data_(data) {}
  void NodeChanged(ConfigTreeId tree, int node) override { model(tree).nodeChanged(node); }
  void TreeAboutToReset(ConfigTreeId tree) override { model(tree).aboutToReset(); }
  void TreeReset(ConfigTreeId tree) override { model(tree).reset(); }

 private:
  ConfigTreeModel& model(ConfigTreeId tree) {
    return tree == ConfigTreeId::kEntity ? entity_ : data_;
  }

  ConfigTreeModel& entity_;
  ConfigTreeModel& data_;
};

// The core with both tree models on it, each under a tester for the whole test.
struct Trees {
  Trees() { core.SetObserver(&router); }
  ~Trees() { core.SetObserver(nullptr); }
  ConfigTreeModel& of(bool data_tree) { return data_tree ? data : entity; }

  ConfigModel core;
  ConfigTreeModel entity{core, ConfigTreeId::kEntity};
  ConfigTreeModel data{core, ConfigTreeId::kData};
  TreeRouter router{entity, data};
  Tester entity_tester{&entity, Tester::FailureReportingMode::Fatal};
  Tester data_tester{&data, Tester::FailureReportingMode::Fatal};
};

QVariant Role(const ConfigTreeModel& model, int node, int role, int column = 0) {
  return model.indexOfNode(node, column).data(role);
}

QVariant CheckOf(const ConfigTreeModel& model, int node) {
  return Role(model, node, Qt::CheckStateRole);
}

bool Enabled(const ConfigTreeModel& model, int node, int column = 0) {
  return model.flags(model.indexOfNode(node, column)).testFlag(Qt::ItemIsEnabled);
}

bool Check(ConfigTreeModel& model, int node, Qt::CheckState state) {
  return model.setData(model.indexOfNode(node), state, Qt::CheckStateRole);
}

// True when one of the dataChanged signals recorded by `spy` spans `index`.
bool Covers(const QSignalSpy& spy, const QModelIndex& index) {
  for (const QList<QVariant>& signal : spy) {
    const auto first = signal.at(0).value<QModelIndex>();
    const auto last = signal.at(1).value<QModelIndex>();
    if (first.parent() == index.parent() && first.row() <= index.row() &&
        index.row() <= last.row() && first.column() <= index.column() &&
        index.column() <= last.column())
      return true;
  }
  return false;
}

const QVariant kChecked = Qt::Checked;
const QVariant kUnchecked = Qt::Unchecked;

}  // namespace

void UiModelsTest::treePlacesCaptionsAndHints_data() {
  QTest::addColumn<bool>("dataTree");
  QTest::addColumn<int>("node");
  QTest::addColumn<int>("parentNode");
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("hint");
  QTest::newRow("first kind with options") << false << en::kArcs << -1 << 2 << "Arcs"
                                           << "Export Arcs coordinates";
  QTest::newRow("option of a later kind")
      << false << en::kLineStart << en::kLines << 0 << "Start Point"
      << "Export Lines Start Point coordinates";
  QTest::newRow("last kind") << false << en::kBlocks << -1 << 11 << "Blocks"
                             << "Export block Insertion Point coordinates and/or block name";
  QTest::newRow("custom data field")
      << true << fn::kLineNumber << -1 << 0 << "Line Number"
      << "Export a unique number for each line of the Data file - (Custom Data : you can use "
         "your own values for this data)";
  QTest::newRow("DXF data field")
      << true << fn::kX << -1 << 1 << "X (East) coordinate"
      << "Export the X (East) coordinate - (DXF Data : this data is taken from the DXF file)";
  QTest::newRow("option node, no suffix") << true << fn::kZForceTo << fn::kZ << 2 << "Force to :"
                                          << "Force the Z coordinate to this value (decimal value)";
  QTest::newRow("hint with a line break")
      << true << fn::kGroupNumber << -1 << 11 << "Group Number"
      << "Export a number assigned to each processed entity. For entities that have more "
         "\r\nthan 1 coordinate point (polylines, lines ...), the number is the same for each "
         "point - (Custom Data : you can use your own values for this data)";
}

void UiModelsTest::treePlacesCaptionsAndHints() {
  QFETCH(bool, dataTree);
  QFETCH(int, node);
  QFETCH(int, parentNode);
  QFETCH(int, row);
  QFETCH(QString, caption);
  QFETCH(QString, hint);
  Trees trees;
  const ConfigTreeModel& model = trees.of(dataTree);

  const QModelIndex index = model.indexOfNode(node);
  QVERIFY(index.isValid());
  QCOMPARE(model.nodeAt(index), node);
  QCOMPARE(index.row(), row);
  QCOMPARE(model.nodeAt(index.parent()), parentNode);
  QCOMPARE(model.index(row, 0, index.parent()), index);
  QCOMPARE(index.data().toString(), caption);
  for (int column = 0; column < model.columnCount(); ++column)
    QCOMPARE(Role(model, node, Qt::ToolTipRole, column).toString(), hint);
}

void UiModelsTest::treeShapeAndHeaders() {
  Trees trees;
  QCOMPARE(trees.entity.rowCount(), kEntityKindCount);
  QCOMPARE(trees.data.rowCount(), kDataFieldCount);
  QCOMPARE(trees.entity.columnCount(), 1);
  QCOMPARE(trees.data.columnCount(), 2);
  QCOMPARE(trees.entity.rowCount(trees.entity.indexOfNode(en::kFaces)), 4);
  QCOMPARE(trees.data.rowCount(trees.data.indexOfNode(fn::kZ, 1)), 0);

  QVERIFY(!trees.entity.indexOfNode(kEntityNodeCount).isValid());
  QVERIFY(!trees.entity.indexOfNode(en::kArcs, 1).isValid());
  QVERIFY(!trees.data.indexOfNode(fn::kX, 2).isValid());
  QCOMPARE(trees.data.nodeAt(QModelIndex()), -1);

  QCOMPARE(trees.data.headerData(0, Qt::Horizontal).toString(), "Data name");
  QCOMPARE(trees.data.headerData(1, Qt::Horizontal).toString(), "Options");
  QVERIFY(!trees.entity.headerData(0, Qt::Horizontal).isValid());
}

void UiModelsTest::treeFlags_data() {
  QTest::addColumn<bool>("dataTree");
  QTest::addColumn<int>("node");
  QTest::addColumn<int>("column");
  QTest::addColumn<Qt::ItemFlags>("flags");
  const Qt::ItemFlags enabled = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  const Qt::ItemFlags checkable = enabled | Qt::ItemIsUserCheckable;
  QTest::newRow("entity kind") << false << en::kArcs << 0 << checkable;
  QTest::newRow("entity option") << false << en::kArcStart << 0
                                 << (checkable | Qt::ItemNeverHasChildren);
  QTest::newRow("data field caption") << true << fn::kZ << 0 << checkable;
  QTest::newRow("data field value") << true << fn::kZ << 1 << enabled;
  QTest::newRow("data option caption")
      << true << fn::kZForceTo << 0 << (enabled | Qt::ItemNeverHasChildren);
  QTest::newRow("data option value")
      << true << fn::kZForceTo << 1 << (enabled | Qt::ItemIsEditable | Qt::ItemNeverHasChildren);
}

void UiModelsTest::treeFlags() {
  QFETCH(bool, dataTree);
  QFETCH(int, node);
  QFETCH(int, column);
  QFETCH(Qt::ItemFlags, flags);
  Trees trees;
  QCOMPARE(trees.of(dataTree).flags(trees.of(dataTree).indexOfNode(node, column)), flags);
}

void UiModelsTest::entityCheckRulesReachTheirNodes() {
  Trees trees;
  ConfigTreeModel& model = trees.entity;
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

  QVERIFY(Check(model, en::kArcs, Qt::Checked));
  QCOMPARE(CheckOf(model, en::kArcs), kChecked);
  QCOMPARE(CheckOf(model, en::kArcStart), kChecked);
  QCOMPARE(CheckOf(model, en::kArcEnd), kUnchecked);
  QVERIFY(Covers(changed, model.indexOfNode(en::kArcStart)));
  QVERIFY(!Check(model, en::kArcs, Qt::Checked));

  changed.clear();
  QVERIFY(Check(model, en::kArcs, Qt::Unchecked));
  for (const int option : {en::kArcStart, en::kArcEnd, en::kArcCenter}) {
    QVERIFY(!Enabled(model, option));
    QVERIFY(Covers(changed, model.indexOfNode(option)));
  }
  QCOMPARE(CheckOf(model, en::kArcStart), kChecked);
  QVERIFY(!Check(model, en::kArcStart, Qt::Unchecked));
  QCOMPARE(CheckOf(model, en::kArcStart), kChecked);

  QVERIFY(Check(model, en::kArcs, Qt::Checked));
  QVERIFY(Enabled(model, en::kArcStart));
  QCOMPARE(CheckOf(model, en::kArcStart), kChecked);
  QCOMPARE(CheckOf(model, en::kArcEnd), kUnchecked);
}

void UiModelsTest::dataCheckRuleDisablesOptions() {
  Trees trees;
  ConfigTreeModel& model = trees.data;
  QVERIFY(!CheckOf(model, fn::kZForceTo).isValid());
  QVERIFY(!Role(model, fn::kZ, Qt::CheckStateRole, 1).isValid());
  QVERIFY(!Check(model, fn::kZForceTo, Qt::Checked));
  QVERIFY(!model.setData(model.indexOfNode(fn::kZ, 1), Qt::Checked, Qt::CheckStateRole));

  QVERIFY(Check(model, fn::kZ, Qt::Checked));
  QCOMPARE(CheckOf(model, fn::kZ), kChecked);
  QCOMPARE(trees.core.record().FieldChecks[fn::kZ], 1);

  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  QVERIFY(Check(model, fn::kZ, Qt::Unchecked));
  QCOMPARE(trees.core.record().FieldChecks[fn::kZ], 0);
  for (const int column : {0, 1}) {
    QVERIFY(!Enabled(model, fn::kZForceTo, column));
    QVERIFY(Covers(changed, model.indexOfNode(fn::kZForceTo, column)));
  }
  QVERIFY(Enabled(model, fn::kZ));
}

void UiModelsTest::selectAllAndNone() {
  Trees trees;
  ConfigTreeModel& entity = trees.entity;
  trees.core.SetAllChecks(ConfigTreeId::kEntity, true);
  for (int node = 0; node < kEntityNodeCount; ++node)
    QCOMPARE(CheckOf(entity, node), kChecked);

  // Select None disables the options before it reaches them, so they keep their marks.
  trees.core.SetAllChecks(ConfigTreeId::kEntity, false);
  for (int row = 0; row < entity.rowCount(); ++row) {
    const QModelIndex kind = entity.index(row, 0);
    QCOMPARE(kind.data(Qt::CheckStateRole), kUnchecked);
    for (int option = 0; option < entity.rowCount(kind); ++option) {
      const QModelIndex index = entity.index(option, 0, kind);
      QCOMPARE(index.data(Qt::CheckStateRole), kChecked);
      QVERIFY(!entity.flags(index).testFlag(Qt::ItemIsEnabled));
    }
  }

  ConfigTreeModel& data = trees.data;
  trees.core.SetAllChecks(ConfigTreeId::kData, true);
  for (int row = 0; row < data.rowCount(); ++row) {
    const QModelIndex field = data.index(row, 0);
    QCOMPARE(field.data(Qt::CheckStateRole), kChecked);
    for (int option = 0; option < data.rowCount(field); ++option)
      QVERIFY(!data.index(option, 0, field).data(Qt::CheckStateRole).isValid());
  }
}

void UiModelsTest::movedFieldKeepsItsNodes() {
  Trees trees;
  ConfigTreeModel& model = trees.data;
  QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
  QSignalSpy entity_resets(&trees.entity, &QAbstractItemModel::modelReset);
  trees.core.FocusDataNode(fn::kZ);

  QVERIFY(trees.core.MoveFieldUp());
  QCOMPARE(resets.count(), 1);
  QCOMPARE(model.indexOfNode(fn::kZ).row(), 2);
  QCOMPARE(model.index(2, 0).data().toString(), "Z (Elevation) coordinate");
  QCOMPARE(model.index(3, 0).data().toString(), "Y (North) coordinate");
  const QModelIndex force_to = model.index(2, 0, model.index(2, 0));
  QCOMPARE(model.nodeAt(force_to), fn::kZForceTo);
  QCOMPARE(force_to.parent(), model.indexOfNode(fn::kZ));

  QVERIFY(trees.core.MoveFieldDown());
  QVERIFY(trees.core.MoveFieldDown());
  QCOMPARE(resets.count(), 3);
  QCOMPARE(model.indexOfNode(fn::kZ).row(), 4);
  QCOMPARE(model.index(3, 0).data().toString(), "Entity Type");
  QCOMPARE(entity_resets.count(), 0);
}

void UiModelsTest::replacedContentIsShown() {
  ConfigModel loaded;
  loaded.SetChecked(ConfigTreeId::kEntity, en::kBlocks, true);
  loaded.SetChecked(ConfigTreeId::kData, fn::kLabel, true);
  loaded.AcceptTypedValue(fn::kLabelText, "Manhole");
  loaded.FocusDataNode(fn::kLabel);
  loaded.MoveFieldUp();

  Trees trees;
  QSignalSpy entity_resets(&trees.entity, &QAbstractItemModel::modelReset);
  QSignalSpy data_resets(&trees.data, &QAbstractItemModel::modelReset);
  trees.core.ReplaceContent(loaded.content());
  QCOMPARE(entity_resets.count(), 1);
  QCOMPARE(data_resets.count(), 1);
  QCOMPARE(CheckOf(trees.entity, en::kBlocks), kChecked);
  QCOMPARE(trees.data.indexOfNode(fn::kLabel).row(), 8);
  QCOMPARE(trees.data.index(8, 0).data().toString(), "Label");
  QCOMPARE(CheckOf(trees.data, fn::kLabel), kChecked);
  QCOMPARE(Role(trees.data, fn::kLabelText, Qt::DisplayRole, 1).toString(), "Manhole");
}

void UiModelsTest::typedValues_data() {
  QTest::addColumn<int>("node");
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("stored");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("refusal");
  const QString integer = "  The value must be an integer value.  ";
  QTest::newRow("start at, blanks around") << fn::kLineNumberStart << 1 << " 7 " << true << "7"
                                           << "";
  QTest::newRow("start at, empty") << fn::kLineNumberStart << 1 << "" << false << "" << integer;
  QTest::newRow("start at, text") << fn::kSequentialStart << 1 << "x" << false << "" << integer;
  QTest::newRow("decimals 0") << fn::kXDecimals << 1 << "0" << true << "0"
                              << "";
  QTest::newRow("decimals 15")
      << fn::kXDecimals << 1 << "15" << false << ""
      << "  The value must be an integer value comprised between 1 and 14.  ";
  QTest::newRow("force to, comma") << fn::kZForceTo << 1 << "1,5" << true << "1.5"
                                   << "";
  QTest::newRow("force to, text") << fn::kZForceTo << 1 << "abc" << false << ""
                                  << "  The value must be a decimal value.  ";
  QTest::newRow("label, not ASCII") << fn::kLabelText << 1 << QString::fromUtf8("Straße Ø") << true
                                    << QString::fromUtf8("Straße Ø") << "";
  QTest::newRow("option caption column") << fn::kLabelText << 0 << "x" << false << ""
                                         << "";
  QTest::newRow("data field value column") << fn::kLabel << 1 << "x" << false << ""
                                           << "";
}

void UiModelsTest::typedValues() {
  QFETCH(int, node);
  QFETCH(int, column);
  QFETCH(QString, text);
  QFETCH(bool, stored);
  QFETCH(QString, shown);
  QFETCH(QString, refusal);
  Trees trees;
  ConfigTreeModel& model = trees.data;
  QSignalSpy refused(&model, &ConfigTreeModel::valueRefused);
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

  QCOMPARE(model.setData(model.indexOfNode(node, column), text, Qt::EditRole), stored);
  QCOMPARE(refused.count(), refusal.isEmpty() ? 0 : 1);
  if (!refusal.isEmpty()) QCOMPARE(refused.at(0).at(0).toString(), refusal);
  const QModelIndex value = model.indexOfNode(node, 1);
  QCOMPARE(value.data(Qt::DisplayRole).toString(), shown);
  QCOMPARE(value.data(Qt::EditRole).toString(), shown);
  QCOMPARE(Covers(changed, value), stored);
}

void UiModelsTest::iconsFontsAndBackground() {
  Trees trees;
  QList<QVariant> kinds;
  for (int kind = 0; kind < kEntityKindCount; ++kind)
    kinds.append(QStringLiteral("kind %1").arg(kind));
  trees.entity.setIcons(kinds);
  for (int row = 0; row < kEntityKindCount; ++row)
    QCOMPARE(trees.entity.index(row, 0).data(Qt::DecorationRole), kinds[row]);
  QVERIFY(!Role(trees.entity, en::kArcStart, Qt::DecorationRole).isValid());

  const QVariant custom = "custom", dxf = "dxf";
  trees.data.setIcons({custom, dxf});
  QCOMPARE(Role(trees.data, fn::kLineNumber, Qt::DecorationRole), custom);
  QCOMPARE(Role(trees.data, fn::kX, Qt::DecorationRole), dxf);
  QVERIFY(!Role(trees.data, fn::kX, Qt::DecorationRole, 1).isValid());
  QVERIFY(!Role(trees.data, fn::kXDecimals, Qt::DecorationRole).isValid());
  trees.core.FocusDataNode(fn::kX);
  trees.core.MoveFieldUp();
  QCOMPARE(trees.data.index(0, 0).data(Qt::DecorationRole), dxf);

  const QVariant bold = "bold";
  trees.entity.setBoldFont(bold);
  trees.data.setBoldFont(bold);
  trees.core.SetAllChecks(ConfigTreeId::kEntity, true);
  QCOMPARE(Role(trees.entity, en::kArcs, Qt::FontRole), bold);
  QVERIFY(!Role(trees.entity, en::kArcStart, Qt::FontRole).isValid());
  QVERIFY(!Role(trees.data, fn::kX, Qt::FontRole).isValid());
  trees.core.SetChecked(ConfigTreeId::kData, fn::kX, true);
  QCOMPARE(Role(trees.data, fn::kX, Qt::FontRole), bold);

  QSignalSpy changed(&trees.data, &QAbstractItemModel::dataChanged);
  const QVariant shade = "shade";
  trees.data.setOptionsBackground(shade);
  QVERIFY(Covers(changed, trees.data.indexOfNode(fn::kZForceTo, 1)));
  QCOMPARE(Role(trees.data, fn::kZForceTo, Qt::BackgroundRole, 1), shade);
  QCOMPARE(Role(trees.data, fn::kZ, Qt::BackgroundRole, 1), shade);
  QVERIFY(!Role(trees.data, fn::kZ, Qt::BackgroundRole).isValid());
}

}  // namespace quorvex::ui
