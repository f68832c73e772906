#include "platform/qt/qt_program.h"

#include <QCoreApplication>
#include <cstdlib>

#include "platform/qt/qt_paths.h"
#include "platform/user_paths.h"

namespace pennory::platform::qt {

void QtProgram::end() {
    m_ended = true;
    // exit rather than quit: quit would first ask every window to close, and a closing
    // window asks whether to save.
    if (qApp) {
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
}

std::filesystem::path QtProgram::executableDir() const {
    return toPath(QCoreApplication::applicationDirPath());
}

std::filesystem::path QtProgram::dataDir() const { return PENNORY_DATA_DIR; }

std::filesystem::path QtProgram::passwordFile() const {
    return passwordFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

}  // namespace pennory::platform::qt
