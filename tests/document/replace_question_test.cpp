// A save dialog that names an existing file other than the manuscript's own asks before
// replacing it, No being the default; the manuscript's own files are saved without a word.

#include "document/file_helpers.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using Shown = headless::ScriptedDialogs::Shown;

class ReplaceQuestion : public FormTest {
protected:
    TempDir dir;

    std::u16string question(const std::filesystem::path& path) {
        return u"文件“" + dialogPath(path) + u"”已存在。要替换它吗？";
    }
    void saveAsRtfTo(const std::filesystem::path& path) {
        dialogs().nextFileName(dialogPath(path));
        clickMenu({u"文件", u"另存为", u"rtf文档"});
    }
};

TEST_F(ReplaceQuestion, AnotherFileIsReplacedOnlyOnYes) {
    const auto photo = dir / "photo.jpg";
    const std::string photoBytes = "\xFF\xD8\xFF\xE0 a photo";
    editor().setText(u"文稿");
    const struct {
        const char* name;
        std::optional<int> answer;  // nullopt: the box closed without an answer
        bool replaced;
    } rows[] = {{"No", platform::vbNo, false},
                {"closed", std::nullopt, false},
                {"Yes", platform::vbYes, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeBytes(photo, photoBytes);
        messages().forget();
        if (row.answer) messages().nextAnswer(*row.answer);
        saveAsRtfTo(photo);
        ASSERT_EQ(messages().shown().size(), 1u);
        EXPECT_EQ(messages().shown()[0].prompt, question(photo));
        EXPECT_EQ(messages().shown()[0].style, platform::vbYesNo | platform::vbDefaultButton2);
        EXPECT_EQ(messages().shown()[0].title, u"Pennory");
        EXPECT_EQ(readBytes(photo) == photoBytes, !row.replaced);
        EXPECT_EQ(readBytes(photo).starts_with("{\\rtf1"), row.replaced);
    }
}

// The close prompt after 打开图片: the dialog still holds the picture's path, and Enter, Enter
// (confirm the dialog, take the default answer) leaves the picture whole.
TEST_F(ReplaceQuestion, EnterEnterKeepsAPictureLeftInTheDialog) {
    const auto photo = dir / "photo.jpg";
    writeBytes(photo, "\xFF\xD8\xFF\xE0 a photo");
    editor().setText(u"文稿");
    form().CommonDialog1().FileName = dialogPath(photo);
    dialogs().nextFileName(dialogPath(photo));
    messages().nextAnswer(platform::vbYes);  // 保存？ Yes
    clickMenu({u"文件", u"新建"});
    EXPECT_EQ(readBytes(photo), "\xFF\xD8\xFF\xE0 a photo");
    ASSERT_EQ(messages().shown().size(), 2u);
    EXPECT_EQ(messages().shown()[1].prompt, question(photo));
    EXPECT_EQ(editor().text(), u"文稿");  // not saved, so not cleared
}

TEST_F(ReplaceQuestion, TheManuscriptsOwnFilesAreSavedWithoutAsking) {
    const auto opened = dir / "opened.rtf";
    writeBytes(opened, "{\\rtf1\\ansi old\\par }");
    dialogs().nextFileName(dialogPath(opened));
    clickMenu({u"文件", u"打开"});
    ASSERT_EQ(editor().text(), u"old");
    editor().setText(u"new");

    saveAsRtfTo(opened);  // the file it came from
    const auto copy = dir / "copy.rtf";
    saveAsRtfTo(copy);  // a new file: nothing to ask
    saveAsRtfTo(copy);  // saved there already
    // The same file by another name.
    std::filesystem::create_symlink(opened, dir / "link.rtf");
    saveAsRtfTo(dir / "link.rtf");
    EXPECT_TRUE(messages().shown().empty());
    EXPECT_NE(readBytes(opened).find("new"), std::string::npos);
    EXPECT_NE(readBytes(copy).find("new"), std::string::npos);
}

TEST_F(ReplaceQuestion, ANewOrAnotherManuscriptAsksForTheOldFiles) {
    const auto first = dir / "first.rtf";
    writeBytes(first, "{\\rtf1\\ansi first\\par }");
    const auto second = dir / "second.rtf";
    writeBytes(second, "{\\rtf1\\ansi second\\par }");
    dialogs().nextFileName(dialogPath(first));
    clickMenu({u"文件", u"打开"});
    dialogs().nextFileName(dialogPath(second));
    clickMenu({u"文件", u"打开"});

    saveAsRtfTo(first);  // closed without an answer: not replaced
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].prompt, question(first));
    EXPECT_NE(readBytes(first).find("first"), std::string::npos);

    messages().forget();
    messages().nextAnswer(platform::vbNo);  // 保存？ No
    clickMenu({u"文件", u"新建"});
    saveAsRtfTo(second);
    ASSERT_EQ(messages().shown().size(), 2u);
    EXPECT_EQ(messages().shown()[1].prompt, question(second));
    EXPECT_NE(readBytes(second).find("second"), std::string::npos);
}

// Save with a chosen target writes without a dialog, so without a question.
TEST_F(ReplaceQuestion, ResavingTheChosenTargetStaysQuick) {
    const auto target = dir / "book.rtf";
    editor().setText(u"一");
    dialogs().nextFileName(dialogPath(target));
    clickMenu({u"文件", u"保存"});
    editor().setText(u"二");
    const std::size_t dialogsBefore = dialogs().shown().size();
    clickMenu({u"文件", u"保存"});
    EXPECT_EQ(dialogs().shown().size(), dialogsBefore);
    EXPECT_TRUE(messages().shown().empty());
    EXPECT_NE(readBytes(target).find("\\u20108"), std::string::npos);  // 二
}

}  // namespace
}  // namespace pennory::testing
