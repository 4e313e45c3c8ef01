#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <condition_variable>
#include <mutex>

#include "batch/process_checks.h"
#include "batch/run_batch.h"
#include "config/default_config.h"
#include "config/run_tables.h"
#include "gui_test.h"
#include "ui/batch_runner.h"
#include "ui/fitted_label.h"
#include "ui/progress_window.h"
#include "window_fixture.h"

namespace quorvex::ui {
namespace {

using testing::Find;
using testing::Press;

// Generous: a run of a few small drawings, on a machine that may be busy.
constexpr int kRunTimeoutMs = 30000;
const QString kCancelLine = QStringLiteral("*** Process canceled by user ***");

void TriggerMenuAction(QWidget* view, const char* name) {
  auto* action = view->findChild<QAction*>(QString::fromLatin1(name));
  QVERIFY2(action, name);
  action->trigger();
}

// Four drawings a to d. The run is held on its worker thread just before it converts the second
// one, for as long as the test needs, with no timing involved: the stop button is pressed while
// the run cannot have got any further.
class HeldRun {
 public:
  explicit HeldRun(QString folder) : folder_(std::move(folder)) {}
  // A test that failed half-way must not leave the run waiting, or the window's end would.
  ~HeldRun() { release(); }

  bool prepare() const {
    const QString samples = QStringLiteral(QUORVEX_SAMPLES_DIR) + "/";
    return QFile::copy(samples + "building.dxf", folder_ + "/a.dxf") &&
           QFile::copy(samples + "road.dxf", folder_ + "/b.dxf") &&
           QFile::copy(samples + "site_blocks.dxf", folder_ + "/c.dxf") &&
           QFile::copy(samples + "building.dxf", folder_ + "/d.dxf");
  }

  // Starts the run over every file of the folder and waits until it is about to convert the
  // second one.
  void start(MainWindow& window) {
    auto* runner = window.findChild<BatchRunner*>(QStringLiteral("batchRunner"));
    QVERIFY(runner);
    QObject::connect(
        runner, &BatchRunner::fileStarted, runner,
        [this](int index) {
          if (index != 1) return;
          std::unique_lock<std::mutex> lock(mutex_);
          held_ = true;
          released_.wait(lock, [this] { return !held_; });
        },
        Qt::DirectConnection);
    QVERIFY(testing::ChooseFolder(window, folder_));
    TriggerMenuAction(Find<QTreeView>(window, "fileList"), "selectAllAction");
    QCOMPARE(testing::SelectedNames(window), (QStringList{"a", "b", "c", "d"}));
    QVERIFY(Press(Find<QToolButton>(window, "processButton")));
    QVERIFY(window.runInProgress());
    QTRY_VERIFY_WITH_TIMEOUT(held(), kRunTimeoutMs);
    // Only the run hides the progress window: neither its close box nor Escape does.
    auto* progress = Find<ProgressWindow>(window, "progressWindow");
    QTRY_VERIFY_WITH_TIMEOUT(progress->isVisible(), kRunTimeoutMs);
    progress->close();
    QTest::keyClick(progress, Qt::Key_Escape);
    QVERIFY(progress->isVisible());
    // Nothing that changes what the run reads can be used meanwhile; Exit and the log can.
    for (const char* blocked :
         {"processButton", "folderTree", "fileList", "autoSelectBox", "unlockButton",
          "extensionEdit", "entityTree", "dataTree", "separatorCombo", "loadButton", "saveButton"})
      QVERIFY2(!Find<QWidget>(window, blocked)->isEnabled(), blocked);
    QVERIFY(Find<QWidget>(window, "exitButton")->isEnabled());
    QVERIFY(Find<QWidget>(window, "showLogButton")->isEnabled());
  }

  // Lets the run go on into the second file.
  void release() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      held_ = false;
    }
    released_.notify_all();
  }

  // The report from the second file's block to its end: the block without its counts, then the
  // cancel line.
  QStringList stoppedTail() const {
    return {QStringLiteral("File 2 :"),
            QString(),
            "  DXF File  : " + folder_ + "/b.dxf",
            "  Data File : " + folder_ + "/b.txt",
            QString(),
            kCancelLine};
  }

