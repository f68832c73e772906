// Paper (PDF and print) lays paragraphs out as the editor does: a centred title, a body
// indented by two characters.

#include <gtest/gtest.h>

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

#include "platform/qt/qt_document_output.h"
#include "platform/qt/qt_paragraph_format.h"

namespace pennory::testing {
namespace {

TEST(PaperParagraphs, TitleCentredAndBodyIndentedByTwoCharacters) {
    text::StyledText content(u"标题\r\n正文第一段。\r\n正文第二段。",
                             text::CharFormat{u"宋体", 12.0f});
    text::ParagraphFormat title;
    title.alignment = text::Alignment::Centre;
    text::ParagraphFormat body;
    body.firstLine.charsHundredths = 200;
    content.setParagraphFormat(0, title);
    content.setParagraphFormat(1, body);
    content.setParagraphFormat(2, body);

    // On a 1200 dpi device, two characters of 12 points are 400 pixels.
    const auto document = platform::qt::layOutForPaper(content, 1200);
    ASSERT_EQ(document->blockCount(), 3);
    EXPECT_EQ(document->findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
    for (int block : {1, 2}) {
        EXPECT_NEAR(document->findBlockByNumber(block).blockFormat().textIndent(), 400.0, 1e-6);
    }
    // For a look with pdftotext or pdftoppm: PENNORY_KEEP_PDF=path.
    if (const char* keep = std::getenv("PENNORY_KEEP_PDF")) {
        platform::qt::QtDocumentOutput output(nullptr);
        const auto bytes = output.pdfBytes(content);
        ASSERT_TRUE(bytes);
        QFile file(QString::fromUtf8(keep));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes->data(), static_cast<qint64>(bytes->size()));
    }
}

}  // namespace
}  // namespace pennory::testing
