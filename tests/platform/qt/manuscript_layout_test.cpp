// The editor's lazy layout against QTextDocumentLayout: once everything is laid out, every
// block and line stands where Qt's own layout puts it, and hit tests give the same positions;
// before that, only what is asked for is laid out.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <functional>
#include <memory>

#include "platform/qt/qt_figures.h"
#include "platform/qt/qt_manuscript_layout.h"

namespace pennory::platform::qt {
namespace {

constexpr double kTolerance = 0.5;
constexpr double kTextWidth = 420;

const QString kChinese = QStringLiteral(
    "春眠不觉晓，处处闻啼鸟。夜来风雨声，花落知多少。床前明月光，疑是地上霜。举头望明月，低头思故乡"
    "。");

QString repeated(int times) {
    QString out;
    for (int i = 0; i < times; ++i) out += kChinese;
    return out;
}

QTextCharFormat charFormat(const QString& family, double points, bool bold = false) {
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

QTextBlockFormat paragraph(const std::function<void(QTextBlockFormat&)>& set) {
    QTextBlockFormat format;
    set(format);
    return format;
}

using Fill = std::function<void(QTextCursor&)>;

void addBlock(QTextCursor& cursor, const QTextBlockFormat& format, const QString& text,
              const QTextCharFormat& character = charFormat(QStringLiteral("宋体"), 9)) {
    if (cursor.position() > 0) cursor.insertBlock();
    cursor.setBlockFormat(format);
    cursor.insertText(text, character);
}

struct Case {
    const char* name;
    Fill fill;
};

const Case kCases[] = {
    {"long and empty paragraphs",
     [](QTextCursor& c) {
         addBlock(c, {}, repeated(12));
         addBlock(c, {}, QString());
         addBlock(c, {}, QString());
         addBlock(c, {}, repeated(3));
         addBlock(c, {},
                  QStringLiteral("Latin words that wrap at their spaces, not inside them, "
                                 "with anextraordinarilylongwordthatcannotfitonalineatall"
                                 "andmustbebrokenanywhereinsideitselfbecauseitiswide."));
         addBlock(c, {}, QString());
     }},
    {"character formats",
     [](QTextCursor& c) {
         addBlock(c, {}, repeated(2), charFormat(QStringLiteral("黑体"), 20, true));
         c.insertText(repeated(1), charFormat(QStringLiteral("Arial"), 7));
         addBlock(c, {}, repeated(2), charFormat(QStringLiteral("宋体"), 14));
         c.insertText(QStringLiteral("\u2028") + repeated(1),
                      charFormat(QStringLiteral("宋体"), 30));
     }},
    {"alignment and indents",
     [](QTextCursor& c) {
         addBlock(c, paragraph([](auto& f) { f.setAlignment(Qt::AlignHCenter); }), repeated(2));
         addBlock(c, paragraph([](auto& f) { f.setAlignment(Qt::AlignRight); }), repeated(2));
         addBlock(c, paragraph([](auto& f) { f.setAlignment(Qt::AlignJustify); }),
                  QStringLiteral("Justified Latin text spreads its spaces across the whole line "
                                 "except on the last line of the paragraph. ") +
                      repeated(2));
         addBlock(c, paragraph([](auto& f) {
                      f.setLeftMargin(30);
                      f.setRightMargin(45);
                      f.setTextIndent(24);
                  }),
                  repeated(3));
         addBlock(c, paragraph([](auto& f) {
                      f.setLeftMargin(40);
                      f.setTextIndent(-20);
                  }),
                  repeated(2));
         addBlock(c, paragraph([](auto& f) { f.setIndent(2); }), repeated(2));
     }},
    {"line spacing and space around paragraphs",
     [](QTextCursor& c) {
         addBlock(c, paragraph([](auto& f) {
                      f.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
                      f.setBottomMargin(12);
                  }),
                  repeated(3));
         addBlock(c, paragraph([](auto& f) {
                      f.setLineHeight(30, QTextBlockFormat::FixedHeight);
                      f.setTopMargin(20);
                  }),
                  repeated(3));
         addBlock(c, paragraph([](auto& f) {
                      f.setLineHeight(8, QTextBlockFormat::FixedHeight);
                      f.setTopMargin(5);
                      f.setBottomMargin(18);
                  }),
                  repeated(2));
         addBlock(c, paragraph([](auto& f) {
                      f.setLineHeight(25, QTextBlockFormat::MinimumHeight);
                      f.setTopMargin(7);
                  }),
                  repeated(2));
         addBlock(c, paragraph([](auto& f) {
                      f.setLineHeight(100, QTextBlockFormat::SingleHeight);
                      f.setBottomMargin(9);
                  }),
                  QString());
         addBlock(c, paragraph([](auto& f) { f.setTopMargin(3); }), repeated(1));
     }},
    {"figures",
     [](QTextCursor& c) {
         c.document()->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("figure")),
                                   QImage(8, 8, QImage::Format_RGB32));
         QTextImageFormat figure;
         figure.setName(QStringLiteral("figure"));
         figure.setWidth(120);
         figure.setHeight(90);
         addBlock(c, {}, repeated(1));
         c.insertImage(figure);
         c.insertText(repeated(1));
         addBlock(c, {}, QString());
         c.insertImage(figure);
         figure.setWidth(300);
         figure.setHeight(40);
         figure.setVerticalAlignment(QTextCharFormat::AlignMiddle);
         addBlock(c, {}, QStringLiteral("前"));
         c.insertImage(figure);
         c.insertImage(figure);
         c.insertText(QStringLiteral("后"));
     }},
};

// A paint device of 192 dpi, as the zoom's device at 200 % on a screen of 96.
QImage zoomedDevice() {
    QImage image(4, 4, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(192 / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

struct Documents {
    QTextDocument ours;
    QTextDocument qts;
    ManuscriptLayout* layout = nullptr;
};

void prepare(QTextDocument& document, const Case& c, QPaintDevice* device) {
    document.setDefaultFont(QFont(QStringLiteral("宋体"), 9));
    if (device) document.documentLayout()->setPaintDevice(device);
    FigureLayout::install(document);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    c.fill(cursor);
    cursor.endEditBlock();
    document.setTextWidth(kTextWidth);
}

std::unique_ptr<Documents> make(const Case& c, QPaintDevice* device) {
    auto docs = std::make_unique<Documents>();
    docs->layout = new ManuscriptLayout(&docs->ours);
    docs->ours.setDocumentLayout(docs->layout);
    prepare(docs->ours, c, device);
    prepare(docs->qts, c, device);
    docs->layout->settle();
    docs->qts.documentLayout()->documentSize();  // lays everything out
    return docs;
}

void expectNear(const QRectF& ours, const QRectF& qts) {
    EXPECT_NEAR(ours.x(), qts.x(), kTolerance);
    EXPECT_NEAR(ours.y(), qts.y(), kTolerance);
    EXPECT_NEAR(ours.width(), qts.width(), kTolerance);
    EXPECT_NEAR(ours.height(), qts.height(), kTolerance);
}

class ManuscriptLayoutAgrees : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(ManuscriptLayoutAgrees, BlocksLinesAndHitsStandWhereQtPutsThem) {
    const auto [caseIndex, zoom] = GetParam();
    const Case& c = kCases[caseIndex];
    QImage zoomed = zoomedDevice();
    const auto docs = make(c, zoom == 200 ? &zoomed : nullptr);
    SCOPED_TRACE(testing::Message() << c.name << " at " << zoom << " %");
    ASSERT_TRUE(docs->layout->isSettled());
    ASSERT_EQ(docs->ours.blockCount(), docs->qts.blockCount());

    QTextBlock mine = docs->ours.begin();
    for (QTextBlock theirs = docs->qts.begin(); theirs.isValid();
         theirs = theirs.next(), mine = mine.next()) {
        SCOPED_TRACE(testing::Message() << "block " << theirs.blockNumber());
        expectNear(docs->ours.documentLayout()->blockBoundingRect(mine),
                   docs->qts.documentLayout()->blockBoundingRect(theirs));
        const QTextLayout* a = mine.layout();
        const QTextLayout* b = theirs.layout();
        ASSERT_EQ(a->lineCount(), b->lineCount());
        for (int i = 0; i < b->lineCount(); ++i) {
            SCOPED_TRACE(testing::Message() << "line " << i);
            EXPECT_EQ(a->lineAt(i).textStart(), b->lineAt(i).textStart());
            expectNear(a->lineAt(i).naturalTextRect().translated(a->position()),
                       b->lineAt(i).naturalTextRect().translated(b->position()));
        }
    }
    const QSizeF ourSize = docs->ours.documentLayout()->documentSize();
    const QSizeF qtSize = docs->qts.documentLayout()->documentSize();
    EXPECT_NEAR(ourSize.width(), qtSize.width(), kTolerance);
    EXPECT_NEAR(ourSize.height(), qtSize.height(), kTolerance);

    for (double y = -10; y < qtSize.height() + 20; y += 7) {
        for (double x = -5; x < kTextWidth * (zoom / 100.0) + 10; x += 23) {
            for (Qt::HitTestAccuracy accuracy : {Qt::FuzzyHit, Qt::ExactHit}) {
                const QPointF point(x, y);
                ASSERT_EQ(docs->ours.documentLayout()->hitTest(point, accuracy),
                          docs->qts.documentLayout()->hitTest(point, accuracy))
                    << "at " << x << ", " << y << (accuracy == Qt::ExactHit ? " exact" : " fuzzy");
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, ManuscriptLayoutAgrees,
                         ::testing::Combine(::testing::Range(0, int(std::size(kCases))),
                                            ::testing::Values(100, 200)));

// A long manuscript of paragraphs of the same length.
void fillLong(QTextDocument& document, int paragraphs) {
    document.setDefaultFont(QFont(QStringLiteral("宋体"), 9));
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (int i = 0; i < paragraphs; ++i) {
        if (i > 0) cursor.insertBlock();
        cursor.insertText(repeated(2));
    }
    cursor.endEditBlock();
}

int laidOutBlocks(const QTextDocument& document) {
    int count = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.layout()->lineCount() > 0) ++count;
    }
    return count;
}

TEST(ManuscriptLayout, LaysOutOnlyTheBlocksAskedFor) {
    QTextDocument document;
    auto* layout = new ManuscriptLayout(&document);
    document.setDocumentLayout(layout);
    fillLong(document, 3000);
    document.setTextWidth(kTextWidth);

    EXPECT_EQ(laidOutBlocks(document), 0);
    // The size is known before anything is laid out, from the estimates.
    EXPECT_GT(layout->documentSize().height(), 3000 * 2 * 12);
    const QRectF last = layout->blockBoundingRect(document.lastBlock());
    EXPECT_EQ(laidOutBlocks(document), 1);
    EXPECT_GT(last.top(), layout->documentSize().height() * 0.9);
    EXPECT_FALSE(layout->isSettled());
}

TEST(ManuscriptLayout, AnEditLaysOutOnlyTheBlocksItTouched) {
    QTextDocument document;
    auto* layout = new ManuscriptLayout(&document);
    document.setDocumentLayout(layout);
    fillLong(document, 3000);
    document.setTextWidth(kTextWidth);
    QTextCursor cursor(document.findBlockByNumber(1500));
    cursor.insertText(QStringLiteral("新"));
    // The block after keeps its place and gap: the edited block's format stayed as it was.
    EXPECT_EQ(laidOutBlocks(document), 1);
    EXPECT_GT(document.findBlockByNumber(1500).layout()->lineCount(), 0);
    // A new space below the paragraph moves the block after it down by as much.
    const double below = layout->blockBoundingRect(document.findBlockByNumber(1501)).top();
    QTextBlockFormat spaced;
    spaced.setBottomMargin(30);
    cursor.mergeBlockFormat(spaced);
    EXPECT_NEAR(layout->blockBoundingRect(document.findBlockByNumber(1501)).top(), below + 30, 1);
    // Only the block being edited keeps its shaped text, which the caret and drawing reuse.
    EXPECT_TRUE(document.findBlockByNumber(1500).layout()->cacheEnabled());
    QTextCursor(document.findBlockByNumber(10)).insertText(QStringLiteral("新"));
    EXPECT_TRUE(document.findBlockByNumber(10).layout()->cacheEnabled());
    EXPECT_FALSE(document.findBlockByNumber(1500).layout()->cacheEnabled());
    cursor.insertBlock();
    EXPECT_EQ(document.blockCount(), 3001);
    EXPECT_GT(document.findBlockByNumber(1501).layout()->lineCount(), 0);
    EXPECT_EQ(document.findBlockByNumber(2000).layout()->lineCount(), 0);
}

TEST(ManuscriptLayout, IdleTimeLaysOutTheRestInShortSlices) {
    QTextDocument document;
    auto* layout = new ManuscriptLayout(&document);
    document.setDocumentLayout(layout);
    fillLong(document, 2000);
    document.setTextWidth(kTextWidth);
    QElapsedTimer clock;
    clock.start();
    qint64 longest = 0;
    while (!layout->isSettled() && clock.elapsed() < 20000) {
        QElapsedTimer turn;
        turn.start();
        QApplication::processEvents(QEventLoop::AllEvents);
        longest = std::max(longest, turn.nsecsElapsed());
        // Each turn of the event loop runs at most one slice and a block beyond it.
        if (!layout->isSettled()) EXPECT_LT(turn.nsecsElapsed(), 15'000'000);
    }
    EXPECT_TRUE(layout->isSettled());
    EXPECT_EQ(laidOutBlocks(document), 2000);
}

}  // namespace
}  // namespace pennory::platform::qt

namespace pennory::platform::qt {
namespace {

// The estimate of a block never laid out is what keeps the scroll bar still while the rest is
// laid out: for plain Chinese paragraphs it is within a line in twenty of the real height.
TEST(ManuscriptLayout, EstimatesChineseParagraphsCloselyBeforeLayingThemOut) {
    for (double width : {300.0, 420.0, 777.0}) {
        SCOPED_TRACE(width);
        QTextDocument document;
        auto* layout = new ManuscriptLayout(&document);
        document.setDocumentLayout(layout);
        fillLong(document, 400);
        document.setTextWidth(width);
        const double estimated = layout->documentSize().height();
        layout->settle();
        const double real = layout->documentSize().height();
        EXPECT_NEAR(estimated, real, real * 0.05);
    }
}


}  // namespace
}  // namespace pennory::platform::qt

#include <QScrollBar>
#include <QTextEdit>

namespace pennory::platform::qt {
namespace {

// Paragraphs of larger type than the default font, so that their estimates fall short.
void fillUneven(QTextDocument& document, int paragraphs) {
    document.setDefaultFont(QFont(QStringLiteral("宋体"), 9));
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (int i = 0; i < paragraphs; ++i) {
        if (i > 0) cursor.insertBlock();
        cursor.insertText(kChinese.left(7 + (i * 37) % 45) + repeated(i % 3),
                          charFormat(QStringLiteral("宋体"), 16));
    }
    cursor.endEditBlock();
}

// An editor with the editor's layout and 4000 uneven paragraphs, shown, nothing laid out
// in idle time yet.
struct UnevenEditor {
    UnevenEditor() {
        edit.document()->setDocumentLayout(layout);
        fillUneven(*edit.document(), 4000);
        edit.resize(500, 400);
        edit.show();
        QApplication::processEvents();
    }
    QTextEdit edit;
    ManuscriptLayout* layout = new ManuscriptLayout(edit.document());
};

TEST(ManuscriptLayout, TheViewKeepsItsTextWhileTheBlocksAboveAreLaidOut) {
    UnevenEditor editor;
    QTextEdit& edit = editor.edit;
    ManuscriptLayout* layout = editor.layout;
    QScrollBar* bar = edit.verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    edit.viewport()->repaint();
    const int shown = edit.cursorForPosition(QPoint(10, 10)).blockNumber();
    ASSERT_FALSE(layout->isSettled());
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer sinceDrawn;
    sinceDrawn.start();
    while (!layout->isSettled() && clock.elapsed() < 20000) {
        QApplication::processEvents();
        // Drawn again and again while idle time lays the blocks out, with the quiet moments
        // between in which the layout takes in the heights it found.
        if (sinceDrawn.elapsed() >= 250) {
            edit.viewport()->repaint();
            sinceDrawn.restart();
        }
    }
    ASSERT_TRUE(layout->isSettled());
    EXPECT_NEAR(edit.cursorForPosition(QPoint(10, 10)).blockNumber(), shown, 1);
}

// The heights found in idle time are taken in together, a few times a second, so that the
// scroll bar and the view do not change at every slice.
TEST(ManuscriptLayout, IdleHeightsReachTheScrollBarAFewTimesASecond) {
    UnevenEditor editor;
    ManuscriptLayout* layout = editor.layout;
    int reports = 0;
    QObject::connect(layout, &QAbstractTextDocumentLayout::documentSizeChanged,
                     [&reports] { ++reports; });
    QElapsedTimer clock;
    clock.start();
    int slices = 0;
    while (!layout->isSettled() && clock.elapsed() < 20000) {
        QApplication::processEvents();
        ++slices;
    }
    ASSERT_TRUE(layout->isSettled());
    // Once for what the first view drew and the first slice, then every 400 ms or so; not at
    // every slice.
    EXPECT_LE(reports, clock.elapsed() / 400 + 4) << slices << " turns";
    EXPECT_LT(reports, slices / 3) << slices << " turns";
}

// While the view is being drawn, as when the writer jumps to the end or types, the heights
// found in idle time wait, so that the scroll bar holds still; they come in once it is quiet.
TEST(ManuscriptLayout, IdleHeightsWaitWhileTheViewIsDrawn) {
    UnevenEditor editor;
    QTextEdit& edit = editor.edit;
    ManuscriptLayout* layout = editor.layout;
    edit.viewport()->repaint();
    int reports = 0;
    QObject::connect(layout, &QAbstractTextDocumentLayout::documentSizeChanged,
                     [&reports] { ++reports; });
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer sinceDrawn;
    sinceDrawn.start();
    while (clock.elapsed() < 800) {
        QApplication::processEvents();
        if (sinceDrawn.elapsed() >= 50) {
            edit.viewport()->repaint();
            sinceDrawn.restart();
        }
    }
    EXPECT_EQ(reports, 0);
    while (!layout->isSettled() && clock.elapsed() < 20000) QApplication::processEvents();
    ASSERT_TRUE(layout->isSettled());
    EXPECT_GT(reports, 0);
}

}  // namespace
}  // namespace pennory::platform::qt