 private:
  bool held() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return held_;
  }

  QString folder_;
  std::mutex mutex_;
  std::condition_variable released_;
  bool held_ = false;
};

// The run's summary in the status bar, whole.
QString RunSummary(const MainWindow& window) {
  return Find<FittedLabel>(window, "runSummaryText")->fullText();
}

}  // namespace

void GuiTest::processMatchesTheCore_data() {
  QTest::addColumn<bool>("never_show_report");
  QTest::newRow("Always show Report.") << false;
  QTest::newRow("Never show Report.") << true;
}

// Two of three drawings selected with the mouse and processed from the window give the files
// the core gives for the same inputs, byte for byte.
void GuiTest::processMatchesTheCore() {
  QFETCH(bool, never_show_report);
  auto& f = *fixture_;
  auto window = f.startWindow();
  QVERIFY(window);
  if (never_show_report) {
    Find<QTabWidget>(*window, "tabs")->setCurrentIndex(2);
    QVERIFY(Press(Find<QRadioButton>(*window, "neverReportButton")));
    Find<QTabWidget>(*window, "tabs")->setCurrentIndex(0);
  }
  QVERIFY(testing::ChooseFolder(*window, f.drawings()));
  testing::ClickRow(*window, 0);
  testing::ClickRow(*window, 2, Qt::ControlModifier);
  QCOMPARE(testing::SelectedNames(*window), (QStringList{"building", "site_blocks"}));
  QSignalSpy finished(window.get(), &MainWindow::runFinished);
  QVERIFY(Press(Find<QToolButton>(*window, "processButton")));
  QVERIFY(finished.wait(kRunTimeoutMs));

  const QString reference = f.makeFolder("reference");
  ConfigContent content = DefaultConfiguration();
  const RunTables tables = CollectRunTables(content.trees);
  QCOMPARE(CheckProcessCommand(content.record, "txt", "", tables), ProcessCheck::kPassed);
  std::atomic<bool> cancelled{false};
  quorvex::testing::RecordingObserver observer(cancelled);
  BatchEnvironment env{observer, f.clock, cancelled};
  const BatchRequest request{reference.toStdString(),
                             {(f.drawings() + "/building.dxf").toStdString(),
                              (f.drawings() + "/site_blocks.dxf").toStdString()},
                             (reference + "/QuorvexLog.txt").toStdString(),
                             1};
  QCOMPARE(RunBatch(content.record, tables, request, env).end, BatchEnd::kFinished);

  // Locked, the destination is the drawings' folder.
  for (const QString name : {"building.txt", "site_blocks.txt"}) {
    const QByteArray data = testing::ReadAll(f.drawings() + "/" + name);
    QVERIFY2(!data.isEmpty(), qPrintable(name));
    QCOMPARE(data, testing::ReadAll(reference + "/" + name));
  }
  QVERIFY(!QFile::exists(f.drawings() + "/road.txt"));
  QByteArray log = testing::ReadAll(f.logFile());
  log.replace(("  Data File : " + f.drawings() + "/").toUtf8(),
              ("  Data File : " + reference + "/").toUtf8());
  QCOMPARE(log, testing::ReadAll(reference + "/QuorvexLog.txt"));
  QVERIFY(f.prompts.errors.empty());
  const QStringList opened{f.logFile()};
  QCOMPARE(testing::Texts(f.launcher.opened_logs), never_show_report ? QStringList{} : opened);
  // "Show last Log" opens it either way.
  f.launcher.opened_logs.clear();
  QVERIFY(Press(Find<QToolButton>(*window, "showLogButton")));
  QCOMPARE(testing::Texts(f.launcher.opened_logs), opened);
  QCOMPARE(RunSummary(*window), "2 files converted, 0 with errors; report: " + f.logFile());
}

