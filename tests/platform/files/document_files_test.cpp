#include "platform/files/document_files.h"

#include <gtest/gtest.h>

#include "platform/files/write_faults.h"
#include "platform/text/figure_test_support.h"
#include "platform/text/office_documents.h"
#include "platform/text/rtf_writer.h"
#include "platform/text/rtf_reader.h"
#include "temp_folder.h"

namespace pennory::files {
namespace {

using testing::contentsOf;
using testing::putFile;
using testing::TempFolder;
using text::CharFormat;
using text::StyledText;

CharFormat plainFormat() {
    CharFormat f;
    f.fontName = u"宋体";
    f.sizePt = 9.0f;
    return f;
}

StyledText manuscript() {
    CharFormat bold = plainFormat();
    bold.bold = true;
    bold.colour = text::rgb(255, 0, 0);
    StyledText t;
    t.append(u"第一章\r\n", bold);
    t.append(u"本文介绍万用表。\t\U0001F600\x1F\f\r\n", plainFormat());
    return t;
}

TEST(DocumentFiles, RtfKeepsTextAndFormats) {
    TempFolder folder;
    ASSERT_TRUE(saveDocument(folder / "a.rtf", manuscript(), SaveType::Rtf).ok);
    EXPECT_TRUE(text::looksLikeRtf(contentsOf(folder / "a.rtf")));
    const LoadedDocument loaded = loadDocument(folder / "a.rtf", CharFormat{});
    ASSERT_TRUE(loaded.result.ok);
    EXPECT_EQ(loaded.content, manuscript());
}

TEST(DocumentFiles, TextKeepsTheCharactersOnly) {
    TempFolder folder;
    ASSERT_TRUE(saveDocument(folder / "a.txt", manuscript(), SaveType::Text).ok);
    EXPECT_EQ(contentsOf(folder / "a.txt"),
              "\xB5\xDA\xD2\xBB\xD5\xC2\r\n\xB1\xBE\xCE\xC4\xBD\xE9\xC9\xDC\xCD\xF2\xD3\xC3"
              "\xB1\xED\xA1\xA3\t\x94\x39\xFC\x36\x1F\f\r\n");
    CharFormat format = plainFormat();
    format.italic = true;
    const LoadedDocument loaded = loadDocument(folder / "a.txt", format);
    ASSERT_TRUE(loaded.result.ok);
    EXPECT_EQ(loaded.content, StyledText(manuscript().plainText(), format));
}

// A manuscript whose characters code page 936 has is saved as code page 936, the euro sign as
// 0x80, and opens back unchanged.
TEST(DocumentFiles, TextWithTheEuroSignIsCodePage936) {
    TempFolder folder;
    const StyledText content(u"价格€5\r\n", plainFormat());
    ASSERT_TRUE(saveDocument(folder / "euro.txt", content, SaveType::Text).ok);
    EXPECT_EQ(contentsOf(folder / "euro.txt"),
              "\xBC\xDB\xB8\xF1\x80"
              "5\r\n");
    const LoadedDocument loaded = loadDocument(folder / "euro.txt", plainFormat());
    ASSERT_TRUE(loaded.result.ok);
    EXPECT_EQ(loaded.content.plainText(), u"价格€5\r\n");
}

TEST(DocumentFiles, PlainTextLineEndsBecomeCrLf) {
    TempFolder folder;
    putFile(folder / "unix.txt", "a\nb\rc\r\nd");
    const LoadedDocument loaded = loadDocument(folder / "unix.txt", plainFormat());
    ASSERT_TRUE(loaded.result.ok);
    EXPECT_EQ(loaded.content.plainText(), u"a\r\nb\r\nc\r\nd");
}

TEST(DocumentFiles, EncodingsOfTextFiles) {
    TempFolder folder;
    putFile(folder / "utf8.txt", "\xE4\xB8\xAD\xE6\x96\x87");
    putFile(folder / "gbk.txt", "\xD6\xD0\xCE\xC4");
    putFile(folder / "utf16.txt", std::string("\xFF\xFE\x2D\x4E\x87\x65", 6));
    for (const char* name : {"utf8.txt", "gbk.txt", "utf16.txt"}) {
        SCOPED_TRACE(name);
        const LoadedDocument loaded = loadDocument(folder / name, plainFormat());
        ASSERT_TRUE(loaded.result.ok);
        EXPECT_EQ(loaded.content.plainText(), u"中文");
    }
}

TEST(DocumentFiles, RefusesWhatIsNotText) {
    TempFolder folder;
    // A whole 1x1 picture.
    const char gif[] =
        "GIF89a\x01\0\x01\0\x80\0\0\xFF\xFF\xFF\0\0\0\x21\xF9\x04\x01\0\0\0\0\x2C\0\0\0\0"
        "\x01\0\x01\0\0\x02\x02\x44\x01\0\x3B";
    putFile(folder / "picture.gif", std::string(gif, sizeof gif - 1));
    // An executable's and an archive's signature, then bytes that would read as text.
    putFile(folder / "program",
            "\x7F"
            "ELF words that read as text\r\n");
    putFile(folder / "book.zip", "PK\x03\x04\xCE\xC4\xB8\xE5 text\r\n");
    for (const char* name : {"picture.gif", "program", "book.zip"}) {
        SCOPED_TRACE(name);
        const LoadedDocument loaded = loadDocument(folder / name, plainFormat());
        EXPECT_FALSE(loaded.result.ok);
        EXPECT_EQ(loaded.result.message, u"这不是文本文件，无法打开。");
        EXPECT_TRUE(loaded.content.empty());
    }
}

TEST(DocumentFiles, MissingFile) {
    TempFolder folder;
    const LoadedDocument loaded = loadDocument(folder / "nothing.rtf", plainFormat());
    EXPECT_FALSE(loaded.result.ok);
    EXPECT_EQ(loaded.result.message, u"找不到文件。");
}

TEST(DocumentFiles, EmptyFileIsAnEmptyDocument) {
    TempFolder folder;
    putFile(folder / "empty.txt", "");
    const LoadedDocument loaded = loadDocument(folder / "empty.txt", plainFormat());
    EXPECT_TRUE(loaded.result.ok);
    EXPECT_TRUE(loaded.content.empty());
}

TEST(DocumentFiles, AFailedSaveLeavesTheOldFileWhole) {
    for (SaveType type : {SaveType::Rtf, SaveType::Text}) {
        TempFolder folder;
        putFile(folder / "doc", "old manuscript");
        {
            ScopedWriteFault fault(WriteStep::Write, ENOSPC, 10);
            const FileResult r = saveDocument(folder / "doc", manuscript(), type);
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.message, u"磁盘空间不足。");
        }
        EXPECT_EQ(contentsOf(folder / "doc"), "old manuscript");
        EXPECT_EQ(folder.listing(), "doc ");
    }
}

// Four photos of 600 KB each, so that a save fails after its first pieces are on the disk.
StyledText photos() {
    StyledText t(u"图一\r\n", plainFormat());
    std::string jpeg = text::testing::tinyJpeg(4000, 3000);
    jpeg.insert(jpeg.size() - 2, std::string(600'000, '\x5a'));
    for (int i = 0; i < 4; ++i) {
        CharFormat f = plainFormat();
        jpeg[40] = static_cast<char>(i);
        f.figure = text::FigureRef(text::testing::figureOf(text::FigureKind::Jpeg, jpeg, 4000, 3000));
        t.append(u"\uFFFC", f);
    }
    return t;
}

std::string wholeFile(SaveType type, const StyledText& content) {
    switch (type) {
        case SaveType::Docx:
            return text::writeDocx(content);
        case SaveType::Odt:
            return text::writeOdt(content);
        default:
            return text::writeRtf(content);
    }
}

// A saved file, written as it is made, is the bytes of the file made whole.
TEST(DocumentFiles, FiguresAreSavedAsTheWritersMakeThem) {
    for (SaveType type : {SaveType::Rtf, SaveType::Docx, SaveType::Odt}) {
        SCOPED_TRACE(static_cast<int>(type));
        TempFolder folder;
        ASSERT_TRUE(saveDocument(folder / "doc", photos(), type).ok);
        EXPECT_TRUE(contentsOf(folder / "doc") == wholeFile(type, photos()));
    }
}

TEST(DocumentFiles, ASaveOfFiguresFailingHalfWayLeavesTheOldFile) {
    for (SaveType type : {SaveType::Rtf, SaveType::Docx, SaveType::Odt}) {
        SCOPED_TRACE(static_cast<int>(type));
        TempFolder folder;
        putFile(folder / "doc", "old manuscript");
        {
            ScopedWriteFault fault(WriteStep::Write, ENOSPC, 1'300'000);
            const FileResult r = saveDocument(folder / "doc", photos(), type);
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.message, u"磁盘空间不足。");
        }
        EXPECT_EQ(contentsOf(folder / "doc"), "old manuscript");
        EXPECT_EQ(folder.listing(), "doc ");
    }
}

TEST(DocumentFiles, LoadsRtfOfOtherPrograms) {
    const LoadedDocument loaded =
        loadDocument(std::string(PENNORY_TEST_DATA) + "/rtf/pandoc.rtf", plainFormat());
    ASSERT_TRUE(loaded.result.ok);
    EXPECT_EQ(loaded.content.runs().front().text.substr(0, 2), u"标题");
}

}  // namespace
}  // namespace pennory::files
