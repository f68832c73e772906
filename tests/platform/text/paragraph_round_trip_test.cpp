// Paragraph formats written by each writer come back from its reader as set: alignment,
// indents in characters or points, the three line spacing rules and the space around a
// paragraph. Lengths may come back rounded to the file's unit (twips, or ODT's points), and
// ODT, which cannot hold an indent in characters, gives it back in points.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "platform/text/office_documents.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"

namespace pennory::text {
namespace {

class RandomParagraphs {
public:
    explicit RandomParagraphs(unsigned seed) : m_random(seed) {}

    StyledText next() {
        StyledText text;
        const int paragraphs = 1 + below(6);
        for (int p = 0; p < paragraphs; ++p) {
            CharFormat format;
            format.sizePt = static_cast<float>(8 + below(20)) / (below(2) ? 1.0f : 2.0f) + 4.0f;
            if (p > 0) text.append(u"\r\n", format);
            const int length = below(8);
            for (int i = 0; i < length; ++i) {
                const char16_t c = below(2) ? static_cast<char16_t>(0x4E00 + below(0x5000))
                                            : static_cast<char16_t>(u'a' + below(26));
                text.append(std::u16string(1, c), format);
            }
        }
        for (std::size_t p = 0; p < text.paragraphs().size(); ++p)
            text.setParagraphFormat(p, below(4) == 0 ? ParagraphFormat{} : randomFormat());
        return text;
    }

private:
    int below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    Indent randomIndent(bool mayBeNegative) {
        Indent indent;
        switch (below(3)) {
            case 0:
                break;
            case 1:
                indent.charsHundredths = 50 * (1 + below(8));
                break;
            default:
                indent.points = static_cast<float>(below(144)) / 2.0f;
                break;
        }
        if (mayBeNegative && below(4) == 0) {
            indent.charsHundredths = -indent.charsHundredths;
            indent.points = -indent.points;
        }
        return indent;
    }

    ParagraphFormat randomFormat() {
        ParagraphFormat f;
        f.alignment = static_cast<Alignment>(below(4));
        f.firstLine = randomIndent(true);
        f.left = randomIndent(false);
        f.right = randomIndent(false);
        switch (below(3)) {
            case 0:
                f.lineSpacing = {LineSpacing::Rule::Multiple, 1.0f + 0.25f * below(9)};
                break;
            case 1:
                f.lineSpacing = {LineSpacing::Rule::Exactly, 6.0f + below(60) / 2.0f};
                break;
            default:
                f.lineSpacing = {LineSpacing::Rule::AtLeast, 6.0f + below(60) / 2.0f};
                break;
        }
        f.spaceBeforePt = static_cast<float>(below(48)) / 2.0f;
        f.spaceAfterPt = static_cast<float>(below(48)) / 2.0f;
        return f;
    }

