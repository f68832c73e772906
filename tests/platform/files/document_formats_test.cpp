// The document format table: the dialog filters and Save As captions derived from it, and
// which format reads given bytes.

#include "platform/files/document_formats.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/files/document_files.h"
#include "platform/text/office_documents.h"
#include "platform/text/ole_builder.h"
#include "platform/text/zip_package.h"
#include "temp_folder.h"

namespace pennory::files {
namespace {

TEST(DocumentFormats, OpenFilterListsAllFilesThenTextRtfDocxAndOdt) {
    EXPECT_EQ(
        openFilter(),
        u"所有文件(*.*)|*.*|text文件(*.txt)|*.txt|rtf文件(*.rtf)|*.rtf|docx文件(*.docx)|*.docx|"
        u"odt文件(*.odt)|*.odt|");
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
        {SaveType::Docx, FilterEnd::Bare, u"docx文件(*.docx)|*.docx"},
        {SaveType::Odt, FilterEnd::Bare, u"odt文件(*.odt)|*.odt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        EXPECT_EQ(saveFilter(c.type, c.end), c.filter);
    }
}

TEST(DocumentFormats, SaveAsItemsAreRtfTextDocxOdt) {
    EXPECT_EQ(saveAsCaptions(),
              (std::vector<std::u16string_view>{u"rtf文档", u"txt文档", u"docx文档", u"odt文档"}));
    const SaveType types[] = {SaveType::Rtf, SaveType::Text, SaveType::Docx, SaveType::Odt};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(saveAsFormat(i), nullptr);
        EXPECT_EQ(saveAsFormat(i)->type, types[i]);
    }
    EXPECT_EQ(saveAsFormat(4), nullptr);
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

// Files known by their bytes that no format reads, each with its own refusal.
TEST(DocumentFormats, RefusesForeignDocumentsWithTheirOwnMessage) {
    using pennory::testing::oleFile;
    const std::string docx = text::writeDocx(text::StyledText(u"电子制作"));
    text::ZipWriter plainZip;
    plainZip.add("readme.txt", "hello");
    plainZip.add("notes/a.xml", "<a/>");
    const std::string zip = plainZip.finish();
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string_view refusal;
    };
    const Case cases[] = {
        {"password-protected docx", oleFile({u"EncryptionInfo", u"EncryptedPackage"}),
         u"这个文档有密码保护，无法打开。"},
        {"encryption info alone", oleFile({u"\x06DataSpaces", u"EncryptionInfo"}),
         u"这个文档有密码保护，无法打开。"},
        {"word 97-2003", oleFile({u"WordDocument", u"1Table", u"\x05SummaryInformation"}),
         u"不能打开 Word 97-2003 格式的 .doc 文档，请先另存为 docx。"},
        {"word 97-2003, 4096-byte sectors", oleFile({u"Data", u"WordDocument"}, 12),
         u"不能打开 Word 97-2003 格式的 .doc 文档，请先另存为 docx。"},
        {"other compound file", oleFile({u"Workbook"}), u"这不是文本文件，无法打开。"},
        {"broken compound file", oleFile({u"WordDocument"}).substr(0, 700),
         u"这不是文本文件，无法打开。"},
        {"zip of other files", zip, u"这个压缩文件不是 docx 或 odt 文档，无法打开。"},
        {"truncated docx", docx.substr(0, docx.size() / 2), u"文件已损坏，无法打开。"},
        {"docx cut after its first entry name", docx.substr(0, 60), u"文件已损坏，无法打开。"},
        {"zip header and junk",
         std::string("PK\x03\x04\x14\0\0\0\x08\0\x9C\x5B\x4E\x58\xFF\xFE\xFD\0", 18),
         u"这不是文本文件，无法打开。"},
        {"content types entry cut short",
         std::string("PK\x03\x04\x14\0\0\0\x08\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
                     "\x13\0\0\0[Content_Types].xml\x01\x02",
                     30 + 19 + 2),
         u"文件已损坏，无法打开。"},
        {"mimetype entry cut short",
         std::string("PK\x03\x04\x0A\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
                     "\x08\0\0\0mimetypeapplication/vnd.oasis",
                     30 + 8 + 21),
         u"文件已损坏，无法打开。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RecognisedDocument read = readDocumentBytes(c.bytes, text::CharFormat{});
        EXPECT_EQ(read.format, nullptr);
        EXPECT_FALSE(read.read.accepted);
        EXPECT_EQ(read.read.refusal, c.refusal);
    }
}

TEST(DocumentFormats, OfficeDocumentsAreRecognisedByContentNotName) {
    const text::StyledText content(u"电子\r\n制作");
    const struct {
        const char* name;
        std::string bytes;
        SaveType type;
    } cases[] = {
        {"docx", text::writeDocx(content), SaveType::Docx},
        {"odt", text::writeOdt(content), SaveType::Odt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RecognisedDocument read = readDocumentBytes(c.bytes, text::CharFormat{});
        ASSERT_NE(read.format, nullptr);
        EXPECT_EQ(read.format->type, c.type);
        ASSERT_TRUE(read.read.accepted);
        EXPECT_EQ(read.read.content.plainText(), u"电子\r\n制作");
    }
}

TEST(DocumentFormats, OfficeWritersRefuseWhatXmlCannotHoldBeforeWriting) {
    const text::StyledText scrambled(u"\u7535\x1F\u5B50\x0C");
    for (SaveType type : {SaveType::Docx, SaveType::Odt}) {
        SCOPED_TRACE(static_cast<int>(type));
        const WriteResult written = documentFormat(type).write(scrambled);
        EXPECT_FALSE(written.accepted);
        EXPECT_EQ(written.refusal,
                  u"加密后的文稿含有 docx/odt 无法保存的字符，请先解密，或另存为 rtf文档。");
        EXPECT_TRUE(written.bytes.empty());
    }
}

WriteResult refuseEverything(const text::StyledText&) {
    return {false, u"这种格式不能保存控制字符。", "never written"};
}

std::u16string_view refuseBeforeStreaming(const text::StyledText&) {
    return u"这种格式不能保存控制字符。";
}

// A format made whole refuses through its writer; one written as it is made refuses before its
// first byte. Either way the old file stays and no temporary file is left.
TEST(DocumentFormats, AWriterRefusalWritesNothingAndSaysWhy) {
    DocumentFormat wholeRefusing = documentFormat(SaveType::Text);
    wholeRefusing.write = &refuseEverything;
    DocumentFormat streamRefusing = documentFormat(SaveType::Rtf);
    streamRefusing.refuses = &refuseBeforeStreaming;
    for (const DocumentFormat* refusing : {&wholeRefusing, &streamRefusing}) {
        SCOPED_TRACE(static_cast<int>(refusing->type));
        testing::TempFolder folder;
        testing::putFile(folder / "doc", "old manuscript");
        const FileResult result =
            saveDocument(folder / "doc", text::StyledText(u"新稿"), *refusing);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, u"这种格式不能保存控制字符。");
        EXPECT_EQ(testing::contentsOf(folder / "doc"), "old manuscript");
        EXPECT_EQ(folder.listing(), "doc ");
    }
}

// The office formats refuse what XML cannot hold through the table, before saving streams.
TEST(DocumentFormats, OfficeRefusalsComeBeforeAnyByteIsStreamed) {
    const text::StyledText scrambled(u"\u7535\x1F\u5B50");
    for (SaveType type : {SaveType::Docx, SaveType::Odt}) {
        SCOPED_TRACE(static_cast<int>(type));
        testing::TempFolder folder;
        testing::putFile(folder / "doc", "old manuscript");
        const FileResult result = saveDocument(folder / "doc", scrambled, type);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message,
                  u"加密后的文稿含有 docx/odt 无法保存的字符，请先解密，或另存为 rtf文档。");
        EXPECT_EQ(testing::contentsOf(folder / "doc"), "old manuscript");
        EXPECT_EQ(folder.listing(), "doc ");
    }
}

}  // namespace
}  // namespace pennory::files
