// Where the running program finds its installed data and the writer's phrase library. Both
// are found at run time, so the program works from any install prefix and any folder.

#include <cstdlib>
#include <system_error>

#include "platform/qt/qt_services.h"
#include "platform/user_paths.h"

namespace pennory::platform::qt {

std::filesystem::path QtProgram::dataDir() const {
    // PENNORY_RELATIVE_DATA_DIR: the data folder as installed relative to the program's.
    return installedDataDir(executableDir(), PENNORY_RELATIVE_DATA_DIR);
}

std::filesystem::path QtProgram::phraseFile() const {
    std::error_code error;
    const auto working = std::filesystem::current_path(error);
    return phraseFilePath(error ? std::filesystem::path() : working, std::getenv("XDG_DATA_HOME"),
                          std::getenv("HOME"));
}

}  // namespace pennory::platform::qt
