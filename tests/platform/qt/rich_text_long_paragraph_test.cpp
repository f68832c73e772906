// Very long paragraphs in the Qt rich-text box: stored as several blocks, they must read,
// map and edit exactly as one paragraph.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QWidget>
#include <random>

#include "platform/qt/qt_rich_text_box.h"
#include "platform/qt/qt_rich_text_document.h"
#include "support/styled_text_printer.h"

namespace pennory::platform::qt {
namespace {

using text::CharFormat;
using text::StyledText;

constexpr int kLong = StyledTextWriter::kLongParagraph;

CharFormat manuscriptFormat() { return CharFormat{u"宋体", 9.0f}; }

bool isHigh(char16_t c) { return c >= 0xD800 && c < 0xDC00; }

// A text position the box can hold: not between CR and LF, nor inside a surrogate pair.
bool isWhole(const std::u16string& text, std::size_t p) {
    if (p == 0 || p >= text.size()) return true;
    return !(text[p - 1] == u'\r' && text[p] == u'\n') && !isHigh(text[p - 1]);
}

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    CharFormat format() {
        static const std::u16string names[] = {u"宋体", u"黑体", u"Arial"};
        CharFormat f{names[pick(0, 2)], static_cast<float>(pick(10, 30)) / 2.0f};
        f.bold = pick(0, 1);
        f.italic = pick(0, 1);
        f.colour = text::rgb(pick(0, 255), 0, pick(0, 255));
        return f;
    }

    // Mostly CJK with punctuation, and now and then control characters, characters stored
    // as stand-ins, lone CR or LF, and pairs of surrogates.
    std::u16string characters(int count) {
        static const std::u16string special[] = {u"\r",     u"\n",     u"\u2029", u"\uFDD0",
                                                 u"\uFFFC", u"\u240D", u"\t",     u"\x0C",
                                                 u"，",     u"。",     u" ",      u"\n\r"};
        std::u16string out;
        while (static_cast<int>(out.size()) < count) {
            switch (pick(0, 9)) {
                case 0:
                    out += special[pick(0, std::size(special) - 1)];
                    break;
                case 1:
                case 2: {
                    const char32_t c = static_cast<char32_t>(pick(0x10000, 0x10FFFD));
                    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
                    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
                    break;
                }
                case 3:
                    out += static_cast<char16_t>(pick(1, 31));
                    break;
                default:
                    out += static_cast<char16_t>(pick(0x4E00, 0x9FA5));
            }
        }
        return out;
    }

    // Paragraphs short and very long, in runs of several formats.
    StyledText content(int paragraphs) {
        StyledText out;
        for (int i = 0; i < paragraphs; ++i) {
            const int length = pick(0, 2) == 0 ? pick(0, 40) : pick(kLong - 20, 20000);
            int left = length;
            while (left > 0) {
                const int run = std::min(left, pick(1, 3) == 1 ? pick(1, 30) : pick(100, 6000));
                out.append(characters(run), format());
                left -= run;
            }
            if (i + 1 < paragraphs) out.append(u"\r\n", format());
        }
        return out;
    }

    // A paragraph of the one character, long enough for several blocks.
    std::u16string line(std::size_t length, char16_t c = u'字') {
        return std::u16string(length, c);
    }

private:
    std::mt19937 m_random;
};

class LongParagraphTest : public ::testing::Test {
protected:
    LongParagraphTest() : box(&window, manuscriptFormat(), {}) {
        window.resize(600, 400);
        box.setGeometry({0, 0, 9000, 6000});
    }

    const QTextDocument& document() const { return *box.widget()->document(); }

    // Puts the caret at a document position, as a click would.
    void caretAt(int position) {
        QTextCursor cursor = box.widget()->textCursor();
        cursor.setPosition(position);
        box.widget()->setTextCursor(cursor);
    }

    int softBreaks() const {
        int count = 0;
        for (QTextBlock b = document().begin(); b.isValid(); b = b.next()) count += isSoftBreak(b);
        return count;
    }

