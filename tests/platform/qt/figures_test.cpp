// Figures on Qt: shown from a copy no wider than the box, re-fitted when the box narrows;
// pictures on the clipboard as file bytes; figures in the PDF.

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_document_output.h"
#include "platform/qt/qt_rich_text_box.h"

namespace pennory::platform::qt {
namespace {

std::string jpegBytes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes.toStdString();
}

text::Figure photo(int width, int height) {
    text::Figure figure;
    figure.kind = text::FigureKind::Jpeg;
    figure.bytes = std::make_shared<const std::string>(jpegBytes(width, height));
    figure.widthPx = width;
    figure.heightPx = height;
    return figure;
}

class QtFiguresTest : public ::testing::Test {
protected:
    QtFiguresTest() : box(&window, text::CharFormat{u"宋体", 9.0f, false, false, false, false, 0, {}}, {}) {
        window.resize(600, 400);
        edit()->setGeometry(0, 0, 500, 300);
        window.show();
    }
    QTextEdit* edit() { return static_cast<QTextEdit*>(box.widget()); }
    // The width the figure takes in the first line of the document's first block.
    double shownWidth() {
        QApplication::processEvents();
        edit()->document()->documentLayout()->documentSize();  // lays the document out
        const QTextBlock block = edit()->document()->firstBlock();
        return block.layout()->lineAt(0).naturalTextWidth();
    }
    QWidget window;
    QtRichTextBox box;
};

TEST_F(QtFiguresTest, APhotoWiderThanTheBoxIsShownWithinItFromASmallerCopy) {
    box.insertFigure(photo(1600, 800));
    const int viewport = edit()->viewport()->width();
    const double width = shownWidth();
    EXPECT_GT(width, viewport * 0.8);
    EXPECT_LE(width, viewport);
    // The copy the box shows holds no more pixels than the box has.
    const QTextCharFormat format = edit()->document()->firstBlock().begin().fragment().charFormat();
    ASSERT_TRUE(format.isImageFormat());
    const QImage copy = edit()->document()
                            ->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()))
                            .value<QImage>();
    EXPECT_GT(copy.width(), 0);
    EXPECT_LE(copy.width(), viewport * edit()->devicePixelRatioF() + 1);

    edit()->setGeometry(0, 0, 250, 300);
    QApplication::processEvents();
    EXPECT_LE(shownWidth(), edit()->viewport()->width());
    EXPECT_EQ(*box.content().runs().front().format.figure->bytes, *photo(1600, 800).bytes);
}

// Opening a manuscript of many photos decodes only those the writer sees.
TEST_F(QtFiguresTest, AFigureIsDecodedWhenItIsFirstShown) {
    const text::CharFormat format{u"宋体", 9.0f, false, false, false, false, 0, {}};
    text::StyledText content;
    text::CharFormat withFigure = format;
    withFigure.figure = text::FigureRef(photo(400, 300));
    content.append(u"\uFFFC", withFigure);
    for (int line = 0; line < 200; ++line) content.append(u"\r\n", format);
    withFigure.figure = text::FigureRef(photo(300, 400));
    content.append(u"\uFFFC", withFigure);
    box.setContent(content);
    edit()->viewport()->repaint();
    QApplication::processEvents();
    const auto decoded = [&](QTextBlock block) {
        const QString name = block.begin().fragment().charFormat().toImageFormat().name();
        return !edit()->document()->resource(QTextDocument::ImageResource, QUrl(name)).isNull();
    };
    EXPECT_TRUE(decoded(edit()->document()->firstBlock()));
    EXPECT_FALSE(decoded(edit()->document()->lastBlock()));

    edit()->moveCursor(QTextCursor::End);
    edit()->ensureCursorVisible();
    edit()->viewport()->repaint();
    EXPECT_TRUE(decoded(edit()->document()->lastBlock()));
}

TEST_F(QtFiguresTest, ShownWidthFollowsTheWritersChoice) {
    box.insertFigure(photo(200, 100));
    EXPECT_NEAR(shownWidth(), 200, 1);  // its own pixels at 96 dpi, narrower than the box
    box.setSelFigureWidth({text::FigureWidth::Unit::Centimetres, 2.54f});
    EXPECT_NEAR(shownWidth(), 96, 1);
    box.setSelFigureWidth({text::FigureWidth::Unit::PercentOfText, 50.0f});
    const double text = edit()->viewport()->width() - 2 * edit()->document()->documentMargin();
    EXPECT_NEAR(shownWidth(), text / 2, 2);
}

TEST(QtClipboardImage, APictureComesAsPngBytesAndTextAsNone) {
    QtClipboard clipboard;
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QGuiApplication::clipboard()->setImage(image);
    const auto bytes = clipboard.imageBytes();
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    const QImage back = QImage::fromData(QByteArray::fromStdString(*bytes));
    EXPECT_EQ(back.size(), QSize(30, 20));

    auto* offered = new QMimeData;
    offered->setData(QStringLiteral("image/jpeg"), QByteArray("\xff\xd8\xff\xe0 jpeg", 9));
    QGuiApplication::clipboard()->setMimeData(offered);
    EXPECT_EQ(clipboard.imageBytes(), std::string("\xff\xd8\xff\xe0 jpeg", 9));

    QGuiApplication::clipboard()->setText(QStringLiteral("文字"));
    EXPECT_FALSE(clipboard.imageBytes());
}

TEST(QtFiguresOnPaper, ThePdfHoldsTheFigureAsAnImage) {
    text::CharFormat format{u"宋体", 10.5f};
    text::StyledText content(u"图一：", format);
    format.figure = text::FigureRef(photo(800, 400));
    content.append(u"\uFFFC", format);
    QtDocumentOutput output;
    const auto pdf = output.pdfBytes(content);
    ASSERT_TRUE(pdf);
    EXPECT_NE(pdf->find("/Subtype /Image"), std::string::npos);
}

}  // namespace
}  // namespace pennory::platform::qt
