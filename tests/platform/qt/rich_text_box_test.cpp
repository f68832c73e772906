// The Qt rich-text box: what goes in comes back, characters, formats and positions alike.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTextBlock>
#include <QWidget>
#include <random>

#include "platform/qt/qt_rich_text_box.h"
#include "platform/qt/qt_services.h"
#include "support/styled_text_printer.h"

namespace pennory::platform::qt {
namespace {

using text::CharFormat;
using text::StyledText;

CharFormat manuscriptFormat() { return CharFormat{u"宋体", 9.0f}; }

class QtRichTextBoxTest : public ::testing::Test {
protected:
    QtRichTextBoxTest() : box(&window, manuscriptFormat(), [this] { ++clicks; }) {
        window.resize(600, 400);
        box.setGeometry({0, 0, 9000, 6000});
    }

    // Shows the window and gives the box the keyboard focus, as a click would.
    void focusBox() {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        box.setFocus();
        ASSERT_EQ(QApplication::focusWidget(), box.widget());
    }

    QWidget window;
    QtRichTextBox box;
    int clicks = 0;
};

// ---- Random styled text

class StyledTextGenerator {
public:
    explicit StyledTextGenerator(unsigned seed) : m_random(seed) {}

    StyledText text(int runs) {
        StyledText out;
        for (int i = 0; i < runs; ++i) out.append(characters(pick(1, 12)), format());
        return out;
    }

    CharFormat format() {
        static const std::u16string names[] = {
            u"宋体",        u"黑体",           u"Arial", u"Times New Roman",
            u"楷体_GB2312", u"No Such Font 9", u"x"};
        CharFormat f;
        f.fontName = names[pick(0, std::size(names) - 1)];
        f.sizePt = static_cast<float>(pick(2, 144)) / 2.0f;  // half points: 10.5 and the like
        f.bold = pick(0, 1);
        f.italic = pick(0, 1);
        f.underline = pick(0, 1);
        f.strikethrough = pick(0, 1);
        f.colour = text::rgb(pick(0, 255), pick(0, 255), pick(0, 255));
        return f;
    }

    std::u16string characters(int count) {
        // Characters QTextDocument treats specially, the stand-ins' own pictures, and
        // everyday text.
        static const std::u16string special[] = {
            u"\r\n",   u"\r",     u"\n",     u"\u2028", u"\u2029", u"\uFDD0", u"\uFDD1",
            u"\uFFFC", u"\u00A0", u"\t",     u"\u240D", u"\u240A", u"\u00B6", u"\uFFFD",
            u"\uFEFF", u"\u200B", u"\uFFFF", u"\r\r\n", u"\n\r"};
        std::u16string out;
        for (int i = 0; i < count; ++i) {
            switch (pick(0, 7)) {
                case 0:
                    out += static_cast<char16_t>(pick(1, 31));
                    break;
                case 1:
                    out += special[pick(0, std::size(special) - 1)];
                    break;
                case 2:
                    out += static_cast<char16_t>(pick(0xE000, 0xF8FF));  // private use
                    break;
                case 3: {  // any plane above the first, private planes included
                    const char32_t c = static_cast<char32_t>(pick(0x10000, 0x10FFFD));
                    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
                    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
                    break;
                }
                case 4: {  // anything in the first plane but a surrogate
                    char16_t c = static_cast<char16_t>(pick(0x20, 0xFFFF));
                    if (c >= 0xD800 && c < 0xE000) c = u'?';
                    out += c;
                    break;
                }
                default:
                    out += static_cast<char16_t>(pick(0x4E00, 0x9FA5));  // CJK
            }
        }
        return out;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

private:
    std::mt19937 m_random;
};

TEST_F(QtRichTextBoxTest, RandomStyledTextComesBackIdentical) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        StyledTextGenerator generate(seed);
        const StyledText content = generate.text(generate.pick(0, 80));
        box.setContent(content);
        ASSERT_EQ(box.content(), content);
        ASSERT_EQ(box.text(), content.plainText());
    }
}

TEST_F(QtRichTextBoxTest, EveryCharacterOfTheFirstPlaneComesBack) {
    std::u16string all;
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        if (c < 0xD800 || c >= 0xE000) all += static_cast<char16_t>(c);
    }
    box.setText(all);
    EXPECT_EQ(box.text(), all);
    EXPECT_EQ(box.content(), StyledText(all, manuscriptFormat()));
}

