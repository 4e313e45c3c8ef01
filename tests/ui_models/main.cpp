#include <QTest>

#include "ui_models_test.h"

QTEST_GUILESS_MAIN(quorvex::ui::UiModelsTest)
