#include <gtest/gtest.h>

#include "platform/files/user_paths.h"

namespace pennory::files {
namespace {

TEST(RecoveryFolderPath, FollowsXdgStateHomeElseHome) {
    struct Case {
        const char* stateHome;
        const char* home;
        const char* folder;
    };
    const Case cases[] = {
        {"/run/state", "/home/zhang", "/run/state/pennory"},
        {nullptr, "/home/zhang", "/home/zhang/.local/state/pennory"},
        {"relative/state", "/home/zhang", "/home/zhang/.local/state/pennory"},
        {"", "/home/zhang", "/home/zhang/.local/state/pennory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stateHome ? c.stateHome : "(unset)");
        EXPECT_EQ(recoveryFolderPath(c.stateHome, c.home), std::filesystem::path(c.folder));
    }
    // Without HOME the user database names the home folder, never a shared one like /tmp.
    const std::filesystem::path home = homeFolder(nullptr);
    EXPECT_EQ(recoveryFolderPath(nullptr, nullptr),
              home.empty() ? std::filesystem::path() : home / ".local/state/pennory");
}

}  // namespace
}  // namespace pennory::files
