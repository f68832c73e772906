// The help menu: the help page and the mail link go to the shell, the about box is shown.

#include "help/help_menu.h"

#include <fstream>

#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

class HelpMenu : public FormTest {
protected:
    HelpMenu() {
        std::filesystem::create_directories(m_bin);
        std::filesystem::create_directories(m_share);
        platform().program.m_executableDir = m_bin;
        platform().program.m_dataDir = m_share;
    }
    static void putHelpPage(const std::filesystem::path& folder) {
        std::ofstream(folder / u"Pennory帮助.htm") << "<html></html>";
    }
    const std::vector<headless::RecordingShell::Request>& requests() {
        return platform().shell.requests();
    }

    TempDir m_dir;
    std::filesystem::path m_bin = m_dir / "bin";
    std::filesystem::path m_share = m_dir / "share";
};

TEST_F(HelpMenu, HelpOpensThePageBesideTheProgram) {
    putHelpPage(m_bin);
    putHelpPage(m_share);
    clickMenu({u"帮助", u"帮助"});
    ASSERT_EQ(requests().size(), 1u);
    const auto& r = requests()[0];
    EXPECT_EQ(r.operation, u"open");
    EXPECT_EQ(r.file, u"Pennory帮助.htm");
    EXPECT_EQ(r.parameters, u"");
    EXPECT_EQ(r.directory, m_bin);
    EXPECT_EQ(r.showCommand, 1);
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(HelpMenu, HelpFallsBackToTheInstalledPage) {
    putHelpPage(m_share);
    clickMenu({u"帮助", u"帮助"});
    ASSERT_EQ(requests().size(), 1u);
    // By its full path, while the shell still starts in the program's folder.
    EXPECT_EQ(requests()[0].file, (m_share / u"Pennory帮助.htm").u16string());
    EXPECT_EQ(requests()[0].directory, m_bin);
    EXPECT_EQ(requests()[0].operation, u"open");
    EXPECT_EQ(requests()[0].showCommand, 1);
}

TEST_F(HelpMenu, HelpDoesNotDependOnTheWorkingFolder) {
    putHelpPage(m_share);
    const auto before = std::filesystem::current_path();
    putHelpPage(m_dir.path());  // a page in the working folder is not the program's
    std::filesystem::current_path(m_dir.path());
    clickMenu({u"帮助", u"帮助"});
    std::filesystem::current_path(before);
    ASSERT_EQ(requests().size(), 1u);
    EXPECT_EQ(requests()[0].file, (m_share / u"Pennory帮助.htm").u16string());
    EXPECT_EQ(requests()[0].directory, m_bin);
}

TEST_F(HelpMenu, AMissingPageShowsNothing) {
    std::filesystem::create_directories(m_bin / u"Pennory帮助.htm");  // a folder, not a page
    clickMenu({u"帮助", u"帮助"});
    EXPECT_TRUE(requests().empty());
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(HelpMenu, WriteToUsOpensAMailToThePublisher) {
    clickMenu({u"帮助", u"给我写信"});
    ASSERT_EQ(requests().size(), 1u);
    const auto& r = requests()[0];
    EXPECT_EQ(r.operation, u"open");
    EXPECT_EQ(r.file, u"mailto:editor@pennory.cn");
    EXPECT_EQ(r.parameters, u"");
    EXPECT_EQ(r.directory, m_bin);
    EXPECT_EQ(r.showCommand, 1);
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(HelpMenu, TheMailAddressIsTheOneTheWordBankNames) {
    const std::u16string contact = form().Label2(97).caption();
    const std::u16string address = std::u16string(help::kPublisherMail.substr(7));
    EXPECT_NE(contact.find(address), std::u16string::npos);
}

TEST_F(HelpMenu, AboutNamesTheProductVersionAndDateOnOneLine) {
    for (int time = 0; time < 2; ++time) {
        clickMenu({u"帮助", u"关于本软件"});
    }
    ASSERT_EQ(messages().shown().size(), 2u);
    for (const auto& shown : messages().shown()) {
        EXPECT_EQ(shown.title, u"Pennory");
        EXPECT_EQ(shown.style, platform::vbOKOnly);
        EXPECT_FALSE(shown.input);
        EXPECT_EQ(shown.prompt, u"Pennory 电子制作写稿助手 1.5 版，2026年12月发布");
        EXPECT_EQ(shown.prompt.find_first_of(u"\r\n"), std::u16string::npos);
    }
    EXPECT_TRUE(requests().empty());
    EXPECT_FALSE(form().openIntoReference || form().saveTargetChosen || form().mayEncrypt ||
                 form().mayDecrypt || form().phrasesReady);
}

TEST_F(HelpMenu, IndicesWithoutAnItemDoNothing) {
    putHelpPage(m_bin);
    for (std::int16_t index : {1, 4, -1, 32767}) form().mnuhelpitem_Click(index);
    EXPECT_TRUE(requests().empty());
    EXPECT_TRUE(messages().shown().empty());
}

}  // namespace
}  // namespace pennory::testing