    std::mt19937 m_random;
};

// Within a twentieth of a point (a twip rounds to that; a centimetre with three places too).
bool near(float a, float b) { return std::fabs(a - b) <= 0.05f; }

// expected with every indent in characters turned into points for a text of sizePt.
ParagraphFormat inPoints(ParagraphFormat f, float sizePt) {
    for (Indent* indent : {&f.firstLine, &f.left, &f.right}) {
        if (indent->isCharacters()) *indent = Indent{0, indent->pointsFor(sizePt)};
    }
    return f;
}

::testing::AssertionResult sameFormat(const ParagraphFormat& expected,
                                      const ParagraphFormat& actual) {
    auto sameIndent = [](const Indent& a, const Indent& b) {
        return a.charsHundredths == b.charsHundredths && near(a.points, b.points);
    };
    const bool same = expected.alignment == actual.alignment &&
                      sameIndent(expected.firstLine, actual.firstLine) &&
                      sameIndent(expected.left, actual.left) &&
                      sameIndent(expected.right, actual.right) &&
                      expected.lineSpacing.rule == actual.lineSpacing.rule &&
                      near(expected.lineSpacing.value, actual.lineSpacing.value) &&
                      near(expected.spaceBeforePt, actual.spaceBeforePt) &&
                      near(expected.spaceAfterPt, actual.spaceAfterPt);
    if (same) return ::testing::AssertionSuccess();
    auto describe = [](const ParagraphFormat& f) {
        auto indent = [](const Indent& i) {
            return std::to_string(i.charsHundredths) + "ch/" + std::to_string(i.points) + "pt";
        };
        return "align " + std::to_string(static_cast<int>(f.alignment)) + " first " +
               indent(f.firstLine) + " left " + indent(f.left) + " right " + indent(f.right) +
               " line " + std::to_string(static_cast<int>(f.lineSpacing.rule)) + ":" +
               std::to_string(f.lineSpacing.value) + " before " + std::to_string(f.spaceBeforePt) +
               " after " + std::to_string(f.spaceAfterPt);
    };
    return ::testing::AssertionFailure()
           << "expected " << describe(expected) << "\n  actual " << describe(actual);
}

struct Codec {
    const char* name;
    std::function<StyledText(const StyledText&)> roundTrip;
    bool charactersAsPoints;  // the format cannot hold an indent in characters
};

void PrintTo(const Codec& codec, std::ostream* out) { *out << codec.name; }

class ParagraphRoundTrip : public ::testing::TestWithParam<Codec> {};

TEST_P(ParagraphRoundTrip, FormatsComeBackAsSet) {
    const Codec& codec = GetParam();
    RandomParagraphs random(20240611);
    for (int i = 0; i < 300; ++i) {
        const StyledText text = random.next();
        const StyledText back = codec.roundTrip(text);
        ASSERT_EQ(back.plainText(), text.plainText()) << codec.name << " case " << i;
        ASSERT_EQ(back.paragraphs().size(), text.paragraphs().size()) << "case " << i;
        for (std::size_t p = 0; p < text.paragraphs().size(); ++p) {
            ParagraphFormat expected = text.paragraphs()[p];
            if (codec.charactersAsPoints) {
                const std::size_t start = p == 0 ? 0 : [&] {
                    std::size_t at = 0;
                    for (std::size_t k = 0; k < p; ++k) at = text.plainText().find(u"\r\n", at) + 2;
                    return at;
                }();
                const std::size_t at = std::min(start, text.length() - (text.length() > 0));
                expected = inPoints(expected, text.slice(at, 1).runs().empty()
                                                  ? CharFormat{}.sizePt
                                                  : text.slice(at, 1).runs()[0].format.sizePt);
            }
            ASSERT_TRUE(sameFormat(expected, back.paragraphs()[p]))
                << codec.name << " case " << i << " paragraph " << p;
        }
    }
}

const CharFormat kPlain{};

INSTANTIATE_TEST_SUITE_P(
    Codecs, ParagraphRoundTrip,
    ::testing::Values(
        Codec{"rtf", [](const StyledText& t) { return readRtf(writeRtf(t)); }, false},
        Codec{"docx", [](const StyledText& t) { return readDocx(writeDocx(t), kPlain).content; },
              false},
        Codec{"odt", [](const StyledText& t) { return readOdt(writeOdt(t), kPlain).content; },
              true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pennory::text

namespace pennory::text {
namespace {

ParagraphFormat centredIndented() {
    ParagraphFormat f;
    f.alignment = Alignment::Centre;
    f.firstLine.charsHundredths = 200;
    return f;
}

// Paragraph words as other writers give them, and where they count.
TEST(RtfParagraphWords, SetTheParagraphTheyEnd) {
    ParagraphFormat justified;
    justified.alignment = Alignment::Justify;
    ParagraphFormat leftRight;
    leftRight.left.points = 36.0f;
    leftRight.right.points = 18.0f;
    ParagraphFormat exactly;
    exactly.lineSpacing = {LineSpacing::Rule::Exactly, 18.0f};
    ParagraphFormat atLeast;
    atLeast.lineSpacing = {LineSpacing::Rule::AtLeast, 15.0f};
    atLeast.spaceBeforePt = 6.0f;
    atLeast.spaceAfterPt = 3.0f;
    ParagraphFormat oneAndHalf;
    oneAndHalf.lineSpacing.value = 1.5f;
    const struct {
        const char* name;
        const char* body;
        ParagraphFormat expected;
    } cases[] = {
        {"distributed", "\\pard\\qd x\\par", justified},
        {"lin and rin", "\\pard\\lin720\\rin360 x\\par", leftRight},
        {"characters win over twips", "\\pard\\qc\\fi420\\cufi200 x\\par", centredIndented()},
        {"exact", "\\pard\\sl-360\\slmult0 x\\par", exactly},
        {"at least", "\\pard\\sl300\\slmult0\\sb120\\sa60 x\\par", atLeast},
        {"multiple", "\\pard\\sl360\\slmult1 x\\par", oneAndHalf},
        {"pard resets", "\\qc\\fi420\\pard x\\par", ParagraphFormat{}},
        {"a group's words end with it", "\\pard{\\qc x}\\par", ParagraphFormat{}},
        {"no par: the words where the text was", "{\\pard\\qc\\cufi200 x}", centredIndented()},
    };
    for (const auto& c : cases) {
        const StyledText text = readRtf(std::string("{\\rtf1\\ansi ") + c.body + "}");
        ASSERT_EQ(text.paragraphs().size(), 1u) << c.name;
        EXPECT_EQ(text.paragraphs()[0], c.expected) << c.name;
    }
}

TEST(RtfParagraphWords, WriterPutsThemAfterPard) {
    CharFormat twelve;
    twelve.sizePt = 12.0f;
    StyledText text(u"甲\r\n乙\r\n丙", twelve);
    text.setParagraphFormat(1, centredIndented());
    const std::string rtf = writeRtf(text);
    // Two characters of 12 pt are 480 twips.
    EXPECT_NE(rtf.find("\\par\r\n\\pard\\qc\\fi480\\cufi200 "), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\par\r\n\\pard "), std::string::npos) << rtf;
    // Without paragraph formats, the header's \pard is the only one.
    const std::string plain = writeRtf(StyledText(u"甲\r\n乙"));
    EXPECT_EQ(plain.find("\\pard"), plain.rfind("\\pard")) << plain;
}

// A break may have its CR in one run and its LF in the next, when the two differ in format.
TEST(RtfParagraphWords, BreakSplitAcrossRunsIsOneParagraph) {
    CharFormat plain;
    CharFormat bold;
    bold.bold = true;
    const struct {
        const char* name;
        std::u16string before, after, last;
        bool formatted;
    } cases[] = {
        {"formatted", u"甲\r", u"\n乙", u"", true},
        {"plain", u"甲\r", u"\n乙", u"", false},
        {"the LF a run of its own", u"甲\r", u"\n", u"乙", true},
    };
    for (const auto& c : cases) {
        StyledText text;
        text.append(c.before, bold);
        text.append(c.after, plain);
        if (!c.last.empty()) text.append(c.last, bold);
        ASSERT_EQ(text.paragraphs().size(), 2u) << c.name;
        if (c.formatted) text.setParagraphFormat(1, centredIndented());
        const std::string rtf = writeRtf(text);
        EXPECT_EQ(rtf.find("\\'0d"), std::string::npos) << c.name << rtf;
        const StyledText back = readRtf(rtf);
        EXPECT_EQ(back.plainText(), u"甲\r\n乙") << c.name;
        ASSERT_EQ(back.paragraphs().size(), 2u) << c.name;
        EXPECT_EQ(back.paragraphs()[0], ParagraphFormat{}) << c.name;
        EXPECT_EQ(back.paragraphs()[1], c.formatted ? centredIndented() : ParagraphFormat{})
            << c.name;
    }
}

}  // namespace
}  // namespace pennory::text
