#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
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

}  // namespace

// "Show Help Tips" switches every hint of the program, the trees' node hints included, and is
// stored at once.
void GuiTest::helpTips() {
  auto& f = *fixture_;
  auto window = f.startWindow();
  QVERIFY(window);
  auto* process = Find<QToolButton>(*window, "processButton");
  auto* entities = Find<ConfigTreeView>(*window, "entityTree");
  const auto tips = [&] {
    auto* tabs = Find<QTabWidget>(*window, "tabs");
    tabs->setCurrentIndex(0);
    const QString button = testing::TooltipAt(process, QPoint(4, 4));
    tabs->setCurrentIndex(1);
    const QModelIndex points =
        qobject_cast<ConfigTreeModel*>(entities->model())->indexOfNode(entity_node::kPoints);
    const QString node =
        testing::TooltipAt(entities->viewport(), entities->visualRect(points).center());
    tabs->setCurrentIndex(2);
    return QStringList{button, node};
  };
  const QStringList shown{"Create Data Files...", "Export Points coordinates"};
  QCOMPARE(tips(), shown);

  auto* box = Find<QCheckBox>(*window, "helpTipsBox");
  QVERIFY(Press(box));
  QCOMPARE(testing::StoredSetting(f, "showtips").toString(), QStringLiteral("0"));
  QCOMPARE(tips(), (QStringList{QString(), QString()}));
  QVERIFY(Press(box));
  QCOMPARE(tips(), shown);
}

// The help file, the web site and the support address go to the desktop.
void GuiTest::helpAndSupportLinks() {
  auto& f = *fixture_;
  auto window = f.startWindow();
  QVERIFY(window);
  Find<QTabWidget>(*window, "tabs")->setCurrentIndex(2);
  QVERIFY(Press(Find<QPushButton>(*window, "helpButton")));
  QVERIFY(Press(Find<QToolButton>(*window, "webSiteButton")));
  auto* support = Find<QLabel>(*window, "supportLink");
  QTest::mouseClick(support, Qt::LeftButton);
  QCOMPARE(
      f.launcher.urls,
      (QList<QUrl>{
          QUrl::fromLocalFile(f.programFolder() + "help/index.html"),
          QUrl(QStringLiteral("https://example.org/")),
          QUrl(QStringLiteral("mailto:support@example.org?subject=Quorvex support request"))}));
}

}  // namespace quorvex::ui
