// The Qt tests' main: one QApplication for all tests, prepared as the program's own.

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/qt_application.h"

namespace {

// The offscreen platform warns on every shown window that it cannot propagate size hints;
// that line says nothing about the program, so it is kept out of the test output.
QtMessageHandler defaultHandler = nullptr;

void quietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("propagateSizeHints"))) return;
    defaultHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    // Without a display (CTest's discovery of the tests runs without one) Qt draws offscreen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultHandler = qInstallMessageHandler(quietMessageHandler);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    pennory::platform::qt::prepareApplication(application);
    return RUN_ALL_TESTS();
}
