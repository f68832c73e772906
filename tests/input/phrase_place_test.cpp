// Where the phrase library lives when the working folder holds none: the per-user data
// folder, created owner-only by the first "enter", read back by the next "selfdo".

#include <sys/stat.h>

#include <fstream>

#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

namespace fs = std::filesystem;

class PhrasePlace : public FormTest {
protected:
    PhrasePlace() { platform().program.m_phraseFile = m_file; }
    TempDir m_data;
    fs::path m_file = m_data / "share" / "pennory" / "date.txt";
};

TEST_F(PhrasePlace, TheFirstStoreMakesOwnerOnlyFoldersAndSelfdoFindsThePhrases) {
    phraseBox(0).setText(u"本电路结构简单");
    clickToolbar(u"enter");
    EXPECT_TRUE(messages().shown().empty());
    ASSERT_TRUE(fs::exists(m_file));
    for (const auto& folder : {m_data / "share", m_data / "share" / "pennory"}) {
        struct stat info {};
        ASSERT_EQ(stat(folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << folder;
    }

    // "selfdo" reads the same file back.
    phraseBox(0).setText(u"");
    clickToolbar(u"selfdo");
    EXPECT_EQ(phraseBox(0).text(), u"本电路结构简单");
}

TEST_F(PhrasePlace, AFolderThatCannotBeMadeIsReportedAndNothingIsLeftBehind) {
    // A file where the data folder should be.
    std::ofstream(m_data / "share") << "x";
    clickToolbar(u"enter");
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_NE(messages().shown()[0].prompt.find(u"date.txt"), std::u16string::npos);
    EXPECT_TRUE(fs::is_regular_file(m_data / "share"));
}

}  // namespace
}  // namespace pennory::testing
