// Details of the real window that the writer sees: whole glyphs on the word-bank labels, whole
// captions on the toolbar at any width, the start of a long phrase, and one undo for one font.

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <utility>

#include "input/word_bank_table.h"
#include "qt_form_fixture.h"
#include "support/design_literals.h"

namespace pennory::testing {
namespace {

// The first and last rows of the image that hold ink (anything darker than near-white).
std::pair<int, int> inkRows(const QImage& image) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 224) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

// The text drawn whole, with room all around it.
QImage unclipped(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 20, metrics.height() * 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(10, metrics.height() * 2, text);
    return image;
}

class WindowDetails : public QtFormTest {
protected:
    platform::RichTextBox& manuscript() { return form().RichTextBox1(); }
};

TEST_F(WindowDetails, OneLineWordBankLabelsDrawEveryRowOfTheirGlyphs) {
    clickToolbar(u"write");
    for (int i = 1; i < input::kWordBankSize; ++i) {
        QLabel* label = wordBankLabel(i);
        SCOPED_TRACE(label->text().toStdString());
        const auto [top, bottom] = inkRows(label->grab().toImage());
        const auto [wholeTop, wholeBottom] = inkRows(unclipped(label->text(), label->font()));
        ASSERT_GE(top, 0);
        // Glyphs taller than the label may be flattened to its height, never cut.
        EXPECT_EQ(bottom - top + 1, std::min(wholeBottom - wholeTop + 1, label->height()));
    }
}

TEST_F(WindowDetails, ToolbarCaptionsStayWholeAtEveryWidthTheLayoutRuleAllows) {
    // 4900 twips is the narrowest client area the layout rule is made for.
    for (int width : {4900, 5400, 6300, 7200, 7650, 9000, 11640}) {
        SCOPED_TRACE(width);
        resizeClient(width, 7890);
        QWidget* band = factory().toolbarBand();
        QRect previous;
        for (const auto& entry : design::kToolbarButtons) {
            QToolButton* button = toolbarButton(entry.key);
            SCOPED_TRACE(button->text().toStdString());
            EXPECT_TRUE(button->isVisible());
            EXPECT_GE(button->width(), button->sizeHint().width());
            EXPECT_GE(button->height(), button->fontMetrics().height());
            EXPECT_TRUE(band->rect().contains(button->geometry()));
            // In reading order: to the right of the one before, or on a row below it.
            if (!previous.isNull()) {
                EXPECT_TRUE(button->x() > previous.right() || button->y() > previous.bottom());
            }
            previous = button->geometry();
        }
    }
}

TEST_F(WindowDetails, PhraseBoxShowsTheBeginningOfALongPhrase) {
    clickToolbar(u"selfdo");
    const std::u16string phrase = u"本文介绍一款简单易制的电路，适合初学者动手制作并调试";
    form().Text1(0).setText(phrase);
    QLineEdit* box = phraseBox(0);
    ASSERT_GT(box->fontMetrics().horizontalAdvance(box->text()), box->width());
    EXPECT_EQ(box->cursorPosition(), 0);
    EXPECT_LT(box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(),
              box->fontMetrics().horizontalAdvance(u'本'));
}

TEST_F(WindowDetails, OneTextFontIsUndoneByOneUndo) {
    text::CharFormat marked = manuscript().defaultFormat();
    marked.underline = true;
    marked.strikethrough = true;
    marked.colour = text::rgb(0xC0, 0x10, 0x20);
    text::StyledText before;
    before.append(u"电阻", marked);
    before.append(u"电容", manuscript().defaultFormat());
    manuscript().setContent(before);
    manuscript().setSelLength(4);

    dialogs().nextFont(text::Font{u"黑体", 14.0f, true, true});
    clickMenu({u"文本字体"});
    ASSERT_NE(manuscript().content(), before);

    clickToolbar(u"back");
    EXPECT_EQ(manuscript().content(), before);
}

}  // namespace
}  // namespace pennory::testing