    QWidget window;
    QtRichTextBox box;
};

TEST_F(LongParagraphTest, StyledTextWithLongParagraphsComesBackIdentical) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        Generator generate(seed);
        const StyledText content = generate.content(generate.pick(1, 6));
        box.setContent(content);
        ASSERT_EQ(box.content(), content);
        ASSERT_EQ(box.text(), content.plainText());
        for (QTextBlock b = document().begin(); b.isValid(); b = b.next()) {
            ASSERT_LE(b.length() - 1, kLong);
        }
        box.setText(content.plainText());
        ASSERT_EQ(box.text(), content.plainText());
    }
}

TEST_F(LongParagraphTest, LongParagraphsAreSplitButNeverInsideASurrogatePair) {
    std::u16string text;
    for (int i = 0; i < 6000; ++i) text += u"\U0002000B";
    text += u"\r\n" + Generator(1).line(5000) + u"\r\n短";
    box.setText(text);
    EXPECT_EQ(box.text(), text);
    EXPECT_EQ(softBreaks(), 12000 / kLong + 5000 / kLong);
    EXPECT_EQ(document().blockCount(), 3 + softBreaks());
    for (QTextBlock b = document().begin(); b.isValid(); b = b.next()) {
        const QString t = b.text();
        if (!t.isEmpty()) { EXPECT_FALSE(t.back().isHighSurrogate()); }
    }
}

TEST_F(LongParagraphTest, TheSplitPrefersTheEndOfASentence) {
    Generator generate(2);
    const std::u16string first = generate.line(kLong - 30) + u"。";
    const std::u16string text = first + generate.line(3000);
    box.setText(text);
    ASSERT_GE(document().blockCount(), 2);
    EXPECT_EQ(document().firstBlock().text().size(), static_cast<int>(first.size()));
    EXPECT_EQ(box.text(), text);
}

TEST_F(LongParagraphTest, EveryPositionMapsExactly) {
    Generator generate(3);
    const StyledText content = generate.content(5);
    box.setContent(content);
    const std::u16string text = box.text();
    ASSERT_EQ(text, content.plainText());
    ASSERT_EQ(textLength(document()), text.size());
    ASSERT_GT(softBreaks(), 0);

    // Each document position against the length of the text read up to it.
    std::size_t expected = 0;
    const int end = documentEnd(document());
    for (int position = 0; position <= end; ++position) {
        ASSERT_EQ(toTextPosition(document(), position), expected) << position;
        if (position < end) expected += readPlain(document(), position, position + 1).size();
    }
    ASSERT_EQ(expected, text.size());

    // Each text position there and back, and through the box.
    for (std::size_t p = 0; p <= text.size(); ++p) {
        const int down = toDocumentPosition(document(), p, Rounding::Down);
        const int up = toDocumentPosition(document(), p, Rounding::Up);
        if (isWhole(text, p) || text[p - 1] != u'\r') {
            ASSERT_EQ(toTextPosition(document(), down), p) << p;
            ASSERT_EQ(toTextPosition(document(), up), p) << p;
        } else {  // between CR and LF: before or after the break
            ASSERT_EQ(toTextPosition(document(), down), p - 1) << p;
            ASSERT_EQ(toTextPosition(document(), up), p + 1) << p;
        }
    }
    std::mt19937 random(7);
    for (int i = 0; i < 400; ++i) {
        std::size_t start = random() % (text.size() + 1);
        std::size_t length = random() % 5000;
        while (!isWhole(text, start)) --start;
        length = std::min(length, text.size() - start);
        while (!isWhole(text, start + length)) ++length;
        box.setSelStart(start);
        box.setSelLength(length);
        ASSERT_EQ(box.selStart(), start);
        ASSERT_EQ(box.selLength(), length);
        ASSERT_EQ(box.selText(), text.substr(start, length));
    }
}

