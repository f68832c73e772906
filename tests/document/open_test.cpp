// Open: the dialog it shows, its flag changes whatever the outcome, where it loads, and the
// window title.

#include "document/file_helpers.h"
#include "platform/files/document_files.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using platform::FileFilter;

class OpenCommand : public FormTest {
protected:
    TempDir dir;

    // A plain-text file in code page 936: "电子制作" CR LF "下一行".
    std::filesystem::path plainFile() {
        const auto path = dir / "参考.txt";
        writeBytes(path, "\xB5\xE7\xD7\xD3\xD6\xC6\xD7\xF7\r\n\xCF\xC2\xD2\xBB\xD0\xD0");
        return path;
    }
    const std::u16string plainText = u"电子制作\r\n下一行";

    void openFromMenu() { clickMenu({u"文件", u"打开"}); }
};

TEST_F(OpenCommand, MenuAndToolbarShowTheSameOpenDialogWithAnEmptyName) {
    const std::vector<FileFilter> entries = {
        {u"所有文件(*.*)", u"*.*"},         {u"text文件(*.txt)", u"*.txt"},
        {u"rtf文件(*.rtf)", u"*.rtf"},      {u"docx文件(*.docx)", u"*.docx"},
        {u"odt文件(*.odt)", u"*.odt"}};
    for (bool toolbar : {false, true}) {
        SCOPED_TRACE(toolbar ? "toolbar" : "menu");
        form().CommonDialog1().FileName = u"/earlier/choice.rtf";
        form().CommonDialog1().FilterIndex = 3;
        form().CommonDialog1().Flags = 0;
        toolbar ? clickToolbar(u"open") : openFromMenu();

        ASSERT_FALSE(dialogs().shown().empty());
        const auto& shown = dialogs().shown().back();
        EXPECT_EQ(shown.kind, headless::ScriptedDialogs::Shown::Open);
        EXPECT_EQ(shown.request.title, u"打开");
        EXPECT_EQ(shown.request.filters, entries);
        EXPECT_EQ(shown.request.filterIndex, 1);
        EXPECT_EQ(shown.request.flags, 4);
        EXPECT_EQ(shown.request.fileName, u"");
        EXPECT_EQ(form().CommonDialog1().Filter,
                  u"所有文件(*.*)|*.*|text文件(*.txt)|*.txt|rtf文件(*.rtf)|*.rtf|"
                  u"docx文件(*.docx)|*.docx|odt文件(*.odt)|*.odt|");
        // Cancelled: the cleared name stays cleared.
        EXPECT_EQ(form().CommonDialog1().FileName, u"");
    }
}

TEST_F(OpenCommand, CancelledOpenLoadsNothingYetGrantsTheCipherAndForgetsSave) {
    dialogs().nextFileName(dialogPath(dir / "first.rtf"));
    clickMenu({u"文件", u"保存"});
    ASSERT_TRUE(form().saveTargetChosen);

    text::StyledText manuscript(u"我的稿子");
    manuscript.append(u"加粗", text::CharFormat{u"宋体", 9.0f, true});
    editor().setContent(manuscript);
    reference().setText(u"参考");
    const auto title = form().window().caption();

    openFromMenu();  // unscripted: cancelled

    EXPECT_EQ(editor().content(), manuscript);
    EXPECT_EQ(reference().text(), u"参考");
    EXPECT_EQ(form().window().caption(), title);
    EXPECT_FALSE(form().saveTargetChosen);
    EXPECT_TRUE(form().mayEncrypt);
    EXPECT_TRUE(form().mayDecrypt);
    EXPECT_FALSE(form().openIntoReference);

    // Save asks for a name again.
    const auto before = dialogs().shown().size();
    clickMenu({u"文件", u"保存"});
    EXPECT_EQ(dialogs().shown().size(), before + 1);
}

