#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include "gui_test.h"
#include "ui/folder_dialog.h"
#include "ui/path_label.h"
#include "window_fixture.h"

namespace quorvex::ui {
namespace {

using testing::Find;
using testing::Press;
using testing::StoredSetting;

QString CountLine(const MainWindow& window) {
  return Find<QLabel>(window, "countLabel")->text();
}

void ClickHeader(const MainWindow& window, int column, Qt::MouseButton button = Qt::LeftButton) {
  QHeaderView* header = Find<QHeaderView>(window, "fileListHeader");
  const QPoint inside(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                      header->height() / 2);
  QTest::mouseClick(header->viewport(), button, {}, inside);
}

// The columns drawn in the sort column's shade.
QList<int> ShadedColumns(const MainWindow& window) {
  const QAbstractItemModel* files = Find<QTreeView>(window, "fileList")->model();
  QList<int> shaded;
  for (int column = 0; column < files->columnCount(); ++column) {
    if (files->index(0, column).data(Qt::BackgroundRole).value<QBrush>().color() ==
        QColor(242, 242, 242))
      shaded.append(column);
  }
  return shaded;
}

}  // namespace

// Locked, the destination follows the folder tree; unlocked it stays; locking again takes the
// tree's folder. Every lock and unlock is stored at once.
void GuiTest::lockUnlockAndTheTree() {
  auto& f = *fixture_;
  auto window = f.startWindow();
  QVERIFY(window);
  auto* destination = Find<QLineEdit>(*window, "destinationEdit");
  auto* lock = Find<QToolButton>(*window, "lockButton");
  auto* unlock = Find<QToolButton>(*window, "unlockButton");
  auto* browse = Find<QToolButton>(*window, "browseButton");

  QVERIFY(testing::ChooseFolder(*window, f.drawings()));
  QCOMPARE(destination->text(), f.drawings());
  QCOMPARE(Find<PathLabel>(*window, "folderLabel")->path(), f.drawings());

  QVERIFY(Press(unlock));
  QVERIFY(unlock->isHidden());
  QVERIFY(!lock->isHidden());
  QVERIFY(browse->isEnabled());
  QVERIFY(destination->isEnabled());
  QCOMPARE(StoredSetting(f, "locked").toString(), QStringLiteral("0"));
  QVERIFY(testing::ChooseFolder(*window, f.other()));
  QCOMPARE(destination->text(), f.drawings());

  QVERIFY(Press(lock));
  QCOMPARE(destination->text(), f.other());
  QVERIFY(!unlock->isHidden());
  QVERIFY(lock->isHidden());
  QVERIFY(!browse->isEnabled());
  QVERIFY(!destination->isEnabled());
  QCOMPARE(StoredSetting(f, "locked").toString(), QStringLiteral("1"));
  QVERIFY(testing::ChooseFolder(*window, f.drawings()));
  QCOMPARE(destination->text(), f.drawings());

  QVERIFY(Press(Find<QToolButton>(*window, "openFolderButton")));
  QCOMPARE(f.launcher.folders, QStringList{f.drawings()});
}

void GuiTest::browse_data() {
  QTest::addColumn<bool>("chosen");
  QTest::newRow("Select") << true;
  QTest::newRow("Cancel") << false;
}

// The folder dialog opens on the destination; its choice becomes the destination, its Cancel
// changes nothing.
void GuiTest::browse() {
  QFETCH(bool, chosen);
  auto& f = *fixture_;
  auto window = f.startWindow();
  QVERIFY(window);
  QVERIFY(Press(Find<QToolButton>(*window, "unlockButton")));
  if (chosen) f.chooser.answer = f.other().toStdString();
  QVERIFY(Press(Find<QToolButton>(*window, "browseButton")));
  QCOMPARE(f.chooser.starts.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(f.chooser.starts[0].value_or("")), f.home());
  QCOMPARE(Find<QLineEdit>(*window, "destinationEdit")->text(), chosen ? f.other() : f.home());
}

void GuiTest::folderDialog_data() {
  QTest::addColumn<QString>("answer");  // the button pressed, or "Escape"
  QTest::addColumn<bool>("chosen");
  QTest::newRow("Select") << "selectButton" << true;
  QTest::newRow("Cancel") << "cancelButton" << false;
  QTest::newRow("Escape") << "Escape" << false;
}

// The window's own folder dialog opens on the folder it is given and returns the selected one
// on "Select ", nothing on "Cancel " or Escape.
void GuiTest::folderDialog() {
  QFETCH(QString, answer);
  QFETCH(bool, chosen);
  FolderDialog dialog;
  QTimer::singleShot(0, &dialog, [&dialog, answer] {
    if (answer == "Escape") {
      QTest::keyClick(&dialog, Qt::Key_Escape);
    } else {
      dialog.findChild<QPushButton*>(answer)->click();
    }
  });
  const std::optional<std::string> folder = dialog.ChooseFolder(fixture_->other().toStdString());
  QCOMPARE(folder.has_value(), chosen);
  if (chosen) QCOMPARE(QString::fromStdString(*folder), fixture_->other());
}

// Each left click on a column reverses the direction and sorts by that column, shading it; the
// count line and "Process selected files" follow the selection.
void GuiTest::headerClicksAndCountLine() {
  auto& f = *fixture_;
  auto window = f.startWindow();
  QVERIFY(window);
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QVERIFY(testing::ChooseFolder(*window, f.drawings()));
  QHeaderView* header = Find<QHeaderView>(*window, "fileListHeader");
  QCOMPARE(testing::ListedNames(*window), (QStringList{"building", "road", "site_blocks"}));
  QVERIFY(ShadedColumns(*window).isEmpty());
  QCOMPARE(CountLine(*window), QStringLiteral("3 DXF files, 1 selected."));

  ClickHeader(*window, 2);  // "Size" (building 3 KB, site_blocks 7 KB, road 17 KB)
  QCOMPARE(testing::ListedNames(*window), (QStringList{"road", "site_blocks", "building"}));
  QCOMPARE(header->sortIndicatorSection(), 2);
  QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
  QCOMPARE(ShadedColumns(*window), QList<int>{2});
  QCOMPARE(QApplication::focusWidget(), Find<QTreeView>(*window, "fileList"));
  ClickHeader(*window, 0, Qt::RightButton);  // not a sort click
  QCOMPARE(testing::ListedNames(*window), (QStringList{"road", "site_blocks", "building"}));
  ClickHeader(*window, 2);
  QCOMPARE(testing::ListedNames(*window), (QStringList{"building", "site_blocks", "road"}));
  QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
  ClickHeader(*window, 0);
  QCOMPARE(testing::ListedNames(*window), (QStringList{"site_blocks", "road", "building"}));
  QCOMPARE(ShadedColumns(*window), QList<int>{0});

  // The selection moved with its row.
  QCOMPARE(testing::SelectedNames(*window), QStringList{"building"});
  testing::ClickRow(*window, 0, Qt::ControlModifier);
  QCOMPARE(CountLine(*window), QStringLiteral("3 DXF files, 2 selected."));
  auto* process = Find<QToolButton>(*window, "processButton");
  QVERIFY(process->isEnabled());
  testing::ClickRow(*window, 0, Qt::ControlModifier);
  testing::ClickRow(*window, 2, Qt::ControlModifier);
  QCOMPARE(CountLine(*window), QStringLiteral("3 DXF files, 0 selected."));
  QVERIFY(!process->isEnabled());

  QVERIFY(testing::ChooseFolder(*window, f.other()));
  QCOMPARE(CountLine(*window), QStringLiteral("0 DXF file, 0 selected."));
  QVERIFY(!process->isEnabled());
}

// "Name" takes the width the other columns leave, and a name it cuts shows whole as its tooltip,
// also while the hints are off; a name shown whole has the list's hint.
void GuiTest::fileListNamesTakeTheFreeWidth() {
  auto& f = *fixture_;
  const QString folder = f.makeFolder("long");
  const QString long_name =
      QStringLiteral("survey of the northern access road, second revision, with the culverts");
  QVERIFY(QFile::copy(f.drawings() + "/road.dxf", folder + "/" + long_name + ".dxf"));
  QVERIFY(QFile::copy(f.drawings() + "/road.dxf", folder + "/road.dxf"));
  auto window = f.startWindow();
  QVERIFY(window);
  QVERIFY(testing::ChooseFolder(*window, folder));
  auto* list = Find<QTreeView>(*window, "fileList");
  QHeaderView* header = Find<QHeaderView>(*window, "fileListHeader");
  const auto widths = [header] {
    return QList<int>{header->sectionSize(0), header->sectionSize(1), header->sectionSize(2)};
  };
  QTRY_COMPARE(header->length(), list->viewport()->width());
  const QList<int> narrow = widths();
  window->resize(window->width() + 200, window->height());
  QTRY_COMPARE(widths(), (QList<int>{narrow[0] + 200, narrow[1], narrow[2]}));

  QCOMPARE(testing::ListedNames(*window), (QStringList{"road", long_name}));
  const QPoint cut_name = list->visualRect(list->model()->index(1, 0)).center();
  QCOMPARE(testing::TooltipAt(list->viewport(), cut_name), long_name);
  QCOMPARE(
      testing::TooltipAt(list->viewport(), list->visualRect(list->model()->index(0, 0)).center()),
      list->toolTip());
  QVERIFY(Press(Find<QCheckBox>(*window, "helpTipsBox")));
  QCOMPARE(testing::TooltipAt(list->viewport(), cut_name), long_name);
}

// The extension box shows ten characters whole, takes no more, and drops the blanks an extension
// would start with.
void GuiTest::extensionBox() {
  auto window = fixture_->startWindow();
  QVERIFY(window);
  auto* extension = Find<QLineEdit>(*window, "extensionEdit");
  extension->clear();
  QTest::keyClicks(extension, QStringLiteral("  csv"));
  QCOMPARE(extension->text(), QStringLiteral("csv"));
  extension->setCursorPosition(0);
  QTest::keyClicks(extension, QStringLiteral(" "));
  QCOMPARE(extension->text(), QStringLiteral("csv"));
  extension->selectAll();
  QTest::keyClicks(extension, QStringLiteral("WWWWWWWWWWWW"));
  QCOMPARE(extension->text(), QStringLiteral("WWWWWWWWWW"));
  // With the cursor after the last character the first one is still in view.
  QCOMPARE(extension->cursorPosition(), 10);
  QCOMPARE(extension->cursorPositionAt(
               QPoint(extension->contentsRect().left() + 4, extension->height() / 2)),
           0);
}

// "AutoSelect all files." selects every row now and in every folder listed from then on; it is
// stored at once, and unchecking it deselects nothing.
void GuiTest::autoSelect() {
  auto& f = *fixture_;
  auto window = f.startWindow();
  QVERIFY(window);
  QVERIFY(testing::ChooseFolder(*window, f.drawings()));
  auto* box = Find<QCheckBox>(*window, "autoSelectBox");
  const QStringList all{"building", "road", "site_blocks"};

  QVERIFY(Press(box));
  QCOMPARE(testing::SelectedNames(*window), all);
  QCOMPARE(CountLine(*window), QStringLiteral("3 files selected."));
  QCOMPARE(StoredSetting(f, "autosel").toString(), QStringLiteral("1"));
  QVERIFY(testing::ChooseFolder(*window, f.other()));
  QVERIFY(testing::ChooseFolder(*window, f.drawings()));
  QCOMPARE(testing::SelectedNames(*window), all);
  QCOMPARE(CountLine(*window), QStringLiteral("3 DXF files, 3 selected."));

  QVERIFY(Press(box));
  QVERIFY(!box->isChecked());
  QCOMPARE(testing::SelectedNames(*window), all);
  QCOMPARE(StoredSetting(f, "autosel").toString(), QStringLiteral("0"));
}

}  // namespace quorvex::ui
