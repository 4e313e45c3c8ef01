#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>

#include "desk/file_list_header.h"
#include "desk/window_words.h"
#include "gui_test.h"
#include "window_fixture.h"

namespace quorvex::ui {
namespace {

using testing::Find;
using testing::Press;
using testing::StoredSetting;
using testing::WindowFixture;
using Answer = Prompts::Answer;

const QString kChangedQuestion =
    QStringLiteral("Current configuration has changed, do you want to save it ?");

std::string NotFoundMessage(const QString& path) {
  return "Configuration file \"" + path.toStdString() +
         "\" not found, default values will be used.";
}

}  // namespace

void GuiTest::firstStart_data() {
  QTest::addColumn<bool>("with_default_file");
  QTest::newRow("built-in default configuration") << false;
  QTest::newRow("default.qrv") << true;
}

// Nothing stored yet: the not-found message, the first-start defaults, and at exit the values
// that only the exit sequence writes.
void GuiTest::firstStart() {
  QFETCH(bool, with_default_file);
  auto& f = *fixture_;
  auto window = f.startWindow(
      {with_default_file ? std::optional<std::string>(QUORVEX_DEFAULT_CONFIG_PATH) : std::nullopt,
       {}});
  QVERIFY(window);

  QCOMPARE(testing::Texts(f.prompts.information),
           QStringList{QString::fromStdString(NotFoundMessage(f.configurations() + "/"))});
  QCOMPARE(window->windowTitle(), QStringLiteral("Quorvex V 4.03[None]"));
  QCOMPARE(Find<QLabel>(*window, "statusText")->text(), QStringLiteral("None"));
  QCOMPARE(Find<QTabWidget>(*window, "tabs")->currentIndex(), 0);
  QCOMPARE(window->size(), window->minimumSize());
  QVERIFY(Find<QCheckBox>(*window, "helpTipsBox")->isChecked());
  QVERIFY(Find<QRadioButton>(*window, "alwaysReportButton")->isChecked());
  QVERIFY(!Find<QRadioButton>(*window, "neverReportButton")->isChecked());
  QVERIFY(!Find<QCheckBox>(*window, "autoSelectBox")->isChecked());
  // Locked to the folder tree, which shows the home folder.
  QCOMPARE(testing::ChosenFolder(*window), f.home());
  auto* tree = Find<QTreeView>(*window, "folderTree");
  QVERIFY(tree->isExpanded(tree->currentIndex()));
  QCOMPARE(Find<QLineEdit>(*window, "destinationEdit")->text(), f.home());
  QVERIFY(!Find<QToolButton>(*window, "unlockButton")->isHidden());
  QVERIFY(Find<QToolButton>(*window, "lockButton")->isHidden());
  QVERIFY(!Find<QToolButton>(*window, "browseButton")->isEnabled());
  QCOMPARE(Find<QLineEdit>(*window, "extensionEdit")->text(), QStringLiteral("txt"));
  QVERIFY(!StoredSetting(f, "w").isValid());
  f.prompts.information.clear();
  QVERIFY(Press(Find<QToolButton>(*window, "showLogButton")));
  QCOMPARE(testing::Texts(f.prompts.information),
           QStringList{"  Error. Log file \"QuorvexLog.txt\" does not exist "});
  QVERIFY(f.launcher.opened_logs.empty());

  // The fallback counts as a change, so Exit asks; No ends the program.
  f.prompts.answers = {Answer::kNo};
  QVERIFY(Press(Find<QToolButton>(*window, "exitButton")));
  QCOMPARE(testing::Texts(f.prompts.questions), QStringList{kChangedQuestion});
  QVERIFY(!window->isVisible());
  QCOMPARE(StoredSetting(f, "w").toString(), QString::number(window->width()));
  QCOMPARE(StoredSetting(f, "h").toString(), QString::number(window->height()));
  QCOMPARE(StoredSetting(f, "pan3").toString(), QStringLiteral("330"));
  QCOMPARE(StoredSetting(f, "dxfpath").toString(), f.home());
  QCOMPARE(StoredSetting(f, "destpath").toString(), f.home());
  QCOMPARE(StoredSetting(f, "config").toString(), QStringLiteral("none"));
  const QByteArray header = StoredSetting(f, "VTFiles").toByteArray();
  const auto decoded = DecodeFileListHeader({header.begin(), header.end()});
  QVERIFY(decoded);
  QCOMPARE(decoded->sort.column, SortColumn::kName);
  QVERIFY(!decoded->sort.descending);
}

// A default configuration file that is refused: the not-found message, then the refusal, then
// the fallback's title as after any fallback.
void GuiTest::refusedDefaultConfiguration() {
  auto& f = *fixture_;
  const QString junk = f.programFolder() + "default.qrv";
  QFile file(junk);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("not a configuration");
  file.close();
  auto window = f.startWindow({junk.toStdString(), {}});
  QVERIFY(window);
  QCOMPARE(testing::Texts(f.prompts.shown),
           (QStringList{QString::fromStdString(NotFoundMessage(f.configurations() + "/")),
                        "This is not a Quorvex configuration file"}));
  QCOMPARE(window->windowTitle(), QStringLiteral("Quorvex V 4.03[None]"));
  QCOMPARE(Find<QLabel>(*window, "statusText")->text(), QStringLiteral("None"));
}

void GuiTest::savePrompt_data() {
  QTest::addColumn<QString>("command");  // "load", "exit" or "close" (the window's close box)
  QTest::addColumn<Answer>("answer");
  QTest::addColumn<bool>("save_chosen");  // the save dialog's answer after Yes
  QTest::addColumn<bool>("goes_on");      // the program ends, or the file is chosen and loaded

  QTest::newRow("exit, Yes, saved") << "exit" << Answer::kYes << true << true;
  QTest::newRow("exit, Yes, save cancelled") << "exit" << Answer::kYes << false << false;
  QTest::newRow("exit, No") << "exit" << Answer::kNo << false << true;
  QTest::newRow("exit, Cancel") << "exit" << Answer::kCancel << false << false;
  QTest::newRow("close box, No") << "close" << Answer::kNo << false << true;
  QTest::newRow("close box, Cancel") << "close" << Answer::kCancel << false << false;
  QTest::newRow("load, Yes, saved") << "load" << Answer::kYes << true << true;
  QTest::newRow("load, Yes, saved, open cancelled") << "load" << Answer::kYes << true << false;
  QTest::newRow("load, Yes, save cancelled") << "load" << Answer::kYes << false << false;
  QTest::newRow("load, No") << "load" << Answer::kNo << false << true;
  QTest::newRow("load, Cancel") << "load" << Answer::kCancel << false << false;
}

// After the start-up fallback the configuration counts as changed, so both commands ask first.
void GuiTest::savePrompt() {
  QFETCH(QString, command);
  QFETCH(Answer, answer);
  QFETCH(bool, save_chosen);
  QFETCH(bool, goes_on);
  auto& f = *fixture_;
  const QString saved = f.configurations() + "/saved.qrv";
  const QString loaded = f.makeFolder("elsewhere") + "/survey.qrv";
  QVERIFY(QFile::copy(QStringLiteral(QUORVEX_DEFAULT_CONFIG_PATH), loaded));
  QVERIFY(QDir().mkpath(f.configurations()));
  auto window = f.startWindow();
  QVERIFY(window);
  f.prompts.answers = {answer};
  if (save_chosen) f.prompts.files_to_save = {saved.toStdString()};
  if (goes_on) f.prompts.files_to_load = {loaded.toStdString()};

  const bool load = command == "load";
  if (load) {
    Find<QTabWidget>(*window, "tabs")->setCurrentIndex(1);
    QVERIFY(Press(Find<QToolButton>(*window, "loadButton")));
  } else if (command == "exit") {
    QVERIFY(Press(Find<QToolButton>(*window, "exitButton")));
  } else {
    window->close();
  }

  QCOMPARE(testing::Texts(f.prompts.questions), QStringList{kChangedQuestion});
  // The save dialog proposes the name in the status panel, none after the fallback.
  const bool asked_to_save = answer == Answer::kYes;
  QCOMPARE(f.prompts.proposed_save_names,
           asked_to_save ? std::vector<std::string>{""} : std::vector<std::string>{});
  QCOMPARE(QFile::exists(saved), save_chosen);
  if (load) {
    QVERIFY(window->isVisible());
    const bool prompt_went_on = answer == Answer::kNo || (asked_to_save && save_chosen);
    QCOMPARE(f.prompts.load_dialogs, prompt_went_on ? 1 : 0);
    const QString in_use =
        goes_on ? QStringLiteral("survey.qrv")
                : (save_chosen ? QStringLiteral("saved.qrv") : QStringLiteral("[None]"));
    if (in_use == QStringLiteral("[None]")) {
      QCOMPARE(window->windowTitle(), QStringLiteral("Quorvex V 4.03[None]"));
      QCOMPARE(Find<QLabel>(*window, "statusText")->text(), QStringLiteral("None"));
    } else {
      QCOMPARE(window->windowTitle(), "Quorvex V 4.03 - [" + in_use + "]");
      QCOMPARE(Find<QLabel>(*window, "statusText")->text(),
               "Configuration file in use : " + in_use);
    }
  } else {
    QCOMPARE(window->isVisible(), !goes_on);
    // Only an exit that goes on writes the folders and sizes.
    QCOMPARE(StoredSetting(f, "w").isValid(), goes_on);
  }
}

// What the first window stored at exit is what the second one opens with; the stored sort waits
// for the next listing.
void GuiTest::settingsRestoredAtNextStart() {
  auto& f = *fixture_;
  {
    auto window = f.startWindow();
    QVERIFY(window);
    window->resize(792, 640);
    QVERIFY(Press(Find<QRadioButton>(*window, "neverReportButton")));
    QVERIFY(Press(Find<QCheckBox>(*window, "helpTipsBox")));
    QVERIFY(Press(Find<QCheckBox>(*window, "autoSelectBox")));
    QVERIFY(Press(Find<QToolButton>(*window, "unlockButton")));
    QVERIFY(testing::ChooseFolder(*window, f.drawings()));
    f.chooser.answer = f.other().toStdString();
    QVERIFY(Press(Find<QToolButton>(*window, "browseButton")));
    auto* splitter = Find<QSplitter>(*window, "folderSplitter");
    splitter->setSizes({280, splitter->width() - 280 - splitter->handleWidth()});
    QHeaderView* header = Find<QHeaderView>(*window, "fileListHeader");
    header->resizeSection(1, 150);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
    QCOMPARE(testing::ListedNames(*window),
             (QStringList{"road", "site_blocks", "building"}));  // by size, descending
    f.prompts.answers = {Answer::kNo};
    QVERIFY(Press(Find<QToolButton>(*window, "exitButton")));
    QVERIFY(!window->isVisible());
  }

  auto window = f.startWindow();
  QVERIFY(window);
  QCOMPARE(window->size(), QSize(792, 640));
  // Centred on the screen at every start, so that the start-up's message box, centred on the
  // window, is centred on the screen too.
  QCOMPARE(window->frameGeometry().center(), window->screen()->availableGeometry().center());
  QCOMPARE(testing::ChosenFolder(*window), f.drawings());
  QCOMPARE(Find<QLineEdit>(*window, "destinationEdit")->text(), f.other());
  QVERIFY(!Find<QToolButton>(*window, "lockButton")->isHidden());
  QVERIFY(Find<QToolButton>(*window, "browseButton")->isEnabled());
  QCOMPARE(Find<QSplitter>(*window, "folderSplitter")->sizes().value(0), 280);
  QCOMPARE(Find<QHeaderView>(*window, "fileListHeader")->sectionSize(1), 150);
  QCOMPARE(testing::ListedNames(*window), (QStringList{"building", "road", "site_blocks"}));
  QVERIFY(Find<QRadioButton>(*window, "neverReportButton")->isChecked());
  QVERIFY(!Find<QCheckBox>(*window, "helpTipsBox")->isChecked());
  QCOMPARE(testing::TooltipAt(Find<QToolButton>(*window, "processButton"), QPoint(4, 4)),
           QString());
  QVERIFY(Find<QCheckBox>(*window, "autoSelectBox")->isChecked());
  QCOMPARE(testing::SelectedNames(*window), (QStringList{"building", "road", "site_blocks"}));

  auto* refresh = Find<QTreeView>(*window, "fileList")->findChild<QAction*>("refreshFolderAction");
  QVERIFY(refresh);
  refresh->trigger();
  QCOMPARE(testing::ListedNames(*window), (QStringList{"road", "site_blocks", "building"}));
}

void GuiTest::openedWithDrawings_data() {
  QTest::addColumn<bool>("dropped");  // else given on the command line
  QTest::newRow("command line") << false;
  QTest::newRow("dropped on the file list") << true;
}

// Drawings given on the command line ("Open with", the desktop file's %F) or dropped on the file
// list: the first one's folder opens with those in it selected, and a message names the others.
void GuiTest::openedWithDrawings() {
  QFETCH(bool, dropped);
  auto& f = *fixture_;
  const QString elsewhere = f.makeFolder("elsewhere") + "/road.dxf";
  QVERIFY(QFile::copy(f.drawings() + "/road.dxf", elsewhere));
  const QString gone = f.home() + "/gone.dxf";
  const QStringList drawings{f.drawings() + "/site_blocks.dxf", elsewhere,
                             f.drawings() + "/building.dxf", gone};
  WindowFixture::Start start;
  if (!dropped) {
    for (const QString& drawing : drawings)
      start.open_paths.push_back(drawing.toStdString());
  }
  auto window = f.startWindow(start);
  QVERIFY(window);
  if (dropped) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& drawing : drawings)
      urls.append(QUrl::fromLocalFile(drawing));
    data.setUrls(urls);
    QAbstractItemModel* files = Find<QTreeView>(*window, "fileList")->model();
    QVERIFY(files->dropMimeData(&data, Qt::CopyAction, -1, -1, QModelIndex()));
  }
  QCOMPARE(testing::ChosenFolder(*window), f.drawings());
  QCOMPARE(testing::SelectedNames(*window), (QStringList{"building", "site_blocks"}));
  QCOMPARE(Find<QLabel>(*window, "countLabel")->text(), QStringLiteral("3 DXF files, 2 selected."));
  QVERIFY(Find<QToolButton>(*window, "processButton")->isEnabled());
  const std::string not_opened = NotOpenedPathsText(
      f.drawings().toStdString(), {elsewhere.toStdString()}, {gone.toStdString()});
  QCOMPARE(std::count(f.prompts.information.begin(), f.prompts.information.end(), not_opened), 1);
}

}  // namespace quorvex::ui
