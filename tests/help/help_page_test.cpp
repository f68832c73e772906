// The help page that ships with the program: it must open as UTF-8 in any browser and
// explain every command the writer can reach.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/design_literals.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

class HelpPage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::filesystem::path page =
            std::filesystem::path(PENNORY_TEST_DATA) / ".." / ".." / "data" / u"Pennory帮助.htm";
        std::ifstream in(page, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        s_page = bytes.str();
    }
    static bool mentions(std::u16string_view text) {
        return s_page.find(utf8(text)) != std::string::npos;
    }
    static inline std::string s_page;
};

TEST_F(HelpPage, DeclaresUtf8AndIsValidUtf8) {
    ASSERT_FALSE(s_page.empty());
    EXPECT_NE(s_page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_EQ(utf8(utf16(s_page)), s_page);  // survives a round trip: no stray GBK bytes
}

TEST_F(HelpPage, ExplainsEveryMenuItemAndToolbarButton) {
    std::vector<std::u16string_view> captions(design::kMenuBar.begin(), design::kMenuBar.end());
    for (auto c : design::kFileMenu) captions.push_back(c);
    for (auto c : design::kSaveAsMenu) captions.push_back(c);
    for (auto c : design::kSaveAsOfficeItems) captions.push_back(c);
    for (auto c : design::kEditMenu) captions.push_back(c);
    for (auto c : design::kCodeMenu) captions.push_back(c);
    for (auto c : design::kCodeChildMenu) captions.push_back(c);
    for (auto c : design::kHelpMenu) {
        if (!c.empty()) captions.push_back(c);
    }
    for (const auto& button : design::kToolbarButtons) captions.push_back(button.caption);
    for (const auto& key : design::kKeypadButtons) captions.push_back(key.caption);
    for (auto caption : captions) {
        EXPECT_TRUE(mentions(caption)) << utf8(caption);
    }
}

TEST_F(HelpPage, ExplainsTheCountAndTheRecoveryCopy) {
    const std::u16string_view facts[] = {
        u"选定 56 / 字数 1234  字符 1500（不计空格）",
        u"CD4011",
        u"上次没有正常退出。要恢复未保存的文稿吗？",
        u"Pennory --恢复的文稿",
        u"~/.local/state/pennory/",
        u"$XDG_STATE_HOME/pennory/",
        u"30 秒",
    };
    for (auto fact : facts) {
        EXPECT_TRUE(mentions(fact)) << utf8(fact);
    }
}

TEST_F(HelpPage, ExplainsFiguresInTheManuscript) {
    const std::u16string_view facts[] = {
        u"插入图片",
        u"图片宽度…",
        u"50%",
        u"8cm",
        u"松开鼠标的地方",
        u"文本文件不能保存图片，图片将会丢失。要继续吗？",
    };
    for (auto fact : facts) {
        EXPECT_TRUE(mentions(fact)) << utf8(fact);
    }
}

TEST_F(HelpPage, SaysWhatTheCipherCannotRestoreAndWhereFilesAre) {
    const std::u16string_view facts[] = {
        u"孝",
        u"犊",
        u"娶",
        u"并",
        u"＂",
        u"癣",
        u"谨",
        u"樱",
        u"盛",  // come back changed
        u"仍要加密吗？",
        u"格式",
        u"date.txt",
        u"~/.local/share/pennory/date.txt",
        u"~/.config/pennory/print.txt",
        u"GBK",
        u"CR LF",
        u"editor@pennory.cn",
        u"1.5",
        u"看图",
    };
    for (auto fact : facts) {
        EXPECT_TRUE(mentions(fact)) << utf8(fact);
    }
}

}  // namespace
}  // namespace pennory::testing
