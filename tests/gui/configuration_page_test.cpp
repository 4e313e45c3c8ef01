#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "gui_test.h"
#include "ui/config_tree_view.h"
#include "ui/models/config_tree_model.h"
#include "window_fixture.h"

namespace quorvex::ui {
namespace {

using testing::Find;
using testing::Press;
namespace en = entity_node;
namespace fn = field_node;

// The tree on the "Configuration" tab, brought to the front.
ConfigTreeView* ShowTree(const MainWindow& window, const char* name) {
  Find<QTabWidget>(window, "tabs")->setCurrentIndex(1);
  return Find<ConfigTreeView>(window, name);
}

ConfigTreeModel& ModelOf(const ConfigTreeView& view) {
  return *qobject_cast<ConfigTreeModel*>(view.model());
}

Qt::CheckState CheckOf(const ConfigTreeView& view, int node) {
  return ModelOf(view).indexOfNode(node).data(Qt::CheckStateRole).value<Qt::CheckState>();
}

bool IsEnabled(const ConfigTreeView& view, int node) {
  return ModelOf(view).indexOfNode(node).flags().testFlag(Qt::ItemIsEnabled);
}

bool SetCheck(ConfigTreeView& view, int node, Qt::CheckState state) {
  return view.model()->setData(ModelOf(view).indexOfNode(node), state, Qt::CheckStateRole);
}

void Trigger(const ConfigTreeView& view, const char* action) {
  view.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

int FocusedNode(const ConfigTreeView& view) {
  return ModelOf(view).nodeAt(view.currentIndex());
}

}  // namespace

// The built-in default checks "Arcs" with its "Center". Checking "Arcs" with no option checked
// checks "Start Point" and focuses it; "Select None" unchecks the kinds and leaves their
// disabled options' marks.
void GuiTest::entityCheckRulesAndSelectNone() {
  auto window = fixture_->startWindow();
  QVERIFY(window);
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  ConfigTreeView& entities = *ShowTree(*window, "entityTree");
  QVERIFY(SetCheck(entities, en::kArcCenter, Qt::Unchecked));
  QVERIFY(SetCheck(entities, en::kArcs, Qt::Unchecked));
  QVERIFY(!IsEnabled(entities, en::kArcStart));

  // Space on the focused node is the view's own check click.
  entities.setCurrentIndex(ModelOf(entities).indexOfNode(en::kArcs));
  QTest::keyClick(&entities, Qt::Key_Space);
  QCOMPARE(CheckOf(entities, en::kArcs), Qt::Checked);
  QCOMPARE(CheckOf(entities, en::kArcStart), Qt::Checked);
  QCOMPARE(CheckOf(entities, en::kArcEnd), Qt::Unchecked);
  QVERIFY(IsEnabled(entities, en::kArcStart));
  QCOMPARE(FocusedNode(entities), int{en::kArcStart});

  // The block-name edit is usable only while "Blocks" is checked and focused, and takes the
  // keyboard focus then.
  auto* block_names = Find<QLineEdit>(*window, "blockNamesEdit");
  QVERIFY(!block_names->isEnabled());
  entities.setCurrentIndex(ModelOf(entities).indexOfNode(en::kBlocks));
  QVERIFY(block_names->isEnabled());
  QVERIFY(Find<QWidget>(*window, "blockNamesLabel")->isEnabled());
  QCOMPARE(QApplication::focusWidget(), block_names);

  Trigger(entities, "selectNoneAction");
  QVERIFY(!block_names->isEnabled());
  for (const int kind : kEntityKindNodes)
    QCOMPARE(CheckOf(entities, kind), Qt::Unchecked);
  QCOMPARE(CheckOf(entities, en::kArcStart), Qt::Checked);
  QVERIFY(!IsEnabled(entities, en::kArcStart));

  ConfigTreeView& fields = *ShowTree(*window, "dataTree");
  QCOMPARE(CheckOf(fields, fn::kX), Qt::Checked);
  Trigger(fields, "selectNoneAction");
  QCOMPARE(CheckOf(fields, fn::kX), Qt::Unchecked);
  QVERIFY(!IsEnabled(fields, fn::kXDecimals));
  Trigger(fields, "selectAllAction");
  QCOMPARE(CheckOf(fields, fn::kLineNumber), Qt::Checked);
  QVERIFY(IsEnabled(fields, fn::kLineNumberStart));
}

void GuiTest::moveButtonsFollowTheFocus_data() {
  QTest::addColumn<int>("node");
  QTest::addColumn<bool>("up");
  QTest::addColumn<bool>("down");
  QTest::newRow("first data field") << int{fn::kLineNumber} << false << true;
  QTest::newRow("middle data field") << int{fn::kX} << true << true;
  QTest::newRow("last data field") << int{fn::kGroupNumber} << true << false;
  QTest::newRow("option node") << fn::kX + 1 << false << false;
}

// The move buttons follow the focused node; a moved field keeps the focus and the buttons follow
// its new place.
void GuiTest::moveButtonsFollowTheFocus() {
  QFETCH(int, node);
  QFETCH(bool, up);
  QFETCH(bool, down);
  auto window = fixture_->startWindow();
  QVERIFY(window);
  ConfigTreeView& fields = *ShowTree(*window, "dataTree");
  Trigger(fields, "expandAllAction");
  auto* up_button = Find<QToolButton>(*window, "moveUpButton");
  auto* down_button = Find<QToolButton>(*window, "moveDownButton");
  fields.setCurrentIndex(ModelOf(fields).indexOfNode(node));
  QCOMPARE(up_button->isEnabled(), up);
  QCOMPARE(down_button->isEnabled(), down);
  if (!up && !down) return;

  const int row = ModelOf(fields).indexOfNode(node).row();
  QVERIFY(Press(up ? up_button : down_button));
  const int moved = ModelOf(fields).indexOfNode(node).row();
  QCOMPARE(moved, up ? row - 1 : row + 1);
  QCOMPARE(FocusedNode(fields), node);
  QCOMPARE(up_button->isEnabled(), moved > 0);
  QCOMPARE(down_button->isEnabled(), moved < kDataFieldCount - 1);
}

void GuiTest::refusedTypedValue_data() {
  QTest::addColumn<int>("node");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("refusal");  // empty: accepted
  QTest::addColumn<QString>("shown");

  QTest::newRow("decimals out of range")
      << int{fn::kXDecimals} << "15"
      << "  The value must be an integer value comprised between 1 and 14.  "
      << "3";
  QTest::newRow("start not a number") << int{fn::kLineNumberStart} << "x1"
                                      << "  The value must be an integer value.  "
                                      << "1";
  QTest::newRow("forced Z not a number") << int{fn::kZForceTo} << "1.2.3"
                                         << "  The value must be a decimal value.  "
                                         << "";
  QTest::newRow("forced Z with a comma") << int{fn::kZForceTo} << "1,5"
                                         << ""
                                         << "1.5";
}

// A value typed into an "Options" cell reaches the typed-value rule; a refused one shows its
// error box and the cell keeps its value.
void GuiTest::refusedTypedValue() {
  QFETCH(int, node);
  QFETCH(QString, typed);
  QFETCH(QString, refusal);
  QFETCH(QString, shown);
  auto& f = *fixture_;
  auto window = f.startWindow();
  QVERIFY(window);
  ConfigTreeView& fields = *ShowTree(*window, "dataTree");
  Trigger(fields, "selectAllAction");
  Trigger(fields, "expandAllAction");

  // Focusing an option node opens its editor.
  fields.setCurrentIndex(ModelOf(fields).indexOfNode(node));
  QLineEdit* editor = nullptr;
  QTRY_VERIFY((editor = fields.viewport()->findChild<QLineEdit*>()));
  editor->selectAll();
  QTest::keyClicks(editor, typed);
  QTest::keyClick(editor, Qt::Key_Return);
  // The editor commits and closes once the key press is handled; the refusal follows.
  const QPointer<QLineEdit> open_editor(editor);
  QTRY_VERIFY(!open_editor);
  QCoreApplication::processEvents();

  QCOMPARE(testing::Texts(f.prompts.errors),
           refusal.isEmpty() ? QStringList{} : QStringList{refusal});
  QCOMPARE(ModelOf(fields).indexOfNode(node, 1).data().toString(), shown);
}

void GuiTest::keyboardEditsFollowTheCurrentRow_data() {
  QTest::addColumn<int>("from");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("to");
  QTest::newRow("down from the prefix")
      << fn::kLineNumber + 1 << int{Qt::Key_Down} << int{fn::kLineNumberStart};
  QTest::newRow("up from the start")
      << int{fn::kLineNumberStart} << int{Qt::Key_Up} << fn::kLineNumber + 1;
}

// An arrow key in an open "Options" editor moves to the next row: the text typed so far goes
// into the option it was typed for, and what is typed next into the option of the new row.
void GuiTest::keyboardEditsFollowTheCurrentRow() {
  QFETCH(int, from);
  QFETCH(int, key);
  QFETCH(int, to);
  auto window = fixture_->startWindow();
  QVERIFY(window);
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  ConfigTreeView& fields = *ShowTree(*window, "dataTree");
  Trigger(fields, "selectAllAction");
  Trigger(fields, "expandAllAction");
  fields.setFocus(Qt::OtherFocusReason);
  fields.setCurrentIndex(ModelOf(fields).indexOfNode(from));
  QPointer<QLineEdit> first;
  QTRY_VERIFY((first = fields.viewport()->findChild<QLineEdit*>()));
  QTRY_COMPARE(QApplication::focusWidget(), first.data());
  first->selectAll();
  QTest::keyClicks(first, QStringLiteral("5"));
  QTest::keyClick(first, static_cast<Qt::Key>(key));

  QCOMPARE(FocusedNode(fields), to);
  QTRY_VERIFY(!first);
  QLineEdit* second = nullptr;
  QTRY_VERIFY((second = fields.viewport()->findChild<QLineEdit*>()));
  QTRY_COMPARE(QApplication::focusWidget(), second);
  second->selectAll();
  QTest::keyClicks(second, QStringLiteral("8"));
  QTest::keyClick(second, Qt::Key_Return);
  const QPointer<QLineEdit> open_editor(second);
  QTRY_VERIFY(!open_editor);

  QCOMPARE(ModelOf(fields).indexOfNode(from, 1).data().toString(), QStringLiteral("5"));
  QCOMPARE(ModelOf(fields).indexOfNode(to, 1).data().toString(), QStringLiteral("8"));
  QVERIFY(fixture_->prompts.errors.empty());
}

// "Other" enables the separator box and puts the keyboard focus in it; the other choices disable
// it.
void GuiTest::otherSeparator() {
  auto window = fixture_->startWindow();
  QVERIFY(window);
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  ShowTree(*window, "dataTree");
  auto* choice = Find<QComboBox>(*window, "separatorCombo");
  auto* other = Find<QLineEdit>(*window, "separatorEdit");
  QCOMPARE(choice->currentText(), QStringLiteral("Comma (,)"));
  QVERIFY(!other->isEnabled());
  choice->setCurrentIndex(choice->findText(QStringLiteral("Other")));
  QVERIFY(other->isEnabled());
  QCOMPARE(QApplication::focusWidget(), other);
  choice->setCurrentIndex(choice->findText(QStringLiteral("Tabulation")));
  QVERIFY(!other->isEnabled());
}

}  // namespace quorvex::ui
