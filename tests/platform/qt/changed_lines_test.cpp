// What an edit asks the editor to draw again, against what it changes on the page: generated
// edits in paragraphs of Chinese, Latin words and mixed formats, drawn before and after. Every
// pixel that changed lies in what the layout asked for, and what it asked for reaches no more
// than a line or so past the changed pixels when the caret's paragraph was drawn before.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <climits>
#include <random>

#include "platform/qt/qt_manuscript_layout.h"

namespace pennory::platform::qt {
namespace {

constexpr int kWidth = 320;

const QString kPieces[] = {
    QStringLiteral("电"),   QStringLiteral("阻"),   QStringLiteral("，"),   QStringLiteral("。"),
    QStringLiteral("LED "), QStringLiteral("anode"), QStringLiteral(" "),   QStringLiteral("4011"),
    QStringLiteral("a"),    QStringLiteral("Ω"),    QStringLiteral("——"), QStringLiteral("“"),
};

QTextBlockFormat paragraphFormat(int kind) {
    QTextBlockFormat format;
    if (kind == 1) format.setAlignment(Qt::AlignJustify);
    if (kind == 2) format.setAlignment(Qt::AlignHCenter);
    if (kind == 3) format.setLineHeight(8, QTextBlockFormat::FixedHeight);  // lines overlap
    if (kind == 4) format.setTextIndent(28);
    return format;
}

class Page {
public:
    Page() {
        m_document.setDocumentLayout(m_layout);
        m_document.setTextWidth(kWidth);
        QObject::connect(m_layout, &QAbstractTextDocumentLayout::update,
                         [this](const QRectF& rect) { m_asked |= rect; });
    }
    QTextDocument& document() { return m_document; }

    // The page as drawn; with a caret, the way the editor draws the paragraph it is in.
    QImage draw(int caret = -1) {
        QImage image(kWidth, static_cast<int>(m_layout->documentSize().height()) + 1,
                     QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QAbstractTextDocumentLayout::PaintContext context;
        context.cursorPosition = caret;
        m_layout->draw(&painter, context);
        return image;
    }
    void forgetAsked() { m_asked = QRectF(); }
    QRectF asked() const { return m_asked; }

private:
    QTextDocument m_document;
    ManuscriptLayout* m_layout = new ManuscriptLayout(&m_document);
    QRectF m_asked;
};

// The rows [first, last] in which the two drawings differ; first > last when none.
std::pair<int, int> differingRows(const QImage& before, const QImage& after) {
    const int rows = std::min(before.height(), after.height());
    int first = INT_MAX, last = -1;
    for (int y = 0; y < rows; ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        if (!std::equal(a, a + kWidth, b)) {
            first = std::min(first, y);
            last = y;
        }
    }
    return {first, last};
}

TEST(ChangedLines, AnEditAsksForEveryPixelItChangedAndLittleMore) {
    std::mt19937 random(1);
    Page page;
    QTextCursor cursor(&page.document());
    for (int p = 0; p < 6; ++p) {
        if (p > 0) cursor.insertBlock();
        cursor.setBlockFormat(paragraphFormat(p % 5));
        for (int i = 0; i < 60; ++i) cursor.insertText(kPieces[random() % std::size(kPieces)]);
    }
    const double lineHeight = page.document().firstBlock().layout()->lineAt(0).height();

    int tight = 0;
    for (int edit = 0; edit < 300; ++edit) {
        const QTextBlock block = page.document().findBlockByNumber(
            static_cast<int>(random() % page.document().blockCount()));
        const int inBlock = static_cast<int>(random() % block.length());
        const int at = block.position() + inBlock;
        const bool caretDrawn = random() % 2;
        if (caretDrawn) page.draw(at);
        const QImage before = page.draw();
        page.forgetAsked();

        QTextCursor change(&page.document());
        change.setPosition(at);
        switch (random() % 4) {
            case 0:
            case 1:
                change.insertText(kPieces[random() % std::size(kPieces)]);
                break;
            case 2:
                change.setPosition(std::min(at + 1 + static_cast<int>(random() % 4),
                                            block.position() + block.length() - 1),
                                   QTextCursor::KeepAnchor);
                change.removeSelectedText();
                break;
            default: {
                change.setPosition(std::min(at + 3, block.position() + block.length() - 1),
                                   QTextCursor::KeepAnchor);
                QTextCharFormat bold;
                bold.setFontWeight(random() % 2 ? QFont::Bold : QFont::Normal);
                change.mergeCharFormat(bold);
            }
        }
        const QImage after = page.draw();
        const auto [first, last] = differingRows(before, after);
        if (first > last) continue;
        const QRectF asked = page.asked();
        SCOPED_TRACE(testing::Message() << "edit " << edit << " at " << at);
        ASSERT_LE(asked.top(), first);
        ASSERT_GE(asked.bottom(), last + 1);
        // Unless the paragraphs below moved, which repaints all of them, a drawn paragraph
        // repaints only its changed lines.
        if (caretDrawn && before.height() == after.height() && asked.bottom() < INT_MAX / 2) {
            EXPECT_GE(asked.top(), first - 2 * lineHeight);
            EXPECT_LE(asked.bottom(), last + 1 + 2 * lineHeight);
            ++tight;
        }
    }
    EXPECT_GT(tight, 40);  // the generated edits reached the case they are there for
}

}  // namespace
}  // namespace pennory::platform::qt
