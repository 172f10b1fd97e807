#pragma once
// Entry point for widget tests: a QApplication on the offscreen platform, sandboxed settings.
#include <QApplication>

#include "support/TestMain.h"

#define KELVANE_TEST_GUI_MAIN(TestObject) KELVANE_TEST_MAIN_IMPL(TestObject, QApplication)
