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

}  // namespace pennory::platform
