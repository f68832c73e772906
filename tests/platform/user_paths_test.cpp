// Where the program's own files are decided: the phrase library and the installed data folder.

#include "platform/user_paths.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

namespace fs = std::filesystem;

TEST(PhraseFilePath, FollowsTheWorkingFolderThenXdgDataHomeThenHome) {
    TempDir withLibrary;
    std::ofstream(withLibrary / "date.txt") << "\r\n";
    TempDir without;
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
        EXPECT_EQ(platform::phraseFilePath(c.working, c.xdgDataHome, c.home), c.expected);
    }
}

TEST(InstalledDataDir, IsFoundFromTheExecutablesFolder) {
    EXPECT_EQ(platform::installedDataDir("/opt/x/bin", "../share/pennory"),
              fs::path("/opt/x/share/pennory"));
    EXPECT_EQ(platform::installedDataDir("/usr/bin", "../share/pennory"),
              fs::path("/usr/share/pennory"));
    EXPECT_EQ(platform::installedDataDir("/usr/bin", "/srv/pennory"), fs::path("/srv/pennory"));
}

}  // namespace
}  // namespace pennory::testing
