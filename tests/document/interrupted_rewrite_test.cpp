// A save that rewrites a file in place and is cut short by a kill: the next start offers the
// old bytes, kept in the state folder. The kill is the write-fault seam's KilledInPlace, which
// stops the rewrite half-way and leaves everything as a dead program would.

#include "document/interrupted_rewrite.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "document/file_helpers.h"
#include "platform/files/write_faults.h"

namespace pennory::testing {
namespace {

// One run of the program on its own headless platform, shown; answers are queued first.
struct StartedProgram {
    explicit StartedProgram(const std::filesystem::path& state,
                            std::initializer_list<int> answers = {}) {
        for (int answer : answers) platform.messages.nextAnswer(answer);
        platform.recoveryFolder = state;
        form = std::make_unique<app::Form1>(platform.factory, platform.services());
        form->Form_Load();
        form->Form_Resize();
        form->offerRecovery();
    }
    headless::HeadlessRichTextBox& editor() {
        return static_cast<headless::HeadlessRichTextBox&>(form->RichTextBox1());
    }
    // File › 保存 to path, which the dialog gives, answering Yes to replacing it.
    void save(const std::filesystem::path& path) {
        platform.dialogs.nextFileName(dialogPath(path));
        platform.messages.nextAnswer(platform::vbYes);
        platform.factory.menuItem(platform.factory.menuItem(nullptr, u"文件"), u"保存")->click();
    }

    headless::HeadlessPlatform platform;
    std::unique_ptr<app::Form1> form;
};

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class InterruptedRewriteTest : public ::testing::Test {
protected:
    // Saves new words over doc in place and dies half-way; doc holds old bytes before.
    void killDuringSave() {
        writeBytes(doc, kOld);
        StartedProgram run(state);
        run.editor().type(u"新的文字");
        files::ScopedWriteFault kill(files::WriteStep::KilledInPlace, EIO, 10);
        run.save(doc);
    }

    static constexpr const char* kOld = "{\\rtf1 the old manuscript}";
    TempDir dir;
    std::filesystem::path doc = dir / "书稿.rtf";
    std::filesystem::path state = dir / "state" / "pennory";
};

TEST_F(InterruptedRewriteTest, TheNextStartAsksAndYesPutsTheOldFileBack) {
    killDuringSave();
    ASSERT_NE(readBytes(doc), kOld) << "the kill came after the rewrite began";
    ASSERT_EQ(namesIn(dir.path()), (std::vector<std::string>{"state", "书稿.rtf"}));

    StartedProgram next(state, {platform::vbYes});
    const auto& shown = next.platform.messages.shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt,
              u"上次保存“" + doc.u16string() + u"”时程序意外退出。要恢复原来的文件吗？");
    EXPECT_EQ(shown[0].style, platform::vbYesNo | platform::vbDefaultButton2);
    EXPECT_EQ(readBytes(doc), kOld);
    EXPECT_TRUE(namesIn(state).empty());

    StartedProgram third(state);
    EXPECT_TRUE(third.platform.messages.shown().empty()) << "asked twice";
}

TEST_F(InterruptedRewriteTest, NoKeepsTheOldBytesUnderADatedName) {
    killDuringSave();
    const std::string halfWritten = readBytes(doc);
    StartedProgram next(state, {platform::vbNo});
    EXPECT_EQ(next.platform.messages.shown().size(), 1u);
    EXPECT_EQ(readBytes(doc), halfWritten);
    const auto names = namesIn(state);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].substr(0, 9), "original-");
    EXPECT_TRUE(names[0].ends_with(".old"));
    EXPECT_EQ(readBytes(state / names[0]), kOld);
    EXPECT_EQ(readBytes(state / names[1]), doc.string() + "\n");

    StartedProgram third(state);
    EXPECT_TRUE(third.platform.messages.shown().empty()) << "a copy set aside was offered again";
}

TEST_F(InterruptedRewriteTest, AnOrdinaryFailureRestoresAtOnceAndLeavesNoCopy) {
    writeBytes(doc, kOld);
    {
        StartedProgram run(state);
        run.editor().type(u"新的文字");
        files::ScopedWriteFault fault(files::WriteStep::InPlace, ENOSPC, 4);
        run.save(doc);
        ASSERT_EQ(run.platform.messages.shown().size(), 2u);  // replace it? and why it failed
        EXPECT_EQ(run.platform.messages.shown()[1].prompt,
                  u"无法保存文件“" + doc.u16string() + u"”：磁盘空间不足。");
    }
    EXPECT_EQ(readBytes(doc), kOld);
    StartedProgram next(state);
    EXPECT_TRUE(next.platform.messages.shown().empty());
}

TEST_F(InterruptedRewriteTest, WithoutAStateFolderTheRewriteIsRefusedAndSaid) {
    writeBytes(doc, kOld);
    writeBytes(dir / "state", "a file where the state folder should be");
    StartedProgram run(state);
    run.editor().type(u"新的文字");
    {
        files::ScopedWriteFault fault(files::WriteStep::InPlace, ENOSPC, SIZE_MAX);
        run.save(doc);
    }
    EXPECT_EQ(readBytes(doc), kOld);
    const auto& shown = run.platform.messages.shown();
    ASSERT_EQ(shown.size(), 2u);  // replace it? and why it was not saved
    EXPECT_NE(shown[1].prompt.find(u"无法创建文件夹。"), std::u16string::npos);
    EXPECT_NE(shown[1].prompt.find(u"请另存到别的文件夹。"), std::u16string::npos);
    EXPECT_FALSE(run.form->saveTargetChosen) << "the refused save counted as done";
}

}  // namespace
}  // namespace pennory::testing
