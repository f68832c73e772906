// The close prompt: asked on every close request, Yes saves as RTF before the window goes,
// and the window stays whenever that save does not happen.

#include "document/file_helpers.h"
#include "platform/files/document_files.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using platform::FileFilter;

class ClosePrompt : public FormTest {
protected:
    TempDir dir;

    // A close request as the window gets it (close box, keyboard, session end); true when
    // the window may close.
    bool requestClose() { return !platform().factory.windowEvents().closeRequested(); }
};

TEST_F(ClosePrompt, AsksEvenAboutAnEmptyManuscript) {
    ASSERT_EQ(editor().text(), u"");
    messages().nextAnswer(platform::vbCancel);

    EXPECT_FALSE(requestClose());

    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].prompt, u"要保存文稿吗？");
    EXPECT_EQ(messages().shown()[0].title, u"退出前确认");
    EXPECT_EQ(messages().shown()[0].style, platform::vbYesNoCancel);
}

TEST_F(ClosePrompt, YesSavesAsRtfUnderTheExactNameAndCloses) {
    form().CommonDialog1().FileName = u"/last/chosen.txt";
    form().CommonDialog1().Flags = 0;
    text::StyledText manuscript(u"结尾");
    manuscript.append(u"加粗", text::CharFormat{u"宋体", 9.0f, true});
    editor().setContent(manuscript);
    const auto path = dir / "稿子";  // no extension
    messages().nextAnswer(platform::vbYes);
    dialogs().nextFileName(dialogPath(path));

    EXPECT_TRUE(requestClose());

    const auto& shown = dialogs().shown().back();
    EXPECT_EQ(shown.kind, headless::ScriptedDialogs::Shown::Save);
    EXPECT_EQ(shown.request.title, u"另存为");
    EXPECT_EQ(shown.request.filters, (std::vector<FileFilter>{{u"rtf文件(*.rtf)", u"*.rtf"}}));
    EXPECT_EQ(shown.request.filterIndex, 1);
    EXPECT_EQ(shown.request.flags, 4);
    EXPECT_EQ(shown.request.fileName, u"/last/chosen.txt");
    EXPECT_EQ(form().CommonDialog1().Filter, u"rtf文件(*.rtf)|*.rtf");
    EXPECT_FALSE(std::filesystem::exists(dir / "稿子.rtf"));
    const auto loaded = files::loadDocument(path, editor().defaultFormat());
    ASSERT_TRUE(loaded.result.ok) << utf8(loaded.result.message);
    EXPECT_EQ(loaded.content, manuscript);
    // The window is going away: no flag, no title.
    EXPECT_FALSE(form().saveTargetChosen);
    EXPECT_EQ(form().window().caption(), u"Pennory");
}

TEST_F(ClosePrompt, YesThenCancelWritesNothingAndKeepsTheWindow) {
    const auto prefilled = dir / "prefilled.rtf";
    form().CommonDialog1().FileName = dialogPath(prefilled);
    editor().setText(u"稿子");
    messages().nextAnswer(platform::vbYes);

    EXPECT_FALSE(requestClose());

    EXPECT_FALSE(std::filesystem::exists(prefilled));
    EXPECT_EQ(editor().text(), u"稿子");
    EXPECT_FALSE(platform().program.ended());
}

TEST_F(ClosePrompt, YesThenAFailedWriteIsReportedAndKeepsTheWindow) {
    const auto unwritable = makeUnwritableTarget(dir);
    SCOPED_TRACE(unwritable.how);
    editor().setText(u"稿子");
    messages().nextAnswer(platform::vbYes);
    dialogs().nextFileName(dialogPath(unwritable.target));

    EXPECT_FALSE(requestClose());

    EXPECT_EQ(readBytes(unwritable.survivor), unwritable.survivorBytes);
    ASSERT_EQ(messages().shown().size(), 2u);
    EXPECT_EQ(
        messages().shown()[1].prompt.rfind(u"无法保存文件“" + dialogPath(unwritable.target), 0),
        0u);
    EXPECT_EQ(editor().text(), u"稿子");

    // The writer picks another name on the next try.
    const auto path = dir / "另一个.rtf";
    messages().nextAnswer(platform::vbYes);
    dialogs().nextFileName(dialogPath(path));
    EXPECT_TRUE(requestClose());
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
}

TEST_F(ClosePrompt, NoClosesWithoutSaving) {
    editor().setText(u"稿子");
    messages().nextAnswer(platform::vbNo);

    EXPECT_TRUE(requestClose());

    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(ClosePrompt, CancelOrDismissingKeepsEverythingAndTheNextCloseAsksAgain) {
    editor().setText(u"稿子");
    form().mayEncrypt = true;
    form().openIntoReference = true;
    messages().nextAnswer(platform::vbCancel);

    EXPECT_FALSE(requestClose());
    EXPECT_FALSE(requestClose());  // unscripted: the box was closed without an answer

    EXPECT_EQ(messages().shown().size(), 2u);
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_EQ(editor().text(), u"稿子");
    EXPECT_TRUE(form().mayEncrypt);
    EXPECT_TRUE(form().openIntoReference);
}

}  // namespace
}  // namespace pennory::testing
