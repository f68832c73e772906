#include "platform/user_paths.h"

#include <system_error>

namespace pennory::platform {

std::filesystem::path passwordFilePath(const char* xdgConfigHome, const char* home) {
    std::filesystem::path config;
    if (xdgConfigHome && std::filesystem::path(xdgConfigHome).is_absolute()) {
        config = xdgConfigHome;
    } else {
        config = std::filesystem::path(home && *home ? home : "/tmp") / ".config";
    }
    return config / "pennory" / "print.txt";
}

}  // namespace pennory::platform

namespace pennory::platform {

namespace {

constexpr const char* kPhraseFileName = "date.txt";

}  // namespace

std::filesystem::path phraseFilePath(const std::filesystem::path& workingDir,
                                     const char* xdgDataHome, const char* home) {
    std::error_code error;
    const auto here = workingDir / kPhraseFileName;
    if (!workingDir.empty() && std::filesystem::exists(here, error)) return here;
    std::filesystem::path data;
    if (xdgDataHome && std::filesystem::path(xdgDataHome).is_absolute()) {
        data = xdgDataHome;
    } else {
        data = std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "share";
    }
    return data / "pennory" / kPhraseFileName;
}

std::filesystem::path installedDataDir(const std::filesystem::path& executableDir,
                                       const std::filesystem::path& relativeDataDir) {
    if (relativeDataDir.is_absolute()) return relativeDataDir;
    return (executableDir / relativeDataDir).lexically_normal();
}

}  // namespace pennory::platform