TEST_F(QtRichTextBoxTest, PlainTextComesBackExactly) {
    const std::u16string cases[] = {
        u"\x01\x02\x03\x04\x05\x06\x07\x08\t\x0B\x0C\x0E\x0F\x10\x11\x12\x13\x14\x15\x16\x17"
        u"\x18\x19\x1A\x1B\x1C\x1D\x1E\x1F",
        u"\r",
        u"\n",
        u"a\rb",
        u"a\nb",
        u"\n\r",
        u"\r\r\n\n",
        u"甲\u00A0乙 \u00A0",
        u"\uFEFF头",
        u"\u2028",
        u"\u2029",
        u"a\u2029b\u2028c",
        u"\uFDD0\uFDD1\uFFFC",
        u"\r\n",
        u"\r\n\r\n",
        u"行一\r\n行二\r\n",
        u"\u240D\r\u240A\n\u00B6\u2029\uFFFD\uFFFC",
        u"𠀀𝄞\U000F0000",
        u""};
    for (const auto& text : cases) {
        SCOPED_TRACE(testing::PrintToString(text));
        box.setText(text);
        EXPECT_EQ(box.text(), text);
        box.setSelStart(0);
        box.setSelLength(text.size());
        EXPECT_EQ(box.selLength(), text.size());
        EXPECT_EQ(box.selText(), text);
    }
}

TEST_F(QtRichTextBoxTest, FormatsComeBackAsGiven) {
    StyledText content;
    content.append(u"宋体小五", CharFormat{u"宋体", 9.0f});
    content.append(u"五号", CharFormat{u"宋体", 10.5f});
    content.append(u"粗", CharFormat{u"黑体", 12.0f, true});
    content.append(u"斜\r\n", CharFormat{u"楷体_GB2312", 7.5f, false, true});
    content.append(u"线", CharFormat{u"Arial", 72.0f, false, false, true, true, 0x00FF8000});
    content.append(u"\r\n", CharFormat{u"Arial", 1.0f, true, true, true, true, 0x00123456});
    box.setContent(content);
    EXPECT_EQ(box.content(), content);
}

TEST_F(QtRichTextBoxTest, CrLfIsOneParagraphBreak) {
    box.setText(u"一\r\n二\r\n\r\n三");
    const QTextDocument& document = *box.widget()->document();
    EXPECT_EQ(document.blockCount(), 4);
    EXPECT_EQ(document.findBlockByNumber(1).text(), QString::fromUtf16(u"二"));
    EXPECT_EQ(box.text(), u"一\r\n二\r\n\r\n三");
}

TEST_F(QtRichTextBoxTest, CrAndLfInDifferentFormatsStayTwoCharacters) {
    StyledText content;
    content.append(u"a\r", CharFormat{u"宋体", 9.0f});
    content.append(u"\nb", CharFormat{u"宋体", 9.0f, true});
    box.setContent(content);
    EXPECT_EQ(box.content(), content);
    EXPECT_EQ(box.text(), u"a\r\nb");
}

TEST_F(QtRichTextBoxTest, PositionsCountEveryLineBreakAsTwo) {
    const std::u16string text = u"ab\r\n\r\n中文\r𝄞\r\n\nxy\r\n";
    box.setText(text);
    auto insideBreak = [&](std::size_t p) {
        return p > 0 && p < text.size() && text[p - 1] == u'\r' && text[p] == u'\n';
    };
    auto insidePair = [&](std::size_t p) {
        return p > 0 && p < text.size() && text[p - 1] >= 0xD800 && text[p - 1] < 0xDC00;
    };
    for (std::size_t start = 0; start <= text.size(); ++start) {
        if (insideBreak(start) || insidePair(start)) continue;
        for (std::size_t length = 0; start + length <= text.size(); ++length) {
            const std::size_t end = start + length;
            if (insideBreak(end) || insidePair(end)) continue;
            SCOPED_TRACE(testing::Message() << start << "+" << length);
            box.setSelStart(start);
            EXPECT_EQ(box.selStart(), start);
            EXPECT_EQ(box.selLength(), 0u);
            box.setSelLength(length);
            EXPECT_EQ(box.selStart(), start);
            EXPECT_EQ(box.selLength(), length);
            EXPECT_EQ(box.selText(), text.substr(start, length));
        }
    }
}

