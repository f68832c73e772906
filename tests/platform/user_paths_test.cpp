#include "platform/user_paths.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace pennory::platform {
namespace {

namespace fs = std::filesystem;

fs::path homeInUserDatabase() {
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir ? fs::path(entry->pw_dir) : fs::path();
}

TEST(UserPaths, PasswordFileFollowsTheConfigurationFolderThenHome) {
    const struct {
        const char* name;
        const char* xdgConfigHome;
        const char* home;
        fs::path expected;
    } rows[] = {
        {"configuration folder", "/cfg", "/home/a", "/cfg/pennory/print.txt"},
        {"relative configuration folder", "cfg", "/home/a", "/home/a/.config/pennory/print.txt"},
        {"empty configuration folder", "", "/home/a", "/home/a/.config/pennory/print.txt"},
        {"no configuration folder", nullptr, "/home/a", "/home/a/.config/pennory/print.txt"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(passwordFilePath(row.xdgConfigHome, row.home), row.expected);
    }
}

// Without a usable HOME the password goes to the user's own home, never to a shared folder.
TEST(UserPaths, WithoutHomeTheUserDatabaseNamesIt) {
    const fs::path home = homeInUserDatabase();
    ASSERT_FALSE(home.empty());
    const fs::path expected = home / ".config" / "pennory" / "print.txt";
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/home"}) {
        SCOPED_TRACE(unusable ? unusable : "unset");
        EXPECT_EQ(homeFolder(unusable), home);
        const fs::path file = passwordFilePath(nullptr, unusable);
        EXPECT_EQ(file, expected);
        EXPECT_NE(file.string().rfind("/tmp", 0), 0u) << file;
    }
    EXPECT_EQ(homeFolder("/home/b"), fs::path("/home/b"));
}

}  // namespace
}  // namespace pennory::platform
