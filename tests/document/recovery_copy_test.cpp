// The recovery copy on the headless platform: time passes only when a test advances it, and
// a program that does not end normally is a child process that leaves with _exit().

#include "document/recovery_copy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "document/file_helpers.h"
#include "platform/files/document_files.h"

namespace pennory::testing {
namespace {

using namespace std::chrono_literals;

// One run of the program: a window on its own headless platform, shown.
struct ProgramRun {
    // answer: to the question whether to recover, should it be asked.
    explicit ProgramRun(const std::filesystem::path& folder, int answer = platform::vbNo) {
        platform.messages.nextAnswer(answer);
        platform.recoveryFolder = folder;
        form = std::make_unique<app::Form1>(platform.factory, platform.services());
        form->Form_Load();
        form->Form_Resize();
        form->offerRecovery();
    }
    // Time passes; a copy begun meanwhile is written by then.
    void pause(std::chrono::milliseconds by) {
        platform.timers.advance(by);
        if (form && form->recoveryCopy()) form->recoveryCopy()->finishWriting();
    }
    headless::HeadlessRichTextBox& editor() {
        return static_cast<headless::HeadlessRichTextBox&>(form->RichTextBox1());
    }
    void menu(std::u16string_view top, std::u16string_view item) {
        platform.factory.menuItem(platform.factory.menuItem(nullptr, top), item)->click();
    }

    headless::HeadlessPlatform platform;
    std::unique_ptr<app::Form1> form;
};

std::vector<std::filesystem::path> rtfFilesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".rtf") found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::u16string textOf(const std::filesystem::path& rtf) {
    return files::loadDocument(rtf, {u"宋体", 9.0f}).content.plainText();
}

// Types in a child process, lets the copy be written, and dies without any cleanup.
void crashAfterTyping(const std::filesystem::path& folder, std::u16string_view typed) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ProgramRun run(folder);
        run.editor().type(typed);
        run.pause(3s);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
}

class RecoveryCopyTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path folder = dir / "state" / "pennory";
};

TEST_F(RecoveryCopyTest, WrittenWhenTheWriterPausesAndOnlyWhileUnsaved) {
    ProgramRun run(folder);
    EXPECT_FALSE(std::filesystem::exists(folder));  // nothing to keep yet
    run.editor().type(u"第一段");
    run.pause(1500ms);
    run.editor().type(u"，继续");
    run.pause(1500ms);
    EXPECT_FALSE(std::filesystem::exists(folder)) << "written while the writer was typing";
    run.pause(600ms);
    auto copies = rtfFilesIn(folder);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(textOf(copies[0]), u"第一段，继续");
    EXPECT_EQ(std::filesystem::status(copies[0]).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);

    // Within thirty seconds of that copy, a pause writes nothing new.
    run.editor().type(u"X");
    run.pause(3s);
    EXPECT_EQ(textOf(copies[0]), u"第一段，继续");
    run.pause(30s);
    EXPECT_EQ(textOf(copies[0]), u"第一段，继续X");
}

