// Save from the menu and the toolbar: its dialog, the file it remembers, and writing again to
// that file without a dialog.

#include <functional>

#include "document/file_helpers.h"
#include "platform/files/document_files.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using platform::FileFilter;
using Shown = headless::ScriptedDialogs::Shown;

class SaveCommand : public FormTest {
protected:
    TempDir dir;

    void saveFromMenu() { clickMenu({u"文件", u"保存"}); }
    std::size_t dialogCount() { return dialogs().shown().size(); }
    void expectNextSaveAsksAfter(const std::function<void()>& forget);
    text::StyledText savedContent(const std::filesystem::path& path) {
        const auto loaded = files::loadDocument(path, editor().defaultFormat());
        EXPECT_TRUE(loaded.result.ok) << utf8(loaded.result.message);
        return loaded.content;
    }
};

TEST_F(SaveCommand, DialogSettingsFromMenuAndToolbar) {
    const std::vector<FileFilter> rtfOnly = {{u"rtf文件(*.rtf)", u"*.rtf"}};
    const struct {
        const char* origin;
        bool toolbar;
        std::u16string_view filter;
    } rows[] = {
        {"menu", false, u"rtf文件(*.rtf)|*.rtf|"},
        {"toolbar", true, u"rtf文件(*.rtf)|*.rtf"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.origin);
        auto& dialog = form().CommonDialog1();
        dialog.FileName = u"/earlier/picture.jpg";
        dialog.FilterIndex = 2;
        dialog.Flags = 0x201;  // whatever the dialog's previous use left

        row.toolbar ? clickToolbar(u"save") : saveFromMenu();

        const auto& shown = dialogs().shown().back();
        EXPECT_EQ(shown.kind, Shown::Save);
        EXPECT_EQ(shown.request.title, u"保存");
        EXPECT_EQ(shown.request.filters, rtfOnly);
        EXPECT_EQ(shown.request.filterIndex, 1);
        EXPECT_EQ(shown.request.flags, 0x201);
        EXPECT_EQ(shown.request.fileName, u"");
        EXPECT_EQ(dialog.Filter, row.filter);
        EXPECT_EQ(dialog.Flags, 0x201);
        EXPECT_FALSE(form().saveTargetChosen);
    }
}

TEST_F(SaveCommand, ConfirmedSaveWritesRtfAndRemembersTheFile) {
    text::StyledText manuscript(u"第一章\r\n");
    manuscript.append(
        u"电阻", text::CharFormat{u"宋体", 9.0f, true, false, false, false, text::rgb(255, 0, 0)});
    editor().setContent(manuscript);
    const auto path = dir / "稿子.rtf";
    dialogs().nextFileName(dialogPath(path));

    clickToolbar(u"save");

    EXPECT_EQ(readBytes(path).substr(0, 5), "{\\rtf");
    EXPECT_EQ(savedContent(path), manuscript);
    EXPECT_TRUE(form().saveTargetChosen);
    EXPECT_EQ(form().window().caption(), u"Pennory");
    EXPECT_EQ(editor().content(), manuscript);
}

TEST_F(SaveCommand, CancelledSaveWritesNothing) {
    editor().setText(u"稿子");
    saveFromMenu();
    EXPECT_FALSE(form().saveTargetChosen);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_EQ(form().CommonDialog1().FileName, u"");
}

