// 文件 › 输出为PDF and 文件 › 打印: the dialog each shows, where the PDF goes, and what they
// leave alone (title, Save's file, the manuscript's files, the recovery copy).

#include "document/file_helpers.h"
#include "document/recovery_copy.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using platform::FileFilter;
using Request = headless::ScriptedDocumentOutput::Request;

class PdfOutput : public FormTest {
protected:
    TempDir dir;

    headless::ScriptedDocumentOutput& output() { return platform().output; }
    void outputPdfTo(const std::filesystem::path& path) {
        dialogs().nextFileName(dialogPath(path));
        clickMenu({u"文件", u"输出为PDF"});
    }
    std::u16string question(const std::filesystem::path& path) {
        return u"文件“" + dialogPath(path) + u"”已存在。要替换它吗？";
    }
};

TEST_F(PdfOutput, DialogSettingsOfferTheLastNameAsPdf) {
    const struct {
        std::u16string_view before, offered;
    } rows[] = {
        {u"/稿子/第一章.rtf", u"/稿子/第一章.pdf"},
        {u"/稿子/第一章.txt", u"/稿子/第一章.pdf"},
        {u"/稿.件/第一章", u"/稿.件/第一章.pdf"},
        {u"", u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(utf8(row.before));
        auto& dialog = form().CommonDialog1();
        dialog.FileName = row.before;
        dialog.FilterIndex = 3;
        dialog.Flags = 0;

        clickMenu({u"文件", u"输出为PDF"});  // cancelled

        const auto& shown = dialogs().shown().back();
        EXPECT_EQ(shown.kind, headless::ScriptedDialogs::Shown::Save);
        EXPECT_EQ(shown.request.title, u"输出为PDF");
        EXPECT_EQ(shown.request.filters, (std::vector<FileFilter>{{u"pdf文件(*.pdf)", u"*.pdf"}}));
        EXPECT_EQ(shown.request.filterIndex, 1);
        EXPECT_EQ(shown.request.flags, 4);
        EXPECT_EQ(shown.request.fileName, row.offered);
        EXPECT_EQ(dialog.Filter, u"pdf文件(*.pdf)|*.pdf");
        // Cancelled: the next Save As still offers the name it would have offered.
        EXPECT_EQ(dialog.FileName, row.before);
        EXPECT_TRUE(output().requests().empty());
    }
}

TEST_F(PdfOutput, WritesThePdfOfTheManuscriptAndChangesNoState) {
    text::StyledText manuscript;
    manuscript.append(
        u"电子", text::CharFormat{u"黑体", 14.0f, true, true, true, true, text::rgb(0, 0, 255)});
    manuscript.append(u"制作\r\n下一行", editor().defaultFormat());
    editor().setContent(manuscript);
    form().saveTargetChosen = true;
    form().saveTargetPath = u"/稿子/saved.rtf";
    const auto filesBefore = form().manuscriptFiles;
    const auto pdf = dir / "稿子.pdf";
    output().setPdfBytes("%PDF-1.4 the manuscript\n%%EOF\n");

    outputPdfTo(pdf);

    ASSERT_EQ(output().requests().size(), 1u);
    EXPECT_EQ(output().requests()[0].kind, Request::Pdf);
    EXPECT_EQ(output().requests()[0].content, manuscript);
    EXPECT_EQ(readBytes(pdf), "%PDF-1.4 the manuscript\n%%EOF\n");
    EXPECT_TRUE(messages().shown().empty());
    EXPECT_EQ(form().window().caption(), u"Pennory");
    EXPECT_TRUE(form().saveTargetChosen);
    EXPECT_EQ(form().saveTargetPath, u"/稿子/saved.rtf");
    EXPECT_EQ(form().manuscriptFiles, filesBefore);
    EXPECT_EQ(form().CommonDialog1().FileName, dialogPath(pdf));
    EXPECT_EQ(editor().content(), manuscript);
}

TEST_F(PdfOutput, AnExistingFileIsReplacedOnlyOnYes) {
    const auto pdf = dir / "old.pdf";
    const struct {
        const char* name;
        int answer;
        bool replaced;
    } rows[] = {{"No", platform::vbNo, false}, {"Yes", platform::vbYes, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeBytes(pdf, "old pdf");
        messages().forget();
        messages().nextAnswer(row.answer);

        outputPdfTo(pdf);

        ASSERT_EQ(messages().shown().size(), 1u);
        EXPECT_EQ(messages().shown()[0].prompt, question(pdf));
        EXPECT_EQ(messages().shown()[0].style, platform::vbYesNo | platform::vbDefaultButton2);
        EXPECT_EQ(readBytes(pdf) != "old pdf", row.replaced);
    }
}

TEST_F(PdfOutput, TheManuscriptsOwnFileIsNotReplacedWithoutAsking) {
    const auto rtf = dir / "稿子.rtf";
    editor().setText(u"文稿");
    dialogs().nextFileName(dialogPath(rtf));
    clickMenu({u"文件", u"另存为", u"rtf文档"});
    const std::string saved = readBytes(rtf);
    ASSERT_TRUE(messages().shown().empty());

    outputPdfTo(rtf);  // the question unanswered: No

    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].prompt, question(rtf));
    EXPECT_EQ(readBytes(rtf), saved);
    EXPECT_TRUE(output().requests().empty());
}