TEST_F(RecoveryCopyTest, RemovedBySaveSaveAsNewOpenAndANormalEnd) {
    writeBytes(dir / "旧稿.txt", "old");
    struct Step {
        const char* name;
        std::function<void(ProgramRun&)> act;
    };
    const Step steps[] = {
        {"save",
         [&](ProgramRun& r) {
             r.platform.dialogs.nextFileName(dialogPath(dir / "a.rtf"));
             r.menu(u"文件", u"保存");
         }},
        {"save as text",
         [&](ProgramRun& r) {
             r.platform.dialogs.nextFileName(dialogPath(dir / "b.txt"));
             r.platform.factory
                 .menuItem(r.platform.factory.menuItem(
                               r.platform.factory.menuItem(nullptr, u"文件"), u"另存为"),
                           u"txt文档")
                 ->click();
         }},
        {"new",
         [&](ProgramRun& r) {
             r.platform.messages.nextAnswer(platform::vbNo);
             r.menu(u"文件", u"新建");
         }},
        {"open",
         [&](ProgramRun& r) {
             r.platform.dialogs.nextFileName(dialogPath(dir / "旧稿.txt"));
             r.menu(u"文件", u"打开");
         }},
        {"normal end", [&](ProgramRun& r) { r.form.reset(); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        ProgramRun run(folder);
        run.editor().type(u"未保存的字");
        run.pause(3s);
        ASSERT_EQ(rtfFilesIn(folder).size(), 1u);
        step.act(run);
        EXPECT_TRUE(rtfFilesIn(folder).empty());
        if (run.form) {
            // Nothing unsaved any more: a pause writes no copy either.
            run.pause(60s);
            EXPECT_TRUE(rtfFilesIn(folder).empty());
        }
    }
}

TEST_F(RecoveryCopyTest, ACancelledSaveKeepsTheCopy) {
    ProgramRun run(folder);
    run.editor().type(u"稿子");
    run.pause(3s);
    run.platform.dialogs.nextFileName(std::nullopt);
    run.menu(u"文件", u"保存");
    EXPECT_EQ(rtfFilesIn(folder).size(), 1u);
}

std::u16string question() { return u"上次没有正常退出。要恢复未保存的文稿吗？"; }

TEST_F(RecoveryCopyTest, OfferedAfterACrashAndRecoveredOnYes) {
    crashAfterTyping(folder, u"崩溃前写的CD4011电路\r\n第二段");
    const auto left = rtfFilesIn(folder);
    ASSERT_EQ(left.size(), 1u);

    ProgramRun run(folder, platform::vbYes);
    ASSERT_EQ(run.platform.messages.shown().size(), 1u);
    EXPECT_EQ(run.platform.messages.shown()[0].prompt, question());
    EXPECT_EQ(run.platform.messages.shown()[0].style, platform::vbYesNo);
    EXPECT_EQ(run.form->RichTextBox1().text(), u"崩溃前写的CD4011电路\r\n第二段");
    EXPECT_EQ(run.form->window().caption(), u"Pennory --恢复的文稿");
    EXPECT_EQ(run.form->StatusLine().caption(), u"字数 11  字符 16（不计空格）");
    EXPECT_FALSE(run.form->saveTargetChosen);

    // The recovered text is this run's copy now; the old one is gone.
    const auto now = rtfFilesIn(folder);
    ASSERT_EQ(now.size(), 1u);
    EXPECT_NE(now[0], left[0]);
    EXPECT_EQ(textOf(now[0]), u"崩溃前写的CD4011电路\r\n第二段");

    // The next Save asks for a name.
    run.platform.dialogs.nextFileName(dialogPath(dir / "找回.rtf"));
    run.menu(u"文件", u"保存");
    ASSERT_EQ(run.platform.dialogs.shown().size(), 1u);
    EXPECT_EQ(textOf(dir / "找回.rtf"), u"崩溃前写的CD4011电路\r\n第二段");
    EXPECT_TRUE(rtfFilesIn(folder).empty());
}

TEST_F(RecoveryCopyTest, NoSetsTheCopyAsideUnderADatedName) {
    crashAfterTyping(folder, u"留着");
    ProgramRun run(folder, platform::vbNo);
    ASSERT_EQ(run.platform.messages.shown().size(), 1u);
    EXPECT_EQ(run.form->RichTextBox1().text(), u"");
    const auto kept = rtfFilesIn(folder);
    ASSERT_EQ(kept.size(), 1u);
    const std::string name = kept[0].filename().string();
    // recovery-YYYYMMDD-HHMMSS.rtf
    ASSERT_EQ(name.size(), std::string("recovery-20261207-120000.rtf").size()) << name;
    EXPECT_EQ(name.substr(0, 9), "recovery-");
    EXPECT_EQ(name[17], '-');
    EXPECT_EQ(textOf(kept[0]), u"留着");

    // A dated copy is not offered again.
    run.form.reset();
    ProgramRun next(folder, platform::vbYes);
    EXPECT_TRUE(next.platform.messages.shown().empty());
    EXPECT_EQ(rtfFilesIn(folder).size(), 1u);
}

TEST_F(RecoveryCopyTest, NoQuestionWithoutACopy) {
    ProgramRun run(folder);
    EXPECT_TRUE(run.platform.messages.shown().empty());
}

TEST_F(RecoveryCopyTest, TwoWindowsKeepSeparateCopiesAndNeverTakeEachOthers) {
    ProgramRun first(folder);
    first.editor().type(u"第一个窗口");
    first.pause(3s);

    ProgramRun second(folder, platform::vbYes);
    EXPECT_TRUE(second.platform.messages.shown().empty()) << "offered a running window's copy";
    second.editor().type(u"第二个窗口");
    second.pause(3s);

    const auto copies = rtfFilesIn(folder);
    ASSERT_EQ(copies.size(), 2u);
    std::vector<std::u16string> texts{textOf(copies[0]), textOf(copies[1])};
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"第一个窗口", u"第二个窗口"}));

    // Saving in one removes only its own copy.
    second.platform.dialogs.nextFileName(dialogPath(dir / "二.rtf"));
    second.menu(u"文件", u"保存");
    ASSERT_EQ(rtfFilesIn(folder).size(), 1u);
    EXPECT_EQ(textOf(rtfFilesIn(folder)[0]), u"第一个窗口");
}

