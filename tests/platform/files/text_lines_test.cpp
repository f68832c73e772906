#include "platform/files/text_lines.h"

#include <gtest/gtest.h>

#include "platform/files/write_faults.h"
#include "temp_folder.h"

namespace pennory::files {
namespace {

using testing::contentsOf;
using testing::modeOf;
using testing::putFile;
using testing::TempFolder;

TEST(TextLines, WritesGbkWithCrLfAfterEveryLine) {
    TempFolder folder;
    ASSERT_TRUE(writeTextLines(folder / "date.txt", {u"电阻", u"", u"abc"}).ok);
    EXPECT_EQ(contentsOf(folder / "date.txt"), "\xB5\xE7\xD7\xE8\r\n\r\nabc\r\n");
    ASSERT_TRUE(writeTextLines(folder / "empty.txt", {}).ok);
    EXPECT_EQ(contentsOf(folder / "empty.txt"), "");
}

// The phrase file: code page 936 as Windows has it (the euro sign 0x80) while every character
// has it; one that does not makes the whole file GB18030 (the euro sign A2 E3).
TEST(TextLines, WritesTheEuroSignAsCodePage936UnlessAnotherCharacterNeedsGb18030) {
    TempFolder folder;
    ASSERT_TRUE(writeTextLines(folder / "date.txt", {u"价格€5", u"文"}).ok);
    EXPECT_EQ(contentsOf(folder / "date.txt"),
              "\xBC\xDB\xB8\xF1\x80"
              "5\r\n\xCE\xC4\r\n");
    ASSERT_TRUE(writeTextLines(folder / "mixed.txt", {u"价格€5", u"한"}).ok);
    EXPECT_EQ(contentsOf(folder / "mixed.txt"),
              "\xBC\xDB\xB8\xF1\xA2\xE3"
              "5\r\n\x83\x36\x84\x33\r\n");
    for (const char* name : {"date.txt", "mixed.txt"}) {
        SCOPED_TRACE(name);
        const ReadLines read = readTextLines(folder / name);
        ASSERT_TRUE(read.result.ok);
        ASSERT_EQ(read.lines.size(), 2u);
        EXPECT_EQ(read.lines[0], u"价格€5");
    }
}

TEST(TextLines, ReadsBackWhatWasWritten) {
    TempFolder folder;
    // "说" alone is also valid UTF-8, the shape of a one-word password.
    const std::vector<std::u16string> lines = {u"说", u"密码 password", u"", u"\U0001F600한"};
    ASSERT_TRUE(writeTextLines(folder / "print.txt", lines).ok);
    const ReadLines read = readTextLines(folder / "print.txt");
    EXPECT_TRUE(read.result.ok);
    EXPECT_FALSE(read.missing);
    EXPECT_EQ(read.lines, lines);
}

TEST(TextLines, ReadsFilesOfOtherEditors) {
    TempFolder folder;
    putFile(folder / "utf8.txt", "\xEF\xBB\xBF\xE7\x94\xB5\xE9\x98\xBB\nline 2");
    const ReadLines read = readTextLines(folder / "utf8.txt");
    EXPECT_TRUE(read.result.ok);
    EXPECT_EQ(read.lines, (std::vector<std::u16string>{u"电阻", u"line 2"}));
}

TEST(TextLines, MissingFileIsFlagged) {
    TempFolder folder;
    ReadLines read = readTextLines(folder / "date.txt");
    EXPECT_TRUE(read.missing);
    EXPECT_FALSE(read.result.ok);
    EXPECT_TRUE(read.lines.empty());
    read = readTextLines(folder / "no folder" / "print.txt");
    EXPECT_TRUE(read.missing);
}

TEST(TextLines, OtherFailuresAreNotMissing) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "date.txt");
    ReadLines read = readTextLines(folder / "date.txt");
    EXPECT_FALSE(read.result.ok);
    EXPECT_FALSE(read.missing);
    putFile(folder / "binary.txt", std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\x2D\xB4\0", 19));
    read = readTextLines(folder / "binary.txt");
    EXPECT_FALSE(read.result.ok);
    EXPECT_FALSE(read.missing);
    EXPECT_EQ(read.result.message, u"这不是文本文件，无法打开。");
}

TEST(TextLines, OwnerOnlyAndAtomic) {
    TempFolder folder;
    ASSERT_TRUE(writeTextLines(folder / "print.txt", {u"old"}, true).ok);
    EXPECT_EQ(modeOf(folder / "print.txt"), 0600u);
    {
        ScopedWriteFault fault(WriteStep::Sync, EIO);
        EXPECT_FALSE(writeTextLines(folder / "print.txt", {u"new"}, true).ok);
    }
    EXPECT_EQ(contentsOf(folder / "print.txt"), "old\r\n");
    EXPECT_EQ(folder.listing(), "print.txt ");
}

}  // namespace
}  // namespace pennory::files
