#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "gui_test.h"
#include "ui/point_plot.h"
#include "ui/preview_panel.h"
#include "window_fixture.h"

namespace quorvex::ui {
namespace {

using testing::Find;
using testing::Press;

// Generous: a conversion on a machine that may be busy.
constexpr int kTimeoutMs = 30000;

// A drawing of `count` points in a row.
bool WritePoints(const QString& path, int count) {
  QByteArray text = "  0\nSECTION\n  2\nENTITIES\n";
  for (int i = 0; i < count; ++i)
    text += "  0\nPOINT\n  8\nP\n 10\n" + QByteArray::number(i) + ".25\n 20\n" +
            QByteArray::number(i % 7) + "\n 30\n0\n";
  text += "  0\nENDSEC\n  0\nEOF\n";
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// The bytes of `data` up to the end of its `count`-th line.
QByteArray FirstLines(const QByteArray& data, int count) {
  qsizetype end = 0;
  for (int i = 0; i < count && end < data.size(); ++i) {
    const qsizetype lf = data.indexOf('\n', end);
    end = lf < 0 ? data.size() : lf + 1;
  }
  return data.left(end);
}

}  // namespace

void GuiTest::previewIsTheDataFileAndFollowsChanges() {
  auto& f = *fixture_;
  QVERIFY(WritePoints(f.drawings() + "/many.dxf", 300));
  auto window = f.startWindow();
  QVERIFY(window);
  QVERIFY(testing::ChooseFolder(*window, f.drawings()));
  testing::ClickRow(*window, 1);
  QCOMPARE(testing::SelectedNames(*window), QStringList{"many"});
  auto* tabs = Find<QTabWidget>(*window, "tabs");
  tabs->setCurrentIndex(1);
  auto* panel = Find<PreviewPanel>(*window, "previewPanel");
  QVERIFY(panel && panel->isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(panel->lineBytes().startsWith("X (East) coordinate,"), kTimeoutMs);
  QCOMPARE(Find<QLabel>(*window, "previewSummary")->text(), QStringLiteral("many.dxf: 300 points"));

  // Without the header line, the preview changes by itself.
  QVERIFY(Press(Find<QCheckBox>(*window, "headerBox")));
  QTRY_VERIFY_WITH_TIMEOUT(panel->lineBytes().startsWith("0.250,0.000,0.000,"), kTimeoutMs);
  QVERIFY(!panel->computing());

  tabs->setCurrentIndex(0);
  QSignalSpy finished(window.get(), &MainWindow::runFinished);
  QVERIFY(Press(Find<QToolButton>(*window, "processButton")));
  QVERIFY(finished.wait(kTimeoutMs));
  const QByteArray expected = FirstLines(testing::ReadAll(f.drawings() + "/many.txt"), 200);
  QCOMPARE(expected.count('\n'), 200);
  QCOMPARE(panel->lineBytes(), expected);
  QString shown = QString::fromUtf8(expected);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.chop(1);
  QCOMPARE(Find<QPlainTextEdit>(*window, "previewLines")->toPlainText(), shown);
}

void GuiTest::previewLeavesTheWindowFree() {
  auto& f = *fixture_;
  QVERIFY(WritePoints(f.other() + "/big.dxf", static_cast<int>(kPreviewEntityLimit) + 50000));
  auto window = f.startWindow();
  QVERIFY(window);
  auto* panel = Find<PreviewPanel>(*window, "previewPanel");
  Find<QTabWidget>(*window, "tabs")->setCurrentIndex(1);
  QTRY_VERIFY_WITH_TIMEOUT(!panel->computing(), kTimeoutMs);

  // Posted as the preview is handed to its worker, the call is answered before the result,
  // which is posted only once the conversion has ended: the window waits for nothing meanwhile.
  bool answered = false;
  bool computing_when_answered = false;
  QObject::connect(panel, &PreviewPanel::previewRequested, panel, [&] {
    QTimer::singleShot(0, panel, [&] {
      answered = true;
      computing_when_answered = panel->computing();
    });
  });
  QVERIFY(testing::ChooseFolder(*window, f.other()));
  testing::ClickRow(*window, 0);
  const QString limit = QString::number(kPreviewEntityLimit);
  QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>(*window, "previewSummary")->text(),
                            "big.dxf: " + limit + " points, first " + limit + " entities of " +
                                QString::number(kPreviewEntityLimit + 50000),
                            kTimeoutMs);
  QVERIFY(answered);
  QVERIFY(computing_when_answered);
  auto* plot = Find<PointPlot>(*window, "previewPlot");
  QCOMPARE(plot->view().center_x, (0.25 + static_cast<double>(kPreviewEntityLimit - 1) + 0.25) / 2);
}

}  // namespace quorvex::ui
