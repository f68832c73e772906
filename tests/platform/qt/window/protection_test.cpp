// The cipher in the real window: log in, open a manuscript, scramble it, save it as RTF and as
// plain text, open each again and unscramble it: the characters come back, control
// characters of the scrambled text included.

#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/text/code_page_936.h"
#include "protection/cipher.h"
#include "qt_form_fixture.h"

namespace pennory::testing {
namespace {

namespace fs = std::filesystem;

std::string utf8(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text)).toStdString();
}

class QtCipher : public QtFormTest {
protected:
    QtCipher() : m_dir(m_temp.path().toStdString()) {
        program().m_passwordFile = m_dir / "config" / "print.txt";
    }

    // First use with a password, then login with it, through the menu.
    void logIn() {
        messages().nextInput(u"密 码");
        clickMenu({u"文稿加密", u"请输入密码"});
        messages().nextInput(u"密 码");
        clickMenu({u"文稿加密", u"请输入密码"});
        ASSERT_TRUE(menuEnabled({u"文稿加密", u"入口", u"文稿加密"}));
        ASSERT_TRUE(menuEnabled({u"文稿加密", u"入口", u"文稿解密"}));
        ASSERT_TRUE(menuEnabled({u"文稿加密", u"更改密码"}));
    }
    void open(const fs::path& file) {
        dialogs().nextFileName(file.u16string());
        clickMenu({u"文件", u"打开"});
    }
    void saveAs(std::u16string_view type, const fs::path& file) {
        dialogs().nextFileName(file.u16string());
        clickMenu({u"文件", u"另存为", type});
    }
    std::u16string editorText() { return form().RichTextBox1().text(); }
    std::u16string shownText() { return editor()->toPlainText().toStdU16String(); }

    QTemporaryDir m_temp;
    fs::path m_dir;
};

// A manuscript with the characters the cipher turns into control characters: line breaks
// (into 12, 9), blanks (31), tabs (8), and common Chinese text with full-width spaces.
const std::u16string kManuscript =
    u"电子制作：多谐振荡器\r\n"
    u"\u3000\u3000用两只三极管组成，频率约1kHz（见图1）。\r\n"
    u"\tR1=10k, C1=0.1uF; \"test\" #2! ~\r\n"
    u"病毒小取印选仅英省！";

TEST_F(QtCipher, ScrambledManuscriptSavedAsRtfAndAsTextComesBack) {
    logIn();
    // The manuscript on disk as plain text in code page 936, as the program writes it.
    {
        std::ofstream(m_dir / "manuscript.txt", std::ios::binary)
            << text::cp936::encode(kManuscript);
    }
    open(m_dir / "manuscript.txt");
    ASSERT_EQ(utf8(editorText()), utf8(kManuscript));
    messages().forget();

    clickMenu({u"文稿加密", u"入口", u"文稿加密"});
    const std::u16string scrambled = protection::encryptText(kManuscript);
    ASSERT_EQ(editorText(), scrambled);
    EXPECT_EQ(editorText().find(u'\r'), std::u16string::npos);
    EXPECT_FALSE(form().mayEncrypt);
    EXPECT_TRUE(messages().shown().empty()) << "no question for a restorable manuscript";

    saveAs(u"rtf文档", m_dir / "scrambled.rtf");
    saveAs(u"txt文档", m_dir / "scrambled.txt");
    ASSERT_TRUE(fs::exists(m_dir / "scrambled.rtf"));
    ASSERT_TRUE(fs::exists(m_dir / "scrambled.txt"));

    for (const char* name : {"scrambled.rtf", "scrambled.txt"}) {
        SCOPED_TRACE(name);
        messages().nextAnswer(platform::vbNo);  // New: do not save first
        clickMenu({u"文件", u"新建"});
        ASSERT_EQ(editorText(), u"");

        open(m_dir / name);
        EXPECT_EQ(editorText(), scrambled);
        clickMenu({u"文稿加密", u"入口", u"文稿解密"});
        EXPECT_EQ(utf8(editorText()), utf8(kManuscript));
        // The editor shows the text with its line breaks again.
        EXPECT_EQ(shownText(),
                  u"电子制作：多谐振荡器\n"
                  u"\u3000\u3000用两只三极管组成，频率约1kHz（见图1）。\n"
                  u"\tR1=10k, C1=0.1uF; \"test\" #2! ~\n"
                  u"病毒小取印选仅英省！");
        EXPECT_TRUE(form().mayEncrypt);
        EXPECT_FALSE(form().mayDecrypt);
    }
}

TEST_F(QtCipher, PasswordPromptsAreMaskedAndTheFileIsOwnerOnly) {
    logIn();
    const auto& shown = messages().shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_TRUE(shown[0].input && shown[0].masked);
    EXPECT_EQ(shown[1].prompt, u"密码已设置成功，请重新登录！");
    EXPECT_TRUE(shown[2].input && shown[2].masked);
    EXPECT_EQ(fs::status(m_dir / "config").permissions() & fs::perms::mask, fs::perms::owner_all);
    EXPECT_EQ(fs::status(m_dir / "config" / "print.txt").permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(QtCipher, LossyManuscriptIsNotTouchedWhenTheWriterSaysNo) {
    logIn();
    { std::ofstream(m_dir / "manuscript.txt", std::ios::binary) << text::cp936::encode(u"合并"); }
    open(m_dir / "manuscript.txt");
    messages().forget();
    messages().nextAnswer(platform::vbNo);
    clickMenu({u"文稿加密", u"入口", u"文稿加密"});
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].style, platform::vbYesNo | platform::vbDefaultButton2);
    EXPECT_EQ(shownText(), u"合并");
    EXPECT_TRUE(form().mayEncrypt);
}

}  // namespace
}  // namespace pennory::testing
