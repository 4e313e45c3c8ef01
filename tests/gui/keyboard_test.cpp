#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "desk/window_words.h"
#include "gui_test.h"
#include "window_fixture.h"

namespace quorvex::ui {
namespace {

using testing::Find;
using Answer = Prompts::Answer;

void Keys(MainWindow& window, int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(&window, static_cast<Qt::Key>(key), modifiers);
}

}  // namespace

// Each button of the command bars takes the keyboard focus with Tab and then looks otherwise
// than without it.
void GuiTest::commandButtonsShowTheFocus() {
  auto window =
      fixture_->startWindow({std::nullopt, {(fixture_->drawings() + "/road.dxf").toStdString()}});
  QVERIFY(window);
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  auto* tabs = Find<QTabWidget>(*window, "tabs");
  for (const auto& [tab, name] : {std::pair{0, "processButton"},
                                  {0, "exitButton"},
                                  {0, "showLogButton"},
                                  {1, "loadButton"},
                                  {1, "saveButton"}}) {
    tabs->setCurrentIndex(tab);
    auto* button = Find<QToolButton>(*window, name);
    QVERIFY2(button->focusPolicy() & Qt::TabFocus, name);
    tabs->setFocus(Qt::OtherFocusReason);
    const QImage plain = button->grab().toImage();
    button->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), button);
    QVERIFY2(button->grab().toImage() != plain, name);
  }
}

// The mnemonics act on the tab in front, the shortcuts from any tab.
void GuiTest::mnemonicsAndShortcuts() {
  auto& f = *fixture_;
  auto window = f.startWindow({std::nullopt, {(f.drawings() + "/road.dxf").toStdString()}});
  QVERIFY(window);
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  f.prompts.information.clear();
  auto* tabs = Find<QTabWidget>(*window, "tabs");

  Keys(*window, Qt::Key_L, Qt::AltModifier);
  // A mnemonic clicks its button as the mouse does, pressed for a moment.
  QTRY_COMPARE(f.prompts.information, std::vector<std::string>{NoLogFileText()});
  QSignalSpy finished(window.get(), &MainWindow::runFinished);
  Keys(*window, Qt::Key_P, Qt::AltModifier);
  QVERIFY(finished.wait(30000));

  // The default configuration counts as changed: each load asks first, No goes on.
  tabs->setCurrentIndex(1);
  f.prompts.answers = {Answer::kNo};
  Keys(*window, Qt::Key_L, Qt::AltModifier);
  QTRY_COMPARE(f.prompts.load_dialogs, 1);
  Keys(*window, Qt::Key_S, Qt::AltModifier);
  QTRY_COMPARE(f.prompts.proposed_save_names.size(), std::size_t{1});

  tabs->setCurrentIndex(2);
  f.prompts.answers = {Answer::kNo};
  Keys(*window, Qt::Key_O, Qt::ControlModifier);
  QCOMPARE(f.prompts.load_dialogs, 2);
  Keys(*window, Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(f.prompts.proposed_save_names.size(), std::size_t{2});
  tabs->setCurrentIndex(0);
  Keys(*window, Qt::Key_F1, Qt::NoModifier);
  QCOMPARE(f.launcher.urls,
           QList<QUrl>{QUrl::fromLocalFile(f.programFolder() + "help/index.html")});
  f.prompts.answers = {Answer::kCancel};
  Keys(*window, Qt::Key_Q, Qt::ControlModifier);
  QCOMPARE(f.prompts.questions.size(), std::size_t{3});
  QVERIFY(window->isVisible());
  f.prompts.answers = {Answer::kNo};
  Keys(*window, Qt::Key_X, Qt::AltModifier);
  QTRY_COMPARE(f.prompts.questions.size(), std::size_t{4});
  QVERIFY(!window->isVisible());
}

}  // namespace quorvex::ui
