// Open with office documents: DOCX and ODT open with their formats whatever their name; a
// password-protected document, a Word 97-2003 file, a zip of other files and a truncated
// DOCX are refused with their own reason, and the boxes keep what they had.

#include "document/file_helpers.h"
#include "platform/text/office_documents.h"
#include "platform/text/ole_builder.h"
#include "platform/text/zip_package.h"
#include "support/form_fixture.h"
#include "support/styled_text_printer.h"

namespace pennory::testing {
namespace {

class OpenOffice : public FormTest {
protected:
    TempDir dir;

    // "电子" and the line break bold and red, then "制作" plain. (The DOCX reader gives a
    // paragraph's break the format of the text before it.)
    text::StyledText formatted() {
        text::StyledText content;
        content.append(u"电子\r\n", text::CharFormat{u"宋体", 12.0f, true, false, false, false,
                                                     text::rgb(255, 0, 0)});
        content.append(u"制作", editor().defaultFormat());
        return content;
    }
};

TEST_F(OpenOffice, DocxAndOdtOpenWithTheirFormatsWhateverTheirName) {
    const struct {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"稿子.docx", text::writeDocx(formatted())},
        {"稿子.odt", text::writeOdt(formatted())},
        {"named like text.txt", text::writeDocx(formatted())},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto path = dir / row.name;
        writeBytes(path, row.bytes);
        dialogs().nextFileName(dialogPath(path));

        clickMenu({u"文件", u"打开"});

        EXPECT_EQ(editor().content(), formatted());
        EXPECT_EQ(form().window().caption(), u"Pennory --" + dialogPath(path));
        EXPECT_TRUE(messages().shown().empty());
    }
}

TEST_F(OpenOffice, ForeignDocumentsAreRefusedWithTheirReason) {
    const std::string docx = text::writeDocx(formatted());
    text::ZipWriter other;
    other.add("photo.jpg", "\xFF\xD8\xFF\xE0");
    const struct {
        const char* name;
        std::string bytes;
        std::u16string_view reason;
    } rows[] = {
        {"locked.docx", oleFile({u"EncryptionInfo", u"EncryptedPackage"}),
         u"这个文档有密码保护，无法打开。"},
        {"old.doc", oleFile({u"1Table", u"WordDocument"}),
         u"不能打开 Word 97-2003 格式的 .doc 文档，请先另存为 docx。"},
        {"photos.zip", other.finish(), u"这个压缩文件不是 docx 或 odt 文档，无法打开。"},
        {"cut.docx", docx.substr(0, docx.size() - 40), u"文件已损坏，无法打开。"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        messages().forget();
        editor().setText(u"稿子");
        const auto path = dir / row.name;
        writeBytes(path, row.bytes);
        dialogs().nextFileName(dialogPath(path));

        clickMenu({u"文件", u"打开"});

        EXPECT_EQ(editor().text(), u"稿子");
        EXPECT_EQ(form().window().caption(), u"Pennory");
        ASSERT_EQ(messages().shown().size(), 1u);
        EXPECT_EQ(messages().shown()[0].prompt,
                  u"无法打开文件“" + dialogPath(path) + u"”：" + std::u16string(row.reason));
        EXPECT_EQ(readBytes(path), row.bytes);
    }
}

// A DOCX as a word processor writes it: a picture in the text and the page's size and margins
// (the page layout Pennory itself writes, which is not worth a notice).
std::string docxWithPictureAndPageLayout() {
    text::ZipWriter zip;
    zip.add(
        "[Content_Types].xml",
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
        R"(</Types>)");
    zip.add(
        "_rels/.rels",
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
        R"(</Relationships>)");
    zip.add(
        "word/document.xml",
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
        R"(xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"><w:body>)"
        R"(<w:p><w:r><w:t>电子</w:t></w:r><w:r><w:drawing><wp:inline><wp:extent cx="100" cy="100"/>)"
        R"(</wp:inline></w:drawing></w:r><w:r><w:t>制作</w:t></w:r></w:p>)"
        R"(<w:sectPr><w:pgSz w:w="11906" w:h="16838"/>)"
        R"(<w:pgMar w:top="1440" w:right="1800" w:bottom="1440" w:left="1800"/></w:sectPr>)"
        R"(</w:body></w:document>)");
    return zip.finish();
}

TEST_F(OpenOffice, APictureLeftOutOfADocxIsToldOnceAfterTheRestIsOpened) {
    const auto path = dir / "图文.docx";
    writeBytes(path, docxWithPictureAndPageLayout());
    dialogs().nextFileName(dialogPath(path));

    clickMenu({u"文件", u"打开"});

    EXPECT_EQ(editor().text(), u"电子制作");
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].prompt,
              u"“" + dialogPath(path) + u"”中的图片未能保留，其余内容已经打开。");
}

}  // namespace
}  // namespace pennory::testing