void GuiTest::processRefusals_data() {
  QTest::addColumn<QString>("missing");
  QTest::addColumn<QString>("message");
  QTest::newRow("extension") << "extension"
                             << "  Please, enter a file extension to use for the Data files.  ";
  QTest::newRow("entity kind") << "entityTree"
                               << "  Please, select DXF entities to be processed.  ";
  QTest::newRow("data field") << "dataTree"
                              << "  Please, select data to be exported.  ";
}

// Each refusal shows its message and runs nothing; a missing extension also puts the keyboard
// focus into its box.
void GuiTest::processRefusals() {
  QFETCH(QString, missing);
  QFETCH(QString, message);
  auto& f = *fixture_;
  auto window = f.startWindow();
  QVERIFY(window);
  f.prompts.information.clear();  // the start-up's not-found message
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QVERIFY(testing::ChooseFolder(*window, f.drawings()));
  auto* extension = Find<QLineEdit>(*window, "extensionEdit");
  if (missing == "extension") {
    extension->selectAll();
    QTest::keyClicks(extension, QStringLiteral("  "));
    QCOMPARE(extension->text(), QString());
  } else {
    TriggerMenuAction(Find<QTreeView>(*window, qPrintable(missing)), "selectNoneAction");
  }
  Find<QTreeView>(*window, "fileList")->setFocus();
  QSignalSpy finished(window.get(), &MainWindow::runFinished);
  QVERIFY(Press(Find<QToolButton>(*window, "processButton")));

  QCOMPARE(testing::Texts(f.prompts.information), QStringList{message});
  QVERIFY(!window->runInProgress());
  QCOMPARE(finished.count(), 0);
  QVERIFY(!QFile::exists(f.logFile()));
  QVERIFY(!QFile::exists(f.drawings() + "/building.txt"));
  QCOMPARE(QApplication::focusWidget() == extension, missing == "extension");
}

// A destination that cannot be written: the run's own refusal, shown once the run is over; no
// log is written.
void GuiTest::unwritableDestination() {
  auto& f = *fixture_;
  auto window = f.startWindow();
  QVERIFY(window);
  QVERIFY(testing::ChooseFolder(*window, f.drawings()));
  QVERIFY(Press(Find<QToolButton>(*window, "unlockButton")));
  f.chooser.answer = (f.home() + "/gone").toStdString();
  QVERIFY(Press(Find<QToolButton>(*window, "browseButton")));
  QSignalSpy finished(window.get(), &MainWindow::runFinished);
  QVERIFY(Press(Find<QToolButton>(*window, "processButton")));
  QVERIFY(finished.wait(kRunTimeoutMs));
  QCOMPARE(testing::Texts(f.prompts.errors),
           QStringList{"Destination directory \"" + f.home() +
                       "/gone/\" is write-protected, files can't be created here (No such file "
                       "or directory). Please select another directory."});
  QVERIFY(!QFile::exists(f.logFile()));
  QVERIFY(f.launcher.opened_logs.empty());
  QCOMPARE(RunSummary(*window), testing::Texts(f.prompts.errors).value(0));
}

// "Stop process" during the second of four files: the report ends after that file's block, and
// the third and fourth files are not touched.
void GuiTest::stopDuringSecondFile() {
  auto& f = *fixture_;
  const QString folder = f.makeFolder("four");
  auto window = f.startWindow();
  QVERIFY(window);
  HeldRun run(folder);
  QVERIFY(run.prepare());
  QSignalSpy finished(window.get(), &MainWindow::runFinished);
  run.start(*window);
  if (QTest::currentTestFailed()) return;
  QVERIFY(Press(Find<QPushButton>(*window, "stopButton")));
  run.release();
  QVERIFY(finished.wait(kRunTimeoutMs));

  const QStringList report = testing::ReadLines(f.logFile());
  QCOMPARE(report.value(2), QStringLiteral("Number of processed files : 4"));
  QCOMPARE(report.mid(report.indexOf(QStringLiteral("File 2 :"))), run.stoppedTail());
  QVERIFY(QFile::exists(folder + "/a.txt"));
  QVERIFY(!QFile::exists(folder + "/c.txt"));
  QVERIFY(!QFile::exists(folder + "/d.txt"));
  QVERIFY(!Find<ProgressWindow>(*window, "progressWindow")->isVisible());
  // A stopped run still opens its report.
  QCOMPARE(testing::Texts(f.launcher.opened_logs), QStringList{f.logFile()});
  QVERIFY(Find<QToolButton>(*window, "processButton")->isEnabled());
  QCOMPARE(RunSummary(*window), "stopped after 1 of 4 files; report: " + f.logFile());
}