TEST_F(SaveCommand, SecondSaveWritesTheSameFileAgainWithoutADialog) {
    const auto path = dir / "稿子.rtf";
    editor().setText(u"第一稿");
    dialogs().nextFileName(dialogPath(path));
    saveFromMenu();
    const auto shownAfterFirst = dialogCount();

    editor().setSelStart(editor().text().size());
    editor().type(u"，又写了一句");
    clickToolbar(u"save");

    EXPECT_EQ(dialogCount(), shownAfterFirst);
    EXPECT_EQ(savedContent(path).plainText(), u"第一稿，又写了一句");
    EXPECT_TRUE(form().saveTargetChosen);
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(SaveCommand, SaveWithoutADialogStillEmptiesTheNameForTheNextSaveAs) {
    const auto path = dir / "稿子.rtf";
    dialogs().nextFileName(dialogPath(path));
    saveFromMenu();
    ASSERT_EQ(form().CommonDialog1().FileName, dialogPath(path));

    saveFromMenu();
    EXPECT_EQ(form().CommonDialog1().FileName, u"");

    clickMenu({u"文件", u"另存为", u"rtf文档"});
    EXPECT_EQ(dialogs().shown().back().request.fileName, u"");
}

// Saves to a first file, lets forget() run, and checks that the next Save asks for a new
// name and leaves the first file alone.
void SaveCommand::expectNextSaveAsksAfter(const std::function<void()>& forget) {
    const auto first = dir / "first.rtf";
    const auto second = dir / "second.rtf";
    editor().setText(u"旧稿");
    dialogs().nextFileName(dialogPath(first));
    saveFromMenu();
    const auto firstBytes = readBytes(first);

    forget();
    EXPECT_FALSE(form().saveTargetChosen);
    editor().setText(u"新稿");
    const auto before = dialogCount();
    dialogs().nextFileName(dialogPath(second));
    saveFromMenu();

    EXPECT_EQ(dialogCount(), before + 1);
    EXPECT_EQ(dialogs().shown().back().kind, Shown::Save);
    EXPECT_EQ(readBytes(first), firstBytes);
    EXPECT_EQ(savedContent(second).plainText(), u"新稿");
}

TEST_F(SaveCommand, NewForgetsTheRememberedFile) {
    expectNextSaveAsksAfter([this] {
        messages().nextAnswer(platform::vbNo);
        clickMenu({u"文件", u"新建"});
    });
}

TEST_F(SaveCommand, OpenForgetsTheRememberedFileEvenWhenCancelled) {
    expectNextSaveAsksAfter([this] { clickMenu({u"文件", u"打开"}); });
}

TEST_F(SaveCommand, FailedWriteIsReportedAndLeavesTheOldFileWhole) {
    const auto unwritable = makeUnwritableTarget(dir);
    SCOPED_TRACE(unwritable.how);
    editor().setText(u"新写的稿子");
    dialogs().nextFileName(dialogPath(unwritable.target));

    saveFromMenu();

    EXPECT_EQ(readBytes(unwritable.survivor), unwritable.survivorBytes);
    EXPECT_FALSE(form().saveTargetChosen);  // the next Save asks again
    EXPECT_EQ(editor().text(), u"新写的稿子");
    ASSERT_EQ(messages().shown().size(), 1u);
    const auto& message = messages().shown().front();
    EXPECT_EQ(message.style, platform::vbOKOnly);
    EXPECT_EQ(message.title, u"Pennory");
    const std::u16string start = u"无法保存文件“" + dialogPath(unwritable.target) + u"”：";
    EXPECT_EQ(message.prompt.substr(0, start.size()), start) << utf8(message.prompt);
    EXPECT_GT(message.prompt.size(), start.size());
}

TEST_F(SaveCommand, FailedRewriteIsReportedAndKeepsTheRememberedFile) {
    const auto path = dir / "稿子.rtf";
    editor().setText(u"第一稿");
    dialogs().nextFileName(dialogPath(path));
    saveFromMenu();
    // The file's place is taken by a folder since.
    std::filesystem::remove(path);
    std::filesystem::create_directories(path);

    editor().setText(u"第二稿");
    saveFromMenu();

    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_NE(messages().shown().front().prompt.find(dialogPath(path)), std::u16string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_TRUE(form().saveTargetChosen);
    EXPECT_EQ(editor().text(), u"第二稿");

    // Once the place is free again, Save writes there.
    std::filesystem::remove(path);
    saveFromMenu();
    EXPECT_EQ(savedContent(path).plainText(), u"第二稿");
}

TEST_F(SaveCommand, NameWithoutExtensionIsWrittenExactlyAsGiven) {
    const auto path = dir / "稿子";
    editor().setText(u"稿子");
    dialogs().nextFileName(dialogPath(path));
    saveFromMenu();
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
    EXPECT_FALSE(std::filesystem::exists(dir / "稿子.rtf"));
}

}  // namespace
}  // namespace pennory::testing
