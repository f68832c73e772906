// "文稿加密" and "文稿解密" on the manuscript: the permissions after Open and after each
// direction, the whole content replaced by plain text, and the question before scrambling
// characters that would not come back.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "protection/cipher.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using Shown = headless::ScriptedMessages::Shown;

class CipherCommands : public FormTest {
protected:
    // Logs in with an empty stored password, as a writer who set none.
    void unlock() {
        platform().program.m_passwordFile = m_dir / "print.txt";
        std::ofstream(m_dir / "print.txt", std::ios::binary) << "\r\n";
        clickMenu({u"文稿加密", u"请输入密码"});
        ASSERT_TRUE(menuEnabled({u"文稿加密", u"入口", u"文稿加密"}));
        messages().forget();
    }
    // Open with its dialog cancelled: grants both directions and loads nothing.
    void openCancelled() {
        dialogs().nextFileName(std::nullopt);
        clickMenu({u"文件", u"打开"});
    }
    void encrypt() { clickMenu({u"文稿加密", u"入口", u"文稿加密"}); }
    void decrypt() { clickMenu({u"文稿加密", u"入口", u"文稿解密"}); }

    std::pair<bool, bool> flags() { return {form().mayEncrypt, form().mayDecrypt}; }
    const std::vector<Shown>& shown() { return messages().shown(); }

    TempDir m_dir;
};

enum class Reached { Start, AfterOpen, AfterEncrypt, AfterDecrypt };

struct FlagCase {
    const char* name;
    Reached state;
    std::pair<bool, bool> before;  // mayEncrypt, mayDecrypt
    bool encrypting;
    bool runs;
    std::pair<bool, bool> after;
};

// Shown by name in test listings.
void PrintTo(const FlagCase& row, std::ostream* out) { *out << row.name; }

class FlagTable : public CipherCommands, public ::testing::WithParamInterface<FlagCase> {};

// Each state reached through the real commands from a fresh window, then one direction
// tried on "A".
TEST_P(FlagTable, EachDirectionInEachState) {
    const FlagCase& row = GetParam();
    unlock();
    if (row.state != Reached::Start) openCancelled();
    if (row.state == Reached::AfterEncrypt) encrypt();
    if (row.state == Reached::AfterDecrypt) decrypt();
    ASSERT_EQ(flags(), row.before);
    editor().setText(u"A");
    messages().forget();

    if (row.encrypting) {
        encrypt();
    } else {
        decrypt();
    }
    EXPECT_EQ(flags(), row.after);
    if (row.runs) {
        EXPECT_TRUE(shown().empty());
        EXPECT_EQ(editor().text(), row.encrypting ? u"@" : u"B");
    } else {
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].prompt, row.encrypting ? u"加密操作已经结束" : u"解密操作已经结束");
        EXPECT_EQ(shown()[0].style, platform::vbOKOnly);
        EXPECT_EQ(shown()[0].title, u"Pennory");
        EXPECT_EQ(editor().text(), u"A");
    }
}

INSTANTIATE_TEST_SUITE_P(
    States, FlagTable,
    ::testing::Values(
        FlagCase{"start_encrypt", Reached::Start, {false, false}, true, false, {false, false}},
        FlagCase{"start_decrypt", Reached::Start, {false, false}, false, false, {false, false}},
        FlagCase{"open_encrypt", Reached::AfterOpen, {true, true}, true, true, {false, true}},
        FlagCase{"open_decrypt", Reached::AfterOpen, {true, true}, false, true, {true, false}},
        FlagCase{
            "encrypted_encrypt", Reached::AfterEncrypt, {false, true}, true, false, {false, true}},
        FlagCase{
            "encrypted_decrypt", Reached::AfterEncrypt, {false, true}, false, true, {true, false}},
        FlagCase{
            "decrypted_encrypt", Reached::AfterDecrypt, {true, false}, true, true, {false, true}},
        FlagCase{"decrypted_decrypt",
                 Reached::AfterDecrypt,
                 {true, false},
                 false,
                 false,
                 {true, false}}),
    [](const auto& info) { return std::string(info.param.name); });