TEST_F(QtRichTextBoxTest, PositionsAreClampedAndHalfBreaksRounded) {
    box.setText(u"ab\r\ncd");
    box.setSelStart(100);
    EXPECT_EQ(box.selStart(), 6u);
    box.setSelStart(3);  // between CR and LF: before the break
    EXPECT_EQ(box.selStart(), 2u);
    box.setSelLength(100);
    EXPECT_EQ(box.selLength(), 4u);
    box.setSelStart(0);
    box.setSelLength(3);  // ends between CR and LF: the whole break is taken
    EXPECT_EQ(box.selText(), u"ab\r\n");
}

TEST_F(QtRichTextBoxTest, PositionsInALongDocumentMatchTheText) {
    std::u16string text;
    for (int line = 0; line < 20000; ++line) {
        text += std::u16string(static_cast<std::size_t>(line % 7), u'字') + u"\r\n";
    }
    box.setText(text);
    ASSERT_EQ(box.text(), text);
    for (std::size_t start :
         {std::size_t(0), std::size_t(12345), std::size_t(70001), text.size() - 5, text.size()}) {
        while (start > 0 && start < text.size() && text[start - 1] == u'\r') --start;
        box.setSelStart(start);
        box.setSelLength(4);
        EXPECT_EQ(box.selStart(), start);
        EXPECT_EQ(box.selText(), text.substr(start, box.selLength()));
    }
}

TEST_F(QtRichTextBoxTest, SetSelTextReplacesTheSelectionInTheFormatThere) {
    const CharFormat bold{u"黑体", 10.5f, true};
    StyledText content;
    content.append(u"前", manuscriptFormat());
    content.append(u"粗体", bold);
    box.setContent(content);

    box.setSelStart(1);
    box.setSelLength(2);
    box.setSelText(u"甲\r\n乙");
    EXPECT_EQ(box.text(), u"前甲\r\n乙");
    EXPECT_EQ(box.selStart(), 5u);
    EXPECT_EQ(box.selLength(), 0u);
    StyledText expected;
    expected.append(u"前", manuscriptFormat());
    expected.append(u"甲\r\n乙", bold);
    EXPECT_EQ(box.content(), expected);

    box.setSelStart(0);
    box.setSelText(u"\r");
    EXPECT_EQ(box.text(), u"\r前甲\r\n乙");
    EXPECT_EQ(box.selStart(), 1u);
}

TEST_F(QtRichTextBoxTest, FormatSettersChangeTheSelection) {
    box.setText(u"一二三四五六");
    box.setSelStart(1);
    box.setSelLength(3);
    box.setSelFont({u"黑体", 10.5f, true, true, true, true});
    box.setSelColour(0x000000FF);
    const CharFormat changed{u"黑体", 10.5f, true, true, true, true, 0x000000FF};
    EXPECT_EQ(box.selFormat(), changed);
    StyledText expected;
    expected.append(u"一", manuscriptFormat());
    expected.append(u"二三四", changed);
    expected.append(u"五六", manuscriptFormat());
    EXPECT_EQ(box.content(), expected);
    EXPECT_EQ(box.selStart(), 1u);
    EXPECT_EQ(box.selLength(), 3u);

    // A font leaves the colour as it is.
    box.setSelFont({u"黑体", 10.5f, false, true, false, true});
    CharFormat unbold = changed;
    unbold.bold = false;
    unbold.underline = false;
    EXPECT_EQ(box.selFormat(), unbold);
}

TEST_F(QtRichTextBoxTest, FormatSettersAtTheCaretApplyToWhatComesNext) {
    box.setText(u"一二");
    box.setSelStart(2);
    box.setSelFont({u"宋体", 9.0f, false, true});
    box.setSelColour(text::rgb(0, 128, 0));
    CharFormat next = manuscriptFormat();
    next.italic = true;
    next.colour = text::rgb(0, 128, 0);
    EXPECT_EQ(box.selFormat(), next);
    EXPECT_EQ(box.content(), StyledText(u"一二", manuscriptFormat()));

    box.setSelText(u"三");
    StyledText expected(u"一二", manuscriptFormat());
    expected.append(u"三", next);
    EXPECT_EQ(box.content(), expected);
}