TEST_F(LongParagraphTest, SetSelTextInsideLongParagraphsIsTheSameEditOnTheText) {
    Generator generate(4);
    box.setContent(generate.content(4));
    std::u16string text = box.text();
    for (int i = 0; i < 150; ++i) {
        SCOPED_TRACE(i);
        std::size_t start = static_cast<std::size_t>(generate.pick(0, text.size()));
        while (!isWhole(text, start)) --start;
        std::size_t length = std::min<std::size_t>(generate.pick(0, 3000), text.size() - start);
        while (!isWhole(text, start + length)) ++length;
        const int kind = generate.pick(0, 3);
        const std::u16string inserted = kind == 0   ? std::u16string()
                                        : kind == 1 ? generate.characters(generate.pick(1, 10))
                                        : kind == 2
                                            ? u"\r\n" + generate.characters(5)
                                            : generate.characters(generate.pick(2000, 7000));
        box.setSelStart(start);
        box.setSelLength(length);
        box.setSelText(inserted);
        text.replace(start, length, inserted);
        ASSERT_EQ(box.text(), text);
        ASSERT_EQ(box.selStart(), start + inserted.size());
        ASSERT_EQ(textLength(document()), text.size());
    }
}

TEST_F(LongParagraphTest, ASelectionStartingAtASoftBreakHasTheFormatAfterIt) {
    const CharFormat bold{u"黑体", 12.0f, true};
    StyledText content(Generator(5).line(kLong, u'甲'), manuscriptFormat());
    content.append(u"乙乙", bold);
    box.setContent(content);
    ASSERT_EQ(softBreaks(), 1);
    box.setSelStart(kLong);
    box.setSelLength(1);
    EXPECT_EQ(box.selText(), u"乙");
    EXPECT_EQ(box.selFormat(), bold);
    EXPECT_EQ(box.content(), content);
}

TEST_F(LongParagraphTest, EnterInAContinuedParagraphAddsOneLineBreak) {
    const std::u16string text = Generator(6).line(3 * kLong + 100);
    for (int offset : {0, 1, 500}) {
        SCOPED_TRACE(offset);
        box.setText(text);
        const QTextBlock second = document().firstBlock().next();
        ASSERT_TRUE(isSoftBreak(second));
        caretAt(second.position() + offset);
        const std::size_t at = box.selStart();
        QTest::keyClick(box.widget(), Qt::Key_Return);
        std::u16string expected = text;
        expected.insert(at, u"\r\n");
        EXPECT_EQ(box.text(), expected);
        EXPECT_EQ(box.selStart(), at + 2);
        QTest::keyClicks(box.widget(), "ab");
        expected.insert(at + 2, u"ab");
        EXPECT_EQ(box.text(), expected);
        box.widget()->undo();
        box.widget()->undo();
        EXPECT_EQ(box.text(), text);
    }
}

TEST_F(LongParagraphTest, BackspaceAtASoftBreakDeletesTheCharacterBeforeIt) {
    std::u16string text;
    for (int i = 0; i < kLong; ++i) text += u"\U0002000B";  // the split falls between pairs
    box.setText(text + u"末");
    const QTextBlock second = document().firstBlock().next();
    ASSERT_TRUE(isSoftBreak(second));
    caretAt(second.position());
    const std::size_t at = box.selStart();
    ASSERT_TRUE(isHigh(text[at - 2]));
    QTest::keyClick(box.widget(), Qt::Key_Backspace);
    std::u16string expected = text + u"末";
    expected.erase(at - 2, 2);
    EXPECT_EQ(box.text(), expected);
    EXPECT_EQ(box.selStart(), at - 2);
    box.widget()->undo();
    EXPECT_EQ(box.text(), text + u"末");
}

TEST_F(LongParagraphTest, DeleteAtASoftBreakDeletesTheCharacterAfterIt) {
    const std::u16string text = Generator(7).line(kLong) + u"乙丙";
    box.setText(text);
    const QTextBlock first = document().firstBlock();
    ASSERT_TRUE(isSoftBreak(first.next()));
    caretAt(first.position() + first.length() - 1);
    QTest::keyClick(box.widget(), Qt::Key_Delete);
    EXPECT_EQ(box.text(), Generator(7).line(kLong) + u"丙");
    EXPECT_EQ(box.selStart(), static_cast<std::size_t>(kLong));
}

TEST_F(LongParagraphTest, BackspaceAfterAParagraphBreakStillJoinsTheParagraphs) {
    const std::u16string text = Generator(8).line(kLong + 10) + u"\r\n" + Generator(8).line(5);
    box.setText(text);
    box.setSelStart(kLong + 12);
    QTest::keyClick(box.widget(), Qt::Key_Backspace);
    EXPECT_EQ(box.text(), Generator(8).line(kLong + 15));
}

