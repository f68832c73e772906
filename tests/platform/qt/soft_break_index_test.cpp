// The index of soft breaks follows every kind of change to the editor's document: after each
// edit, every block maps to the text position its paragraph and soft breaks give it, as
// counted block by block from the document itself.

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/qt/qt_rich_text_box.h"
#include "platform/qt/qt_rich_text_document.h"
#include "platform/qt/qt_soft_breaks.h"

namespace pennory::platform::qt {
namespace {

constexpr int kLong = StyledTextWriter::kLongParagraph;

// A paragraph break is two units of the text, a soft break none: the position of the start
// of block n is its document position plus the paragraph breaks before it, less the soft
// ones' separators.
void expectPositionsAsCounted(const QTextDocument& document, const char* edit) {
    std::size_t paragraphBreaks = 0;
    std::size_t softBreaks = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.previous().isValid()) {
            if (isSoftBreak(block)) {
                ++softBreaks;
            } else {
                ++paragraphBreaks;
            }
        }
        const auto start =
            static_cast<std::size_t>(block.position()) - softBreaks + paragraphBreaks;
        ASSERT_EQ(toTextPosition(document, block.position()), start)
            << edit << ", block " << block.blockNumber();
        // At a soft break, the end of the block before is the same text position.
        ASSERT_EQ(toTextPosition(document, toDocumentPosition(document, start, Rounding::Down)),
                  start)
            << edit << ", block " << block.blockNumber();
    }
    const int end = documentEnd(document);
    EXPECT_EQ(textLength(document), static_cast<std::size_t>(end) - softBreaks + paragraphBreaks)
        << edit;
}

class SoftBreakIndexTest : public ::testing::Test {
public:
    SoftBreakIndexTest() : box(&window, text::CharFormat{u"宋体", 9.0f}, {}) {
        // Three long paragraphs of several blocks each, and short ones between them.
        std::u16string text;
        for (int i = 0; i < 3; ++i) {
            text += std::u16string(3 * kLong + 100, static_cast<char16_t>(u'甲' + i));
            text += u"\r\n短\r\n\r\n";
        }
        box.setText(text);
    }
    QTextDocument& document() { return *box.widget()->document(); }
    // The document position of the start of block n.
    int blockStart(int n) { return document().findBlockByNumber(n).position(); }

    QWidget window;
    QtRichTextBox box;
};

struct Edit {
    const char* name;
    std::function<void(SoftBreakIndexTest&, QTextCursor&)> apply;
};

TEST_F(SoftBreakIndexTest, FollowsEveryKindOfEdit) {
    ASSERT_GT(document().blockCount(), 12);
    expectPositionsAsCounted(document(), "loaded");
    const Edit edits[] = {
        {"a character typed in a continued block",
         [](SoftBreakIndexTest& t, QTextCursor& c) {
             c.setPosition(t.blockStart(1) + 5);
             c.insertText(QStringLiteral("字"));
         }},
        {"a character taken from the first block",
         [](SoftBreakIndexTest&, QTextCursor& c) {
             c.setPosition(3);
             c.deleteChar();
         }},
        {"a paragraph break typed in a continued block",
         [](SoftBreakIndexTest& t, QTextCursor& c) {
             c.setPosition(t.blockStart(2) + 7);
             c.insertBlock(QTextBlockFormat());
         }},
        {"a soft break put in",
         [](SoftBreakIndexTest& t, QTextCursor& c) {
             c.setPosition(t.blockStart(5) + 1);
             insertSoftBreak(c, QTextCharFormat());
         }},
        {"the text across two soft breaks removed",
         [](SoftBreakIndexTest& t, QTextCursor& c) {
             c.setPosition(t.blockStart(6) - 10);
             c.setPosition(t.blockStart(8) + 10, QTextCursor::KeepAnchor);
             c.removeSelectedText();
         }},
        {"a soft break taken back (Backspace at the block's start)",
         [](SoftBreakIndexTest& t, QTextCursor& c) {
             const int n = t.document().blockCount() - 4;
             c.setPosition(t.blockStart(n));
             c.deletePreviousChar();
         }},
        {"a paragraph break turned into a soft one",
         [](SoftBreakIndexTest& t, QTextCursor& c) {
             c.setPosition(t.blockStart(t.document().blockCount() - 1));
             QTextBlockFormat soft;
             soft.setProperty(kSoftBreak, true);
             c.mergeBlockFormat(soft);
         }},
        {"several changes in one edit block",
         [](SoftBreakIndexTest& t, QTextCursor& c) {
             c.beginEditBlock();
             c.setPosition(t.blockStart(3) + 2);
             c.insertText(QStringLiteral("前"));
             c.setPosition(t.blockStart(9));
             insertSoftBreak(c, QTextCharFormat());
             c.setPosition(t.blockStart(1) + 1);
             c.setPosition(t.blockStart(2) + 1, QTextCursor::KeepAnchor);
             c.removeSelectedText();
             c.endEditBlock();
         }},
        {"undone", [](SoftBreakIndexTest& t, QTextCursor&) { t.document().undo(); }},
        {"undone again", [](SoftBreakIndexTest& t, QTextCursor&) { t.document().undo(); }},
        {"redone", [](SoftBreakIndexTest& t, QTextCursor&) { t.document().redo(); }},
        {"everything removed but the first character",
         [](SoftBreakIndexTest& t, QTextCursor& c) {
             c.setPosition(1);
             c.setPosition(documentEnd(t.document()), QTextCursor::KeepAnchor);
             c.removeSelectedText();
         }},
    };
    QTextCursor cursor(&document());
    for (const Edit& edit : edits) {
        edit.apply(*this, cursor);
        expectPositionsAsCounted(document(), edit.name);
        if (HasFatalFailure()) return;
    }
}

// The box's own edits, the text read back whole, agree with the text the edits made.
TEST_F(SoftBreakIndexTest, TypingThroughTheBoxKeepsTheTextExact) {
    std::u16string expected = box.text();
    box.setSelStart(kLong + 10);
    box.setSelText(u"插入");
    expected.insert(kLong + 10, u"插入");
    box.setSelStart(5);
    box.setSelLength(2 * kLong);
    box.setSelText(u"换");
    expected.replace(5, 2 * kLong, u"换");
    EXPECT_EQ(box.text(), expected);
    expectPositionsAsCounted(document(), "after the box's edits");
}

}  // namespace
}  // namespace pennory::platform::qt