// A figure is no character: the text around it is scrambled, the figure stays where it is,
// and decrypting gives the manuscript back with it in place.
TEST_F(CipherCommands, FiguresStayInPlaceThroughBothDirections) {
    unlock();
    openCancelled();
    text::Figure figure;
    figure.kind = text::FigureKind::Png;
    figure.bytes = std::make_shared<const std::string>("\x89PNG\r\n\x1a\n");
    editor().setText(u"AB");
    editor().setSelStart(1);
    editor().insertFigure(figure);
    messages().forget();
    auto figureAt = [&](std::size_t at) {
        const auto one = editor().content().slice(at, 1);
        return one.runs().front().format.figure ? *one.runs().front().format.figure
                                                : text::Figure{};
    };

    encrypt();
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(editor().text(), u"@\uFFFCA");
    EXPECT_EQ(figureAt(1), figure);
    EXPECT_EQ(figureAt(0), text::Figure{});

    decrypt();
    EXPECT_EQ(editor().text(), u"A\uFFFCB");
    EXPECT_EQ(figureAt(1), figure);
    const text::StyledText content = editor().content();
    EXPECT_EQ(content.runs().front().format.figure, text::FigureRef{});
}

TEST_F(CipherCommands, OpenAfterEitherDirectionGrantsBothAgain) {
    unlock();
    openCancelled();
    encrypt();
    openCancelled();
    EXPECT_EQ(flags(), std::make_pair(true, true));
    decrypt();
    openCancelled();
    EXPECT_EQ(flags(), std::make_pair(true, true));
}

TEST_F(CipherCommands, RefusedRightAfterStartEvenWhenLoggedIn) {
    unlock();
    editor().type(u"刚写的文字");
    encrypt();
    decrypt();
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[0].prompt, u"加密操作已经结束");
    EXPECT_EQ(shown()[1].prompt, u"解密操作已经结束");
    EXPECT_EQ(editor().text(), u"刚写的文字");
    EXPECT_EQ(flags(), std::make_pair(false, false));
}

TEST_F(CipherCommands, LockedCommandsCannotBeChosen) {
    openCancelled();
    editor().setText(u"A");
    encrypt();
    decrypt();
    EXPECT_EQ(editor().text(), u"A");
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(flags(), std::make_pair(true, true));
}

TEST_F(CipherCommands, EncryptThenDecryptGivesTheCharactersBackAsPlainText) {
    unlock();
    openCancelled();
    const std::u16string manuscript =
        u"电子制作：多谐振荡器\r\n\u3000\u3000用两只三极管组成，频率约1kHz（见图1）。\r\n"
        u"Part list: R1=10k, C1=0.1uF; \"test\" #2!\t~\r\n";
    text::StyledText formatted;
    text::CharFormat bold = editor().defaultFormat();
    bold.bold = true;
    bold.colour = text::rgb(255, 0, 0);
    formatted.append(manuscript.substr(0, 10), bold);
    formatted.append(manuscript.substr(10), editor().defaultFormat());
    editor().setContent(formatted);

    encrypt();
    EXPECT_TRUE(shown().empty());
    const std::u16string scrambled = editor().text();
    EXPECT_EQ(scrambled, protection::encryptText(manuscript));
    EXPECT_EQ(editor().content(), text::StyledText(scrambled, editor().defaultFormat()));

    decrypt();
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(editor().text(), manuscript);
    EXPECT_EQ(editor().content(), text::StyledText(manuscript, editor().defaultFormat()));
    EXPECT_EQ(flags(), std::make_pair(true, false));
}

