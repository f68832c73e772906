#include "platform/qt/qt_program.h"

#include <QCoreApplication>
#include <cstdlib>
#include <system_error>

#include "platform/qt/qt_paths.h"
#include "platform/files/user_paths.h"

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

// Found at run time, so the program works from any install prefix.
std::filesystem::path QtProgram::dataDir() const {
    // PENNORY_RELATIVE_DATA_DIR: the data folder as installed relative to the program's.
    return files::installedDataDir(executableDir(), PENNORY_RELATIVE_DATA_DIR);
}

std::filesystem::path QtProgram::passwordFile() const {
    return files::passwordFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::filesystem::path QtProgram::phraseFile() const {
    std::error_code error;
    const auto working = std::filesystem::current_path(error);
    return files::phraseFilePath(error ? std::filesystem::path() : working, std::getenv("XDG_DATA_HOME"),
                          std::getenv("HOME"));
}

}  // namespace pennory::platform::qt
