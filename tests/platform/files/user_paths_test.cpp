// Where the program's own files are decided: the password file, the phrase library and the
// installed data folder.

#include "platform/files/user_paths.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <fstream>

#include "temp_folder.h"

namespace pennory::testing {
namespace {

namespace fs = std::filesystem;

TEST(PhraseFilePath, FollowsTheWorkingFolderThenXdgDataHomeThenHome) {
    files::testing::TempFolder withLibrary;
    std::ofstream(withLibrary / "date.txt") << "\r\n";
    files::testing::TempFolder without;
    struct Case {
        const char* name;
        fs::path working;
        const char* xdgDataHome;
        const char* home;
        fs::path expected;
    };
    const Case cases[] = {
        {"library in the working folder", withLibrary.path(), "/data", "/home/w",
         withLibrary / "date.txt"},
        {"none there, XDG_DATA_HOME set", without.path(), "/data", "/home/w",
         "/data/pennory/date.txt"},
        {"none there, XDG_DATA_HOME unset", without.path(), nullptr, "/home/w",
         "/home/w/.local/share/pennory/date.txt"},
        {"XDG_DATA_HOME empty", without.path(), "", "/home/w",
         "/home/w/.local/share/pennory/date.txt"},
        {"XDG_DATA_HOME relative", without.path(), "data", "/home/w",
         "/home/w/.local/share/pennory/date.txt"},
        {"working folder unknown", fs::path(), "/data", "/home/w", "/data/pennory/date.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(files::phraseFilePath(c.working, c.xdgDataHome, c.home), c.expected);
    }
}

TEST(InstalledDataDir, IsFoundFromTheExecutablesFolder) {
    EXPECT_EQ(files::installedDataDir("/opt/x/bin", "../share/pennory"),
              fs::path("/opt/x/share/pennory"));
    EXPECT_EQ(files::installedDataDir("/usr/bin", "../share/pennory"),
              fs::path("/usr/share/pennory"));
    EXPECT_EQ(files::installedDataDir("/usr/bin", "/srv/pennory"), fs::path("/srv/pennory"));
}

}  // namespace
}  // namespace pennory::testing

namespace pennory::files {
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
}  // namespace pennory::files
