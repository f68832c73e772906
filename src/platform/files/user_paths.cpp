#include "platform/files/user_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

namespace pennory::files {
namespace {

std::filesystem::path homeFromUserDatabase() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
           buffer.size() < (1u << 20)) {
        buffer.resize(buffer.size() * 2);
    }
    if (!found || !found->pw_dir) return {};
    std::filesystem::path home = found->pw_dir;
    return home.is_absolute() ? home : std::filesystem::path();
}

}  // namespace

std::filesystem::path homeFolder(const char* home) {
    if (home && std::filesystem::path(home).is_absolute()) return home;
    return homeFromUserDatabase();
}

std::filesystem::path passwordFilePath(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome && std::filesystem::path(xdgConfigHome).is_absolute()) {
        return std::filesystem::path(xdgConfigHome) / "pennory" / "print.txt";
    }
    const std::filesystem::path folder = homeFolder(home);
    if (folder.empty()) return {};
    return folder / ".config" / "pennory" / "print.txt";
}

constexpr const char* kPhraseFileName = "date.txt";

std::filesystem::path phraseFilePath(const std::filesystem::path& workingDir,
                                     const char* xdgDataHome, const char* home) {
    std::error_code error;
    const auto here = workingDir / kPhraseFileName;
    if (!workingDir.empty() && std::filesystem::exists(here, error)) return here;
    if (xdgDataHome && std::filesystem::path(xdgDataHome).is_absolute()) {
        return std::filesystem::path(xdgDataHome) / "pennory" / kPhraseFileName;
    }
    const std::filesystem::path folder = homeFolder(home);
    if (folder.empty()) return {};
    return folder / ".local" / "share" / "pennory" / kPhraseFileName;
}

std::filesystem::path installedDataDir(const std::filesystem::path& executableDir,
                                       const std::filesystem::path& relativeDataDir) {
    if (relativeDataDir.is_absolute()) return relativeDataDir;
    return (executableDir / relativeDataDir).lexically_normal();
}

std::filesystem::path recoveryFolderPath(const char* xdgStateHome, const char* home) {
    if (xdgStateHome && std::filesystem::path(xdgStateHome).is_absolute()) {
        return std::filesystem::path(xdgStateHome) / "pennory";
    }
    const std::filesystem::path folder = homeFolder(home);
    if (folder.empty()) return {};
    return folder / ".local" / "state" / "pennory";
}

}  // namespace pennory::files
