// The Qt tests' main: one QApplication for all tests, prepared as the program's own.

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/qt_application.h"

int main(int argc, char** argv) {
    // Without a display (CTest's discovery of the tests runs without one) Qt draws offscreen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    pennory::platform::qt::prepareApplication(application);
    return RUN_ALL_TESTS();
}