TEST_F(LongParagraphTest, DeletingAcrossBlocksKeepsEveryParagraphBreak) {
    // a long paragraph, a break, another long paragraph: selections that take a soft break
    // with them, on either side of the paragraph break.
    const std::u16string first = Generator(9).line(kLong + 50, u'甲');
    const std::u16string second = Generator(9).line(kLong + 50, u'乙');
    const std::u16string text = first + u"\r\n" + second;
    struct Case {
        std::size_t start, length;
    };
    for (const Case c : {Case{kLong - 5, 10}, Case{kLong - 5, 57}, Case{kLong + 52, 10},
                         Case{kLong + 50, 2055}, Case{kLong + 52, kLong + 3}, Case{0, kLong + 1}}) {
        SCOPED_TRACE(testing::Message() << c.start << "+" << c.length);
        box.setText(text);
        box.setSelStart(c.start);
        box.setSelLength(c.length);
        QTest::keyClick(box.widget(), Qt::Key_Delete);
        std::u16string expected = text;
        expected.erase(c.start, c.length);
        EXPECT_EQ(box.text(), expected);
        QTest::keyClicks(box.widget(), "x");
        expected.insert(c.start, u"x");
        EXPECT_EQ(box.text(), expected);
        box.widget()->undo();
        box.widget()->undo();
        EXPECT_EQ(box.text(), text);
    }
}

TEST_F(LongParagraphTest, EditsFromTheStartOfABlockKeepTheBreakBeforeIt) {
    // Blocks: a long paragraph in three, a break, a long paragraph in two, a break, a short one.
    const std::u16string text = Generator(11).line(2 * kLong + 30, u'甲') + u"\r\n" +
                                Generator(11).line(kLong + 40, u'乙') + u"\r\n丙丙丙";
    box.setText(text);
    ASSERT_EQ(document().blockCount(), 6);
    std::vector<int> starts;
    for (QTextBlock b = document().begin(); b.isValid(); b = b.next()) {
        starts.push_back(b.position());
    }
    enum class Edit { DeleteKey, Typing, SetSelText };
    for (std::size_t first = 1; first < starts.size(); ++first) {
        for (std::size_t last = first; last < starts.size(); ++last) {
            for (const Edit edit : {Edit::DeleteKey, Edit::Typing, Edit::SetSelText}) {
                SCOPED_TRACE(testing::Message()
                             << first << " " << last << " " << static_cast<int>(edit));
                box.setText(text);
                const int from = starts[first];
                const int to = starts[last] + (last + 1 < starts.size() ? 3 : 1);
                QTextCursor cursor = box.widget()->textCursor();
                cursor.setPosition(from);
                cursor.setPosition(to, QTextCursor::KeepAnchor);
                box.widget()->setTextCursor(cursor);
                const std::size_t start = toTextPosition(document(), from);
                std::u16string expected = text;
                expected.erase(start, toTextPosition(document(), to) - start);
                if (edit == Edit::DeleteKey) {
                    QTest::keyClick(box.widget(), Qt::Key_Delete);
                } else if (edit == Edit::Typing) {
                    QTest::keyClicks(box.widget(), "y");
                    expected.insert(start, u"y");
                } else {
                    box.setSelText(u"z\r\nz");
                    expected.insert(start, u"z\r\nz");
                }
                ASSERT_EQ(box.text(), expected);
                box.widget()->undo();
                ASSERT_EQ(box.text(), text);
            }
        }
    }
}

TEST_F(LongParagraphTest, TypingInAContinuedParagraphAndUndoingKeepTheText) {
    const std::u16string text = Generator(10).line(2 * kLong + 7) + u"\r\n尾";
    box.setText(text);
    caretAt(document().firstBlock().next().position());
    QTest::keyClicks(box.widget(), "abc");
    QTest::keyClick(box.widget(), Qt::Key_Backspace);
    std::u16string expected = text;
    expected.insert(box.selStart() - 2, u"ab");
    EXPECT_EQ(box.text(), expected);
    while (box.widget()->document()->isUndoAvailable()) box.widget()->undo();
    EXPECT_EQ(box.text(), text);
}

}  // namespace
}  // namespace pennory::platform::qt