TEST_F(PdfOutput, FailuresAreToldAndWriteNothing) {
    const auto pdf = dir / "稿子.pdf";
    output().setPdfBytes(std::nullopt);
    outputPdfTo(pdf);
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].prompt,
              u"无法输出PDF文件“" + dialogPath(pdf) + u"”：无法排出PDF的页面。");
    EXPECT_FALSE(std::filesystem::exists(pdf));

    output().setPdfBytes("%PDF-1.4\n");
    const UnwritableTarget target = makeUnwritableTarget(dir);
    SCOPED_TRACE(target.how);
    messages().forget();
    messages().nextAnswer(platform::vbYes);  // should a folder of that name be asked about
    outputPdfTo(target.target);
    ASSERT_FALSE(messages().shown().empty());
    EXPECT_EQ(messages().shown().back().prompt.rfind(
                  u"无法输出PDF文件“" + dialogPath(target.target) + u"”：", 0),
              0u)
        << utf8(messages().shown().back().prompt);
    EXPECT_EQ(readBytes(target.survivor), target.survivorBytes);
}

TEST_F(PdfOutput, PrintHandsTheManuscriptToThePrintDialog) {
    const struct {
        const char* name;
        std::optional<platform::PrintOutcome> outcome;  // nullopt: the dialog closed
        std::vector<std::u16string> told;
    } rows[] = {
        {"cancelled", std::nullopt, {}},
        {"printed", platform::PrintOutcome::Printed, {}},
        {"failed", platform::PrintOutcome::Failed, {u"无法打印：打印机没有接受这份稿子。"}},
    };
    editor().setText(u"要打印的稿子");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        messages().forget();
        const std::size_t before = output().requests().size();
        if (row.outcome) output().nextPrintOutcome(*row.outcome);

        clickMenu({u"文件", u"打印"});

        ASSERT_EQ(output().requests().size(), before + 1);
        const Request& request = output().requests().back();
        EXPECT_EQ(request.kind, Request::Print);
        EXPECT_EQ(request.content.plainText(), u"要打印的稿子");
        EXPECT_EQ(request.title, u"Pennory");
        std::vector<std::u16string> told;
        for (const auto& shown : messages().shown()) told.push_back(shown.prompt);
        EXPECT_EQ(told, row.told);
        EXPECT_TRUE(dialogs().shown().empty());
        EXPECT_FALSE(form().saveTargetChosen);
    }
}

TEST_F(PdfOutput, TheNewItemsStandBetweenSaveAsAndExitBehindLines) {
    EXPECT_EQ(platform().factory.menuLines(&form().file()),
              (std::vector<std::u16string>{u"新建", u"打开", u"保存", u"另存为", u"-", u"输出为PDF",
                                           u"打印", u"-", u"退出"}));
    const struct {
        int index;
        std::u16string_view caption, shortcut;
    } rows[] = {{0, u"新建", u""},      {1, u"打开", u""}, {2, u"保存", u""},
                {3, u"另存为", u""},    {4, u"退出", u""}, {5, u"输出为PDF", u""},
                {6, u"打印", u"Ctrl+P"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        auto& item = static_cast<headless::HeadlessMenuItem&>(form().mnufileitem(row.index));
        EXPECT_EQ(item.caption(), row.caption);
        EXPECT_EQ(item.accessibleName(), row.caption);
        EXPECT_EQ(item.shortcut(), row.shortcut);
    }
}

TEST_F(PdfOutput, WithoutTheServiceTheWriterIsTold) {
    headless::HeadlessPlatform bare;
    platform::Services services = bare.services();
    services.output = nullptr;
    app::Form1 window(bare.factory, services);
    window.Form_Load();
    bare.dialogs.nextFileName(dialogPath(dir / "x.pdf"));
    window.mnufileitem_Click(5);
    window.mnufileitem_Click(6);
    ASSERT_EQ(bare.messages.shown().size(), 2u);
    EXPECT_EQ(bare.messages.shown()[0].prompt, u"本程序在这里不能输出PDF或打印。");
    EXPECT_TRUE(bare.dialogs.shown().empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "x.pdf"));
}

// Putting the manuscript out is no save: the recovery copy is still wanted afterwards.
TEST(PdfOutputRecovery, TheUnsavedWorkStaysUnsaved) {
    TempDir dir;
    headless::HeadlessPlatform platform;
    platform.recoveryFolder = dir / "state";
    app::Form1 form(platform.factory, platform.services());
    form.Form_Load();
    form.Form_Resize();
    auto& editor = static_cast<headless::HeadlessRichTextBox&>(form.RichTextBox1());
    editor.type(u"未保存的字");
    ASSERT_NE(form.recoveryCopy(), nullptr);
    ASSERT_TRUE(form.recoveryCopy()->unsaved());

    platform.dialogs.nextFileName(dialogPath(dir / "out.pdf"));
    form.mnufileitem_Click(5);
    form.mnufileitem_Click(6);

    EXPECT_TRUE(std::filesystem::exists(dir / "out.pdf"));
    EXPECT_TRUE(form.recoveryCopy()->unsaved());
}

}  // namespace
}  // namespace pennory::testing
