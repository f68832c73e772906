// New and Exit: their Yes/No question, their save step, and what a cancelled or failed save
// step must not do (clear the manuscript, end the program).

#include "document/file_helpers.h"
#include "platform/files/document_files.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using platform::FileFilter;

class LeavingCommands : public FormTest {
protected:
    TempDir dir;

    void clickNew() { clickMenu({u"文件", u"新建"}); }
    void clickExit() { clickMenu({u"文件", u"退出"}); }
    bool ended() { return platform().program.ended(); }
    // A close request as the window gets it; true when the window may close.
    bool requestClose() { return !platform().factory.windowEvents().closeRequested(); }
    std::u16string savedText(const std::filesystem::path& path) {
        const auto loaded = files::loadDocument(path, editor().defaultFormat());
        EXPECT_TRUE(loaded.result.ok) << utf8(loaded.result.message);
        return loaded.content.plainText();
    }
};

struct Question {
    const char* command;
    std::u16string_view prompt;
};
const Question kQuestions[] = {
    {"New", u"等...等，保存您正在写的稿子吗？可别后悔哟~0~"},
    {"Exit", u"等...等，退出前保存您写好的稿子吗？可别后悔哟~0~"},
};

TEST_F(LeavingCommands, EachAsksItsQuestionAndShowsTheSameSaveDialog) {
    for (const auto& question : kQuestions) {
        SCOPED_TRACE(question.command);
        messages().forget();
        form().CommonDialog1().FileName = u"/last/chosen.rtf";
        form().CommonDialog1().Flags = 0;
        messages().nextAnswer(platform::vbYes);  // then the dialog is cancelled

        question.command == std::string_view("New") ? clickNew() : clickExit();

        ASSERT_EQ(messages().shown().size(), 1u);
        EXPECT_EQ(messages().shown()[0].prompt, question.prompt);
        EXPECT_EQ(messages().shown()[0].title, u"请确认");
        EXPECT_EQ(messages().shown()[0].style, platform::vbYesNo);
        const auto& shown = dialogs().shown().back();
        EXPECT_EQ(shown.kind, headless::ScriptedDialogs::Shown::Save);
        EXPECT_EQ(shown.request.title, u"保存");
        EXPECT_EQ(shown.request.filters, (std::vector<FileFilter>{{u"rtf文件(*.rtf)", u"*.rtf"}}));
        EXPECT_EQ(shown.request.filterIndex, 1);
        EXPECT_EQ(shown.request.flags, 4);
        EXPECT_EQ(shown.request.fileName, u"/last/chosen.rtf");
        EXPECT_EQ(form().CommonDialog1().Filter, u"rtf文件(*.rtf)|*.rtf|");
    }
}

TEST_F(LeavingCommands, NewAnsweredNoClearsWithoutSaving) {
    editor().setText(u"稿子");
    reference().setText(u"参考");
    form().mayEncrypt = true;
    form().openIntoReference = true;
    messages().nextAnswer(platform::vbNo);

    clickNew();

    EXPECT_EQ(editor().text(), u"");
    EXPECT_EQ(reference().text(), u"参考");
    EXPECT_EQ(form().window().caption(), u"Pennory --新建空白文档");
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_TRUE(form().mayEncrypt);
    EXPECT_FALSE(form().mayDecrypt);
    EXPECT_TRUE(form().openIntoReference);
}

TEST_F(LeavingCommands, NewAnsweredYesSavesTheOldManuscriptThenClears) {
    const auto path = dir / "旧稿.rtf";
    editor().setText(u"旧稿");
    messages().nextAnswer(platform::vbYes);
    dialogs().nextFileName(dialogPath(path));

    clickNew();

    EXPECT_EQ(savedText(path), u"旧稿");
    EXPECT_EQ(editor().text(), u"");
    EXPECT_EQ(form().window().caption(), u"Pennory --新建空白文档");
}

TEST_F(LeavingCommands, NewStopsWhenItsSaveIsCancelledOrFails) {
    const auto unwritable = makeUnwritableTarget(dir);
    const struct {
        const char* what;
        std::optional<std::u16string> answer;
        std::size_t messagesShown;
    } rows[] = {
        {"cancelled", std::nullopt, 1},
        {unwritable.how.c_str(), dialogPath(unwritable.target), 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        messages().forget();
        const text::StyledText manuscript(u"还没保存的稿子");
        editor().setContent(manuscript);
        const auto title = form().window().caption();
        messages().nextAnswer(platform::vbYes);
        dialogs().nextFileName(row.answer);

        clickNew();

        EXPECT_EQ(editor().content(), manuscript);
        EXPECT_EQ(form().window().caption(), title);
        EXPECT_EQ(messages().shown().size(), row.messagesShown);
        EXPECT_EQ(readBytes(unwritable.survivor), unwritable.survivorBytes);
    }
}

TEST_F(LeavingCommands, ExitAnsweredNoEndsWithoutSavingAndWithoutTheClosePrompt) {
    editor().setText(u"稿子");
    messages().nextAnswer(platform::vbNo);

    clickExit();

    EXPECT_TRUE(ended());
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    // The window goes away without asking again.
    EXPECT_TRUE(requestClose());
    EXPECT_EQ(messages().shown().size(), 1u);
}

TEST_F(LeavingCommands, ExitAnsweredYesSavesThenEnds) {
    const auto path = dir / "稿子.rtf";
    editor().setText(u"写完了");
    messages().nextAnswer(platform::vbYes);
    dialogs().nextFileName(dialogPath(path));

    clickExit();

    EXPECT_EQ(savedText(path), u"写完了");
    EXPECT_TRUE(ended());
}

TEST_F(LeavingCommands, ExitKeepsRunningWhenItsSaveIsCancelledOrFails) {
    const auto unwritable = makeUnwritableTarget(dir);
    const struct {
        const char* what;
        std::optional<std::u16string> answer;
        std::size_t messagesShown;
    } rows[] = {
        {"cancelled", std::nullopt, 1},
        {unwritable.how.c_str(), dialogPath(unwritable.target), 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        messages().forget();
        editor().setText(u"还没保存的稿子");
        messages().nextAnswer(platform::vbYes);
        dialogs().nextFileName(row.answer);

        clickExit();

        EXPECT_FALSE(ended());
        EXPECT_EQ(editor().text(), u"还没保存的稿子");
        EXPECT_EQ(messages().shown().size(), row.messagesShown);
        EXPECT_EQ(readBytes(unwritable.survivor), unwritable.survivorBytes);
    }
}

}  // namespace
}  // namespace pennory::testing