TEST_F(QtRichTextBoxTest, TypedTextTakesTheFormatChosenAtTheCaret) {
    box.setText(u"一");
    box.setSelStart(1);
    box.setSelFont({u"宋体", 9.0f, true});
    QTest::keyClicks(box.widget(), "ab");
    CharFormat bold = manuscriptFormat();
    bold.bold = true;
    StyledText expected(u"一", manuscriptFormat());
    expected.append(u"ab", bold);
    EXPECT_EQ(box.content(), expected);
}

TEST_F(QtRichTextBoxTest, TextTypedAfterAStandInIsItself) {
    box.setText(u"a\r");
    box.setSelStart(2);
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x240D)));
    QApplication::sendEvent(box.widget(), &typed);
    EXPECT_EQ(box.text(), u"a\r\u240D");
    EXPECT_EQ(box.content(), StyledText(u"a\r\u240D", manuscriptFormat()));
}

TEST_F(QtRichTextBoxTest, EmptyBoxUsesItsDefaultFormat) {
    const CharFormat reference{u"宋体", 10.5f};
    QtRichTextBox second(&window, reference, {});
    EXPECT_EQ(second.defaultFormat(), reference);
    EXPECT_EQ(second.selFormat(), reference);
    QTest::keyClicks(second.widget(), "x");
    EXPECT_EQ(second.content(), StyledText(u"x", reference));
    second.setText(u"y");
    EXPECT_EQ(second.content(), StyledText(u"y", reference));
}

TEST_F(QtRichTextBoxTest, LoadingCannotBeUndone) {
    box.setText(u"旧");
    QTest::keyClicks(box.widget(), "typed");
    box.setContent(StyledText(u"新稿", CharFormat{u"黑体", 12.0f}));
    EXPECT_FALSE(box.widget()->document()->isUndoAvailable());
    box.widget()->undo();
    EXPECT_EQ(box.text(), u"新稿");
    box.setText(u"另一稿");
    box.widget()->undo();
    EXPECT_EQ(box.text(), u"另一稿");
}

TEST_F(QtRichTextBoxTest, CtrlZThroughTheKeyServiceUndoesTheLastTypedEdit) {
    focusBox();
    box.setText(u"稿子");
    box.setSelStart(2);
    QTest::keyClicks(box.widget(), "abc");
    ASSERT_EQ(box.text(), u"稿子abc");
    QtKeys keys;
    keys.sendKeys(u"^{z}");
    EXPECT_EQ(box.text(), u"稿子");
    keys.sendKeys(u"^{z}");  // nothing older than the load
    EXPECT_EQ(box.text(), u"稿子");
}

TEST_F(QtRichTextBoxTest, DeleteThroughTheKeyServiceDeletesAfterTheCaret) {
    focusBox();
    box.setText(u"ab\r\ncd");
    box.setSelStart(2);
    QtKeys keys;
    keys.sendKeys(u"{delete}");
    EXPECT_EQ(box.text(), u"abcd");
    box.setSelStart(1);
    box.setSelLength(2);
    keys.sendKeys(u"{delete}");
    EXPECT_EQ(box.text(), u"ad");
}

TEST_F(QtRichTextBoxTest, SetSelTextCanBeUndone) {
    focusBox();
    box.setText(u"稿");
    box.setSelStart(1);
    box.setSelText(u"，");
    QtKeys().sendKeys(u"^{z}");
    EXPECT_EQ(box.text(), u"稿");
}

TEST_F(QtRichTextBoxTest, MouseReleaseIsAClick) {
    focusBox();
    QTest::mouseClick(box.widget()->viewport(), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box.hasFocus());
}

TEST_F(QtRichTextBoxTest, ControlPropertiesReachTheWidget) {
    box.setGeometry({150, 300, 4500, 1500});
    EXPECT_EQ(box.widget()->geometry(), QRect(10, 20, 300, 100));
    EXPECT_EQ(box.geometry(), (Geometry{150, 300, 4500, 1500}));
    EXPECT_TRUE(box.visible());
    box.setVisible(false);
    EXPECT_FALSE(box.visible());
    EXPECT_TRUE(box.widget()->isHidden());
    box.setEnabled(false);
    EXPECT_FALSE(box.enabled());
    EXPECT_FALSE(box.widget()->isEnabled());
    box.setToolTip(u"稿子");
    EXPECT_EQ(box.toolTip(), u"稿子");
    EXPECT_EQ(box.widget()->toolTip(), QString::fromUtf16(u"稿子"));
}

}  // namespace
}  // namespace pennory::platform::qt