// Exit during a run stops the run, waits for its report, then runs the exit sequence.
void GuiTest::exitDuringRun() {
  auto& f = *fixture_;
  const QString folder = f.makeFolder("four");
  auto window = f.startWindow();
  QVERIFY(window);
  HeldRun run(folder);
  QVERIFY(run.prepare());
  run.start(*window);
  if (QTest::currentTestFailed()) return;
  QStringList report_at_question;
  bool running_at_question = true;
  f.prompts.on_question = [&] {
    report_at_question = testing::ReadLines(f.logFile());
    running_at_question = window->runInProgress();
  };
  f.prompts.answers = {Prompts::Answer::kNo};
  QVERIFY(Press(Find<QToolButton>(*window, "exitButton")));
  // Still running: the prompt waits for the run's end.
  QVERIFY(f.prompts.questions.empty());
  QVERIFY(window->isVisible());
  run.release();
  QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), kRunTimeoutMs);

  QCOMPARE(f.prompts.questions.size(), std::size_t{1});
  QVERIFY(!running_at_question);
  QCOMPARE(report_at_question.mid(report_at_question.indexOf(QStringLiteral("File 2 :"))),
           run.stoppedTail());
  QVERIFY(!QFile::exists(folder + "/c.txt"));
  QCOMPARE(testing::StoredSetting(f, "dxfpath").toString(), folder);
}

// On a desktop where nothing opens files or addresses, each command that hands one over says so,
// naming it; a run still tells its summary, with its errors.
void GuiTest::nothingOpensWithoutAnApplication() {
  auto& f = *fixture_;
  f.launcher.opens = false;
  const QString folder = f.makeFolder("mixed");
  QVERIFY(QFile::copy(f.drawings() + "/road.dxf", folder + "/a.dxf"));
  QFile junk(folder + "/b.dxf");
  QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("no drawing\n") > 0);
  junk.close();
  auto window = f.startWindow();
  QVERIFY(window);
  f.prompts.information.clear();
  QVERIFY(testing::ChooseFolder(*window, folder));
  TriggerMenuAction(Find<QTreeView>(*window, "fileList"), "selectAllAction");
  QSignalSpy finished(window.get(), &MainWindow::runFinished);
  QVERIFY(Press(Find<QToolButton>(*window, "processButton")));
  QVERIFY(finished.wait(kRunTimeoutMs));
  QCOMPARE(RunSummary(*window), "1 file converted, 1 with errors; report: " + f.logFile());

  QVERIFY(Press(Find<QToolButton>(*window, "showLogButton")));
  QVERIFY(Press(Find<QToolButton>(*window, "openFolderButton")));
  Find<QTabWidget>(*window, "tabs")->setCurrentIndex(2);
  QVERIFY(Press(Find<QPushButton>(*window, "helpButton")));
  QVERIFY(Press(Find<QToolButton>(*window, "webSiteButton")));
  QTest::mouseClick(Find<QLabel>(*window, "supportLink"), Qt::LeftButton);
  QStringList expected;
  for (const QString& target :
       {f.logFile(), f.logFile(), folder, f.programFolder() + "help/index.html",
        QStringLiteral("https://example.org/"), QStringLiteral("support@example.org")})
    expected.append("Cannot open \"" + target + "\": no application to open it was found.");
  QCOMPARE(testing::Texts(f.prompts.information), expected);
  QVERIFY(f.prompts.errors.empty());
}

}  // namespace quorvex::ui
