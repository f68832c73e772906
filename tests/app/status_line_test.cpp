#include "app/status_line.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

TEST(StatusText, ShowsTheCountAndTheSelection) {
    EXPECT_EQ(app::statusText({12, 30}, std::nullopt), u"字数 12  字符 30（不计空格）");
    EXPECT_EQ(app::statusText({12, 30}, input::TextCount{3, 5}),
              u"选定 3 / 字数 12  字符 30（不计空格）");
}

class StatusLineTest : public FormTest {
protected:
    std::u16string shown() { return form().StatusLine().caption(); }
};

TEST_F(StatusLineTest, ZoomAndANoteFollowTheCountUntilTheNextEdit) {
    editor().type(u"电阻");
    form().setZoomShown(150);
    form().setStatusNote(u"已替换 2 处。");
    EXPECT_EQ(shown(), u"字数 2  字符 2（不计空格）  缩放 150%  已替换 2 处。");
    editor().setSelStart(0);  // moving the caret keeps the note
    EXPECT_EQ(shown(), u"字数 2  字符 2（不计空格）  缩放 150%  已替换 2 处。");
    editor().type(u"大");
    EXPECT_EQ(shown(), u"字数 3  字符 3（不计空格）  缩放 150%");
    form().setZoomShown(100);
    EXPECT_EQ(shown(), u"字数 3  字符 3（不计空格）");
}

TEST_F(StatusLineTest, FollowsTypingEditingAndNew) {
    EXPECT_EQ(shown(), u"字数 0  字符 0（不计空格）");
    editor().type(u"用CD4011做");
    EXPECT_EQ(shown(), u"字数 3  字符 8（不计空格）");
    editor().type(u" 门电路，");
    EXPECT_EQ(shown(), u"字数 7  字符 12（不计空格）");

    editor().setSelStart(1);
    editor().setSelLength(6);  // "CD4011"
    EXPECT_EQ(shown(), u"选定 1 / 字数 7  字符 12（不计空格）");

    clickMenu({u"编辑", u"删除"});
    EXPECT_EQ(shown(), u"字数 6  字符 6（不计空格）");
    clickMenu({u"编辑", u"撤消"});  // brings the selection back too
    EXPECT_EQ(shown(), u"选定 1 / 字数 7  字符 12（不计空格）");

    messages().nextAnswer(platform::vbNo);
    clickMenu({u"文件", u"新建"});
    EXPECT_EQ(shown(), u"字数 0  字符 0（不计空格）");
}

// Many replacements at once, as a normalising of punctuation makes them, and 撤消 after them.
TEST_F(StatusLineTest, FollowsAnEditTransactionAndItsUndo) {
    editor().type(u"电阻,电容.NE555,");
    ASSERT_EQ(shown(), u"字数 6  字符 12（不计空格）");
    ASSERT_TRUE(editor().applyReplacements(
        {{2, 1, u"，", {}}, {5, 1, u"。 ", {}}, {11, 1, u"，", {}}, {6, 0, u"IC ", {}}}));
    EXPECT_EQ(editor().text(), u"电阻，电容。 IC NE555，");
    EXPECT_EQ(shown(), u"字数 9  字符 14（不计空格）");

    clickMenu({u"编辑", u"撤消"});
    EXPECT_EQ(editor().text(), u"电阻,电容.NE555,");
    EXPECT_EQ(shown(), u"字数 6  字符 12（不计空格）");
}

TEST_F(StatusLineTest, CountsAnOpenedManuscript) {
    TempDir dir;
    std::filesystem::path file = dir / "稿子.txt";
    {
        std::FILE* out = std::fopen(file.c_str(), "wb");
        const char gbk[] = "\xb5\xe7\xd7\xd3 NE555\r\n\xa1\xa3";  // 电子 NE555 / 。
        std::fwrite(gbk, 1, sizeof gbk - 1, out);
        std::fclose(out);
    }
    dialogs().nextFileName(file.u16string());
    clickMenu({u"文件", u"打开"});
    EXPECT_EQ(shown(), u"字数 4  字符 8（不计空格）");
}

// The cipher rewrites the whole manuscript, control characters included.
TEST_F(StatusLineTest, FollowsTheCipherCommands) {
    TempDir dir;
    platform().program.m_passwordFile = dir / "print.txt";
    std::ofstream(dir / "print.txt", std::ios::binary) << "\r\n";  // an empty password
    clickMenu({u"文稿加密", u"请输入密码"});
    dialogs().nextFileName(std::nullopt);
    clickMenu({u"文件", u"打开"});  // cancelled; allows the cipher

    editor().type(u"电子制作：用CD4011做门电路。\r\n第二段 text");
    const std::u16string plain = editor().text();
    clickMenu({u"文稿加密", u"入口", u"文稿加密"});
    ASSERT_NE(editor().text(), plain);
    const auto scrambled = input::countText(editor().text());
    EXPECT_EQ(form().manuscriptCount().total(), scrambled);
    EXPECT_EQ(shown(), app::statusText(scrambled, std::nullopt));

    clickMenu({u"文稿加密", u"入口", u"文稿解密"});
    ASSERT_EQ(editor().text(), plain);
    EXPECT_EQ(shown(), u"字数 16  字符 24（不计空格）");
}

}  // namespace
}  // namespace pennory::testing
