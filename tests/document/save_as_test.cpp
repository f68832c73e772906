// Save As RTF, text, DOCX and ODT: the dialog keeps the last chosen name, text drops the
// formatting, an office document keeps it, and nothing else of the window changes.

#include "document/file_helpers.h"
#include "platform/files/document_files.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using platform::FileFilter;

class SaveAsCommand : public FormTest {
protected:
    TempDir dir;

    // "电子" bold and red, then "制作" CR LF "下一行" plain.
    text::StyledText formattedManuscript() {
        text::StyledText manuscript;
        manuscript.append(u"电子", text::CharFormat{u"宋体", 12.0f, true, false, false, false,
                                                    text::rgb(255, 0, 0)});
        manuscript.append(u"制作\r\n下一行", editor().defaultFormat());
        return manuscript;
    }
};

TEST_F(SaveAsCommand, DialogSettingsKeepTheLastChosenName) {
    const struct {
        const char* item;
        std::u16string_view caption;
        std::u16string_view filter;
        FileFilter entry;
    } rows[] = {
        {"rtf", u"rtf文档", u"rtf文件(*.rtf)|*.rtf", {u"rtf文件(*.rtf)", u"*.rtf"}},
        {"txt", u"txt文档", u"txt文件(*.txt)|*.txt", {u"txt文件(*.txt)", u"*.txt"}},
        {"docx", u"docx文档", u"docx文件(*.docx)|*.docx", {u"docx文件(*.docx)", u"*.docx"}},
        {"odt", u"odt文档", u"odt文件(*.odt)|*.odt", {u"odt文件(*.odt)", u"*.odt"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.item);
        auto& dialog = form().CommonDialog1();
        dialog.FileName = u"/earlier/picture.jpg";  // e.g. from the picture dialog
        dialog.FilterIndex = 3;
        dialog.Flags = 0;

        clickMenu({u"文件", u"另存为", row.caption});  // cancelled

        const auto& shown = dialogs().shown().back();
        EXPECT_EQ(shown.kind, headless::ScriptedDialogs::Shown::Save);
        EXPECT_EQ(shown.request.title, u"另存为");
        EXPECT_EQ(shown.request.filters, std::vector<FileFilter>{row.entry});
        EXPECT_EQ(shown.request.filterIndex, 1);
        EXPECT_EQ(shown.request.flags, 4);
        EXPECT_EQ(shown.request.fileName, u"/earlier/picture.jpg");
        EXPECT_EQ(dialog.Filter, row.filter);
        EXPECT_EQ(dialog.FileName, u"/earlier/picture.jpg");
        EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    }
}

TEST_F(SaveAsCommand, TextDropsTheFormattingButTheEditorKeepsIt) {
    const auto manuscript = formattedManuscript();
    editor().setContent(manuscript);
    const auto path = dir / "稿子.txt";
    dialogs().nextFileName(dialogPath(path));

    clickMenu({u"文件", u"另存为", u"txt文档"});

    EXPECT_EQ(readBytes(path), "\xB5\xE7\xD7\xD3\xD6\xC6\xD7\xF7\r\n\xCF\xC2\xD2\xBB\xD0\xD0");
    EXPECT_EQ(editor().content(), manuscript);
    EXPECT_EQ(form().window().caption(), u"Pennory");
    EXPECT_FALSE(form().saveTargetChosen);
}

TEST_F(SaveAsCommand, RtfKeepsTheFormattingAndChangesNoFlag) {
    const auto manuscript = formattedManuscript();
    editor().setContent(manuscript);
    const auto path = dir / "稿子.rtf";
    dialogs().nextFileName(dialogPath(path));

    clickMenu({u"文件", u"另存为", u"rtf文档"});

    const auto loaded = files::loadDocument(path, editor().defaultFormat());
    ASSERT_TRUE(loaded.result.ok) << utf8(loaded.result.message);
    EXPECT_EQ(loaded.content, manuscript);
    EXPECT_FALSE(form().saveTargetChosen);
    EXPECT_EQ(form().window().caption(), u"Pennory");
    // Save As remembers nothing for Save: Save still asks.
    const auto before = dialogs().shown().size();
    clickMenu({u"文件", u"保存"});
    EXPECT_EQ(dialogs().shown().size(), before + 1);
}

TEST_F(SaveAsCommand, RightAfterOpenTheOpenedPathIsPrefilledButSaveStartsEmpty) {
    const auto opened = dir / "opened.txt";
    writeBytes(opened, "abc");
    dialogs().nextFileName(dialogPath(opened));
    clickMenu({u"文件", u"打开"});

    clickMenu({u"文件", u"另存为", u"txt文档"});
    EXPECT_EQ(dialogs().shown().back().request.fileName, dialogPath(opened));

    clickToolbar(u"save");
    EXPECT_EQ(dialogs().shown().back().request.fileName, u"");
}

TEST_F(SaveAsCommand, FailedWriteIsReportedAndLeavesTheOldFileWhole) {
    const auto unwritable = makeUnwritableTarget(dir);
    SCOPED_TRACE(unwritable.how);
    for (std::u16string_view item : {u"rtf文档", u"txt文档", u"docx文档", u"odt文档"}) {
        SCOPED_TRACE(utf8(item));
        messages().forget();
        editor().setText(u"新写的稿子");
        dialogs().nextFileName(dialogPath(unwritable.target));

        clickMenu({u"文件", u"另存为", item});

        EXPECT_EQ(readBytes(unwritable.survivor), unwritable.survivorBytes);
        EXPECT_EQ(editor().text(), u"新写的稿子");
        ASSERT_EQ(messages().shown().size(), 1u);
        EXPECT_EQ(messages().shown().front().prompt.rfind(u"无法保存文件“", 0), 0u);
    }
}

TEST_F(SaveAsCommand, OfficeDocumentsKeepTheFormattingAndChangeNoFlag) {
    const auto manuscript = formattedManuscript();
    for (const char* name : {"稿子.docx", "稿子.odt"}) {
        SCOPED_TRACE(name);
        editor().setContent(manuscript);
        const auto path = dir / name;
        dialogs().nextFileName(dialogPath(path));

        clickMenu({u"文件", u"另存为", path.extension() == ".docx" ? u"docx文档" : u"odt文档"});

        const auto loaded = files::loadDocument(path, editor().defaultFormat());
        ASSERT_TRUE(loaded.result.ok) << utf8(loaded.result.message);
        EXPECT_EQ(loaded.content, manuscript);
        EXPECT_TRUE(messages().shown().empty());
        EXPECT_FALSE(form().saveTargetChosen);
        EXPECT_EQ(form().window().caption(), u"Pennory");
    }
}

TEST_F(SaveAsCommand, OfficeDocumentsRefuseWhatXmlCannotHoldAndWriteNothing) {
    const struct {
        const char* name;
        std::u16string_view text;
        std::u16string_view reason;
    } rows[] = {
        // Encrypted text as the cipher leaves it: control characters among the rest.
        {"cipher's control characters", u"\u7535\x1F\u5B50\x0C\t\x01",
         u"加密后的文稿含有 docx/odt 无法保存的字符，请先解密，或另存为 rtf文档。"},
        {"a noncharacter", u"\u7535\uFFFE\u5B50",
         u"文稿含有 docx/odt 无法保存的字符，请另存为 rtf文档。"},
    };
    for (const auto& row : rows) {
        for (std::u16string_view item : {u"docx文档", u"odt文档"}) {
            SCOPED_TRACE(row.name);
            SCOPED_TRACE(utf8(item));
            messages().forget();
            const text::StyledText manuscript(std::u16string(row.text), editor().defaultFormat());
            editor().setContent(manuscript);
            const auto path = dir / "稿子";
            dialogs().nextFileName(dialogPath(path));

            clickMenu({u"文件", u"另存为", item});

            EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
            EXPECT_EQ(editor().content(), manuscript);
            ASSERT_EQ(messages().shown().size(), 1u);
            EXPECT_EQ(messages().shown().front().prompt,
                      u"无法保存文件“" + dialogPath(path) + u"”：" + std::u16string(row.reason));
        }
    }
}

TEST_F(SaveAsCommand, ParentItemAndUnknownIndicesDoNothing) {
    clickMenu({u"文件", u"另存为"});
    form().saveas_Click(4);
    form().saveas_Click(-1);
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_TRUE(messages().shown().empty());
}

}  // namespace
}  // namespace pennory::testing
