// The document format table: the dialog filters and Save As captions derived from it, and
// which format reads given bytes.

#include "platform/files/document_formats.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/files/document_files.h"
#include "temp_folder.h"

namespace pennory::files {
namespace {

TEST(DocumentFormats, OpenFilterListsAllFilesThenTextThenRtf) {
    EXPECT_EQ(openFilter(), u"所有文件(*.*)|*.*|text文件(*.txt)|*.txt|rtf文件(*.rtf)|*.rtf|");
}

TEST(DocumentFormats, SaveFilters) {
    struct Case {
        SaveType type;
        FilterEnd end;
        std::u16string_view filter;
    };
    const Case cases[] = {
        {SaveType::Rtf, FilterEnd::TrailingBar, u"rtf文件(*.rtf)|*.rtf|"},
        {SaveType::Rtf, FilterEnd::Bare, u"rtf文件(*.rtf)|*.rtf"},
        {SaveType::Text, FilterEnd::Bare, u"txt文件(*.txt)|*.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        EXPECT_EQ(saveFilter(c.type, c.end), c.filter);
    }
}

TEST(DocumentFormats, SaveAsItemsAreRtfThenText) {
    EXPECT_EQ(saveAsCaptions(), (std::vector<std::u16string_view>{u"rtf文档", u"txt文档"}));
    ASSERT_NE(saveAsFormat(0), nullptr);
    EXPECT_EQ(saveAsFormat(0)->type, SaveType::Rtf);
    ASSERT_NE(saveAsFormat(1), nullptr);
    EXPECT_EQ(saveAsFormat(1)->type, SaveType::Text);
    EXPECT_EQ(saveAsFormat(2), nullptr);
    EXPECT_EQ(saveAsFormat(-1), nullptr);
}

TEST(DocumentFormats, RecognisesFilesByTheirBytes) {
    struct Case {
        const char* name;
        std::string_view bytes;
        std::optional<SaveType> format;  // nullopt: nothing reads it
    };
    using namespace std::string_view_literals;
    const Case cases[] = {
        {"rtf", "{\\rtf1\\ansi hello}"sv, SaveType::Rtf},
        {"bare rtf signature", "{\\rtf"sv, SaveType::Rtf},
        {"damaged rtf", "{\\rtf1 {{{\\b"sv, SaveType::Rtf},
        {"short of the signature", "{\\rt"sv, SaveType::Text},
        {"blank before the brace", " {\\rtf1}"sv, SaveType::Text},
        {"byte-order mark before the brace", "\xEF\xBB\xBF{\\rtf1}"sv, SaveType::Text},
        {"upper case", "{\\RTF1}"sv, SaveType::Text},
        {"empty", ""sv, SaveType::Text},
        {"code page 936", "\xD6\xD0\xCE\xC4\r\n"sv, SaveType::Text},
        {"utf-16", "\xFF\xFE\x2D\x4E\x87\x65"sv, SaveType::Text},
        {"gif",
         "GIF89a\x01\0\x01\0\x80\0\0\xFF\xFF\xFF\0\0\0\x21\xF9\x04\x01\0\0\0\0\x2C\0\0\0\0"
         "\x01\0\x01\0\0\x02\x02\x44\x01\0\x3B"sv,
         std::nullopt},
        {"zip", "PK\x03\x04\x14\0\0\0\x08\0\x9C\x5B\x4E\x58\xFF\xFE\xFD\0"sv, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RecognisedDocument read = readDocumentBytes(c.bytes, text::CharFormat{});
        if (c.format) {
            ASSERT_NE(read.format, nullptr);
            EXPECT_EQ(read.format->type, *c.format);
            EXPECT_TRUE(read.read.accepted);
        } else {
            EXPECT_EQ(read.format, nullptr);
            EXPECT_FALSE(read.read.accepted);
            EXPECT_EQ(read.read.refusal, u"这不是文本文件，无法打开。");
        }
    }
}

WriteResult refuseEverything(const text::StyledText&) {
    return {false, u"这种格式不能保存控制字符。", "never written"};
}

TEST(DocumentFormats, AWriterRefusalWritesNothingAndSaysWhy) {
    testing::TempFolder folder;
    testing::putFile(folder / "doc", "old manuscript");
    DocumentFormat refusing = documentFormat(SaveType::Rtf);
    refusing.write = &refuseEverything;

    const FileResult result = saveDocument(folder / "doc", text::StyledText(u"新稿"), refusing);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, u"这种格式不能保存控制字符。");
    EXPECT_EQ(testing::contentsOf(folder / "doc"), "old manuscript");
    EXPECT_EQ(folder.listing(), "doc ");
}

}  // namespace
}  // namespace pennory::files