TEST_F(OpenCommand, PlainTextFileFillsTheEditorAndTitlesTheWindowWithItsPath) {
    const auto path = plainFile();
    editor().setText(u"旧的稿子");
    dialogs().nextFileName(dialogPath(path));

    clickToolbar(u"open");

    EXPECT_EQ(editor().text(), plainText);
    const auto content = editor().content();
    for (const auto& run : content.runs()) {
        EXPECT_EQ(run.format, editor().defaultFormat());
    }
    EXPECT_EQ(form().window().caption(), u"Pennory --" + dialogPath(path));
    EXPECT_EQ(form().CommonDialog1().FileName, dialogPath(path));
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(OpenCommand, RtfFileKeepsItsFormatting) {
    const auto path = dir / "formatted.rtf";
    writeBytes(path,
               "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
               "\\f0\\fs18 plain \\b bold\\b0}");
    dialogs().nextFileName(dialogPath(path));

    openFromMenu();

    EXPECT_EQ(editor().text(), u"plain bold");
    bool sawBold = false, sawPlain = false;
    const auto content = editor().content();
    for (const auto& run : content.runs()) {
        if (run.text == u"bold") sawBold = run.format.bold;
        if (run.text == u"plain ") sawPlain = !run.format.bold;
    }
    EXPECT_TRUE(sawBold);
    EXPECT_TRUE(sawPlain);
}

TEST_F(OpenCommand, ReferenceTargetHoldsThroughACancelAndEndsWithTheLoad) {
    const auto path = plainFile();
    editor().setText(u"稿子");
    reference().click();  // RichTextBox2_Click
    ASSERT_TRUE(form().openIntoReference);

    openFromMenu();  // cancelled
    EXPECT_TRUE(form().openIntoReference);
    EXPECT_EQ(reference().text(), u"");

    dialogs().nextFileName(dialogPath(path));
    clickToolbar(u"open");
    EXPECT_EQ(reference().text(), plainText);
    const auto loaded = reference().content();
    ASSERT_FALSE(loaded.empty());
    EXPECT_EQ(loaded.runs().front().format.sizePt, 10.5f);
    EXPECT_EQ(editor().text(), u"稿子");
    EXPECT_EQ(form().window().caption(), u"Pennory");
    EXPECT_FALSE(form().openIntoReference);

    // The next Open is the manuscript's again.
    dialogs().nextFileName(dialogPath(path));
    openFromMenu();
    EXPECT_EQ(editor().text(), plainText);
    EXPECT_EQ(form().window().caption(), u"Pennory --" + dialogPath(path));
}

TEST_F(OpenCommand, OpeningIntoTheReferenceKeepsTheTitleOfTheLastManuscript) {
    const auto path = plainFile();
    dialogs().nextFileName(dialogPath(path));
    openFromMenu();
    const auto title = form().window().caption();

    const auto other = dir / "other.txt";
    writeBytes(other, "abc");
    reference().click();
    dialogs().nextFileName(dialogPath(other));
    openFromMenu();

    EXPECT_EQ(reference().text(), u"abc");
    EXPECT_EQ(form().window().caption(), title);
}

TEST_F(OpenCommand, UnreadableFileIsReportedAndChangesNothingElse) {
    std::filesystem::create_directories(dir / "a folder");
    const struct {
        const char* what;
        std::filesystem::path path;
    } rows[] = {
        {"missing file", dir / "missing.rtf"},
        {"a folder", dir / "a folder"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        messages().forget();
        for (bool intoReference : {false, true}) {
            editor().setText(u"稿子");
            reference().setText(u"参考");
            if (intoReference) reference().click();
            dialogs().nextFileName(dialogPath(row.path));

            openFromMenu();

            EXPECT_EQ(editor().text(), u"稿子");
            EXPECT_EQ(reference().text(), u"参考");
            EXPECT_EQ(form().window().caption(), u"Pennory");
            // The load failed, so the reference stays the target for the next try.
            EXPECT_EQ(form().openIntoReference, intoReference);
            EXPECT_TRUE(form().mayEncrypt);
            ASSERT_EQ(messages().shown().size(), intoReference ? 2u : 1u);
            const auto& message = messages().shown().back();
            EXPECT_EQ(message.style, platform::vbOKOnly);
            const std::u16string start = u"无法打开文件“" + dialogPath(row.path) + u"”：";
            EXPECT_EQ(message.prompt.substr(0, start.size()), start) << utf8(message.prompt);
            EXPECT_GT(message.prompt.size(), start.size());
            form().openIntoReference = false;
        }
    }
}

}  // namespace
}  // namespace pennory::testing