TEST_F(CipherCommands, DocumentedExamplesThroughTheEditor) {
    unlock();
    struct Row {
        std::u16string_view plain, scrambled;
    };
    const Row rows[] = {{u"文稿加密", u"蚊镐家蜜"}, {u"A", u"@"}, {u"\r\n", u"\x0C\x09"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(utf8(row.plain));
        openCancelled();
        editor().setText(row.plain);
        encrypt();
        EXPECT_EQ(editor().text(), row.scrambled);
        decrypt();
        EXPECT_EQ(editor().text(), row.plain);
    }
    EXPECT_TRUE(shown().empty());
}

TEST_F(CipherCommands, DecryptFirstAfterOpenShiftsUpThenOnlyEncryptIsAllowed) {
    unlock();
    openCancelled();
    editor().setText(u"蚊镐家蜜");
    decrypt();
    EXPECT_EQ(editor().text(), u"文稿加密");
    decrypt();
    EXPECT_EQ(shown().back().prompt, u"解密操作已经结束");
    EXPECT_EQ(editor().text(), u"文稿加密");
}

TEST_F(CipherCommands, AnEmptyManuscriptCompletesAndSwapsTheFlags) {
    unlock();
    openCancelled();
    encrypt();
    EXPECT_EQ(editor().text(), u"");
    EXPECT_EQ(flags(), std::make_pair(false, true));
    EXPECT_TRUE(shown().empty());
}

TEST_F(CipherCommands, NewBetweenEncryptAndDecryptKeepsTheFlags) {
    unlock();
    openCancelled();
    editor().setText(u"A");
    encrypt();
    messages().nextAnswer(platform::vbNo);  // do not save first
    clickMenu({u"文件", u"新建"});
    EXPECT_EQ(flags(), std::make_pair(false, true));
    encrypt();
    EXPECT_EQ(shown().back().prompt, u"加密操作已经结束");
}

TEST_F(CipherCommands, LossyCharactersAreNamedBeforeEncryptingAndNoChangesNothing) {
    unlock();
    openCancelled();
    text::CharFormat red = editor().defaultFormat();
    red.colour = text::rgb(255, 0, 0);
    const text::StyledText content(u"合并电路\x0B😀", red);
    for (const auto answer : {platform::vbNo, platform::vbCancel}) {
        editor().setContent(content);
        messages().nextAnswer(answer);
        encrypt();
        ASSERT_EQ(shown().size(), 1u);
        // No is the default button: Enter, Esc and the close box keep the manuscript.
        EXPECT_EQ(shown()[0].style, platform::vbYesNo | platform::vbDefaultButton2);
        EXPECT_EQ(utf8(shown()[0].prompt),
                  utf8(u"文稿中有些字符加密后无法再解密复原：\n并 U+000B 😀\n仍要加密吗？"));
        EXPECT_EQ(editor().content(), content);
        EXPECT_EQ(flags(), std::make_pair(true, true));
        messages().forget();
    }

    messages().nextAnswer(platform::vbYes);
    encrypt();
    EXPECT_EQ(editor().text(), protection::encryptText(content.plainText()));
    EXPECT_EQ(flags(), std::make_pair(false, true));
    decrypt();
    EXPECT_EQ(editor().text(), u"合病电路\x0B??");  // 并 came back as 病, the emoji as '?'
}

// The scripted box answers an unscripted question as Esc does.
TEST_F(CipherCommands, LossyQuestionDismissedChangesNothing) {
    unlock();
    openCancelled();
    editor().setText(u"合并");
    encrypt();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(editor().text(), u"合并");
    EXPECT_EQ(flags(), std::make_pair(true, true));
}

TEST_F(CipherCommands, TheQuestionNamesAFewCharactersThenAnEllipsis) {
    unlock();
    openCancelled();
    editor().setText(u"孝犊娶并＂癣谨樱盛");
    messages().nextAnswer(platform::vbNo);
    encrypt();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(utf8(shown()[0].prompt),
              utf8(u"文稿中有些字符加密后无法再解密复原：\n孝 犊 娶 并 ＂ …\n仍要加密吗？"));
}

TEST_F(CipherCommands, DecryptNeverAsks) {
    unlock();
    openCancelled();
    editor().setText(u"孝并");
    decrypt();
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(flags(), std::make_pair(true, false));
}

}  // namespace
}  // namespace pennory::testing
