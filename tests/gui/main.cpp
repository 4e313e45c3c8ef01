#include <QApplication>
#include <QTest>

#include "gui_test.h"
#include "window_fixture.h"

namespace quorvex::ui {

GuiTest::GuiTest() = default;
GuiTest::~GuiTest() = default;

void GuiTest::initTestCase() {
  // Each test closes its windows through Exit; the program must outlive them.
  QApplication::setQuitOnLastWindowClosed(false);
}

void GuiTest::init() {
  fixture_ = std::make_unique<testing::WindowFixture>();
  QVERIFY(fixture_->isValid());
}

void GuiTest::cleanup() {
  fixture_.reset();
}

}  // namespace quorvex::ui

QTEST_MAIN(quorvex::ui::GuiTest)
