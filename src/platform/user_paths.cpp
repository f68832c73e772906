#include "platform/user_paths.h"

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

std::filesystem::path recoveryFolderPath(const char* xdgStateHome, const char* home) {
    if (xdgStateHome && std::filesystem::path(xdgStateHome).is_absolute()) {
        return std::filesystem::path(xdgStateHome) / "pennory";
    }
    return std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "state" / "pennory";
}

}  // namespace pennory::platform