TEST_F(RecoveryCopyTest, NeverWritesOutsideItsFolder) {
    ProgramRun run(folder);
    run.platform.dialogs.nextFileName(dialogPath(dir / "稿.rtf"));
    run.menu(u"文件", u"保存");
    run.editor().type(u"改动");
    run.pause(3s);
    EXPECT_EQ(textOf(dir / "稿.rtf"), u"");
    EXPECT_EQ(rtfFilesIn(folder).size(), 1u);
}

}  // namespace
}  // namespace pennory::testing

namespace pennory::testing {
namespace {

std::u16string statusOf(ProgramRun& run) { return run.form->StatusLine().caption(); }

// A pause long enough for a copy, and the tick after it that picks up how the copy went.
void pauseForCopy(ProgramRun& run) {
    run.pause(31s);
    run.pause(1s);
}

TEST_F(RecoveryCopyTest, AFailedCopyShowsInTheStatusLineUntilOneSucceeds) {
    ProgramRun run(folder);
    run.editor().type(u"一二三");
    pauseForCopy(run);
    ASSERT_EQ(rtfFilesIn(folder).size(), 1u);
    EXPECT_EQ(statusOf(run), u"字数 3  字符 3（不计空格）");

    std::filesystem::remove_all(folder);  // the folder goes while the program runs
    run.editor().type(u"四");
    EXPECT_EQ(statusOf(run), u"字数 4  字符 4（不计空格）") << "reported before the copy";
    pauseForCopy(run);
    EXPECT_EQ(statusOf(run), u"恢复副本无法保存：文件夹不存在。");
    run.editor().type(u"五");
    EXPECT_EQ(statusOf(run), u"恢复副本无法保存：文件夹不存在。") << "the count came back early";
    EXPECT_TRUE(run.platform.messages.shown().empty()) << "a failed copy interrupts the writer";

    std::filesystem::create_directories(folder);
    run.editor().type(u"六");
    pauseForCopy(run);
    EXPECT_EQ(statusOf(run), u"字数 6  字符 6（不计空格）");
    EXPECT_EQ(textOf(rtfFilesIn(folder).at(0)), u"一二三四五六");
}

TEST_F(RecoveryCopyTest, AFolderThatCannotBeMadeShowsButSavingGoesOn) {
    writeBytes(dir / "state", "a file where the folder should be");
    ProgramRun run(folder);
    run.editor().type(u"文字");
    pauseForCopy(run);
    EXPECT_EQ(statusOf(run), u"恢复副本无法保存：无法创建文件夹。");

    run.platform.dialogs.nextFileName(dialogPath(dir / "稿.txt"));
    run.platform.factory
        .menuItem(run.platform.factory.menuItem(run.platform.factory.menuItem(nullptr, u"文件"),
                                                u"另存为"),
                  u"txt文档")
        ->click();
    EXPECT_TRUE(run.platform.messages.shown().empty());
    EXPECT_TRUE(std::filesystem::exists(dir / "稿.txt"));

    // Once the manuscript is saved no copy is needed, and the count comes back.
    run.platform.dialogs.nextFileName(dialogPath(dir / "稿.rtf"));
    run.platform.factory.menuItem(run.platform.factory.menuItem(nullptr, u"文件"), u"保存")
        ->click();
    EXPECT_TRUE(std::filesystem::exists(dir / "稿.rtf"));
    EXPECT_EQ(statusOf(run), u"字数 2  字符 2（不计空格）");
}

TEST_F(RecoveryCopyTest, OldDatedCopiesAreRemovedAtStart) {
    std::filesystem::create_directories(folder);
    for (const char* name :
         {"recovery-20000101-120000.rtf", "recovery-20000102-120000.rtf",
          "recovery-20000103-120000.rtf", "recovery-20000104-120000.rtf",
          "recovery-20000105-120000.rtf", "recovery-20000106-120000.rtf", "keep-me.rtf"}) {
        writeBytes(folder / name, "{\\rtf1 x}");
    }
    ProgramRun run(folder);
    EXPECT_TRUE(run.platform.messages.shown().empty());
    EXPECT_EQ(
        rtfFilesIn(folder),
        (std::vector<std::filesystem::path>{
            folder / "keep-me.rtf", folder / "recovery-20000102-120000.rtf",
            folder / "recovery-20000103-120000.rtf", folder / "recovery-20000104-120000.rtf",
            folder / "recovery-20000105-120000.rtf", folder / "recovery-20000106-120000.rtf"}));
}

}  // namespace
}  // namespace pennory::testing
