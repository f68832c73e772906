// Reading hand-written WordprocessingML: the style hierarchy, fonts by character class, and
// what of the document's structure becomes text.

#include <gtest/gtest.h>

#include <functional>

#include "docx_test_support.h"
#include "platform/text/office_documents.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::docxPackage;
using testing::toUtf8;

CharFormat plainFormat() {
    CharFormat f;
    f.fontName = u"宋体";
    f.sizePt = 10.5f;
    return f;
}

CharFormat format(std::u16string font, float size, bool bold = false, bool italic = false,
                  Colour colour = 0) {
    CharFormat f;
    f.fontName = std::move(font);
    f.sizePt = size;
    f.bold = bold;
    f.italic = italic;
    f.colour = colour;
    return f;
}

std::string describe(const StyledText& text) {
    std::string out;
    for (const auto& run : text.runs()) {
        out += "[" + toUtf8(run.text) + "|" + toUtf8(run.format.fontName) + " " +
               std::to_string(run.format.sizePt) + (run.format.bold ? " b" : "") +
               (run.format.italic ? " i" : "") + (run.format.underline ? " u" : "") +
               (run.format.strikethrough ? " s" : "") + " #" + std::to_string(run.format.colour) +
               "]";
    }
    return out;
}

OfficeReading read(const std::string& body, const std::string& styles = "",
                   const std::string& theme = "", const std::string& notes = "") {
    return readDocx(docxPackage(body, styles, theme, notes), plainFormat());
}

std::u16string textOf(const std::string& body) {
    const OfficeReading r = read(body);
    EXPECT_FALSE(r.problem.has_value());
    return r.content.plainText();
}

constexpr const char* kInheritance =
    "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\" "
    "w:eastAsia=\"宋体\"/><w:sz w:val=\"24\"/></w:rPr></w:rPrDefault></w:docDefaults>"
    "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:rPr>"
    "<w:color w:val=\"0000FF\"/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Base\"><w:rPr><w:b/><w:color w:val=\"FF0000\"/>"
    "</w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Heading\"><w:basedOn w:val=\"Base\"/>"
    "<w:link w:val=\"HeadingChar\"/><w:rPr><w:rFonts w:eastAsia=\"黑体\"/><w:sz w:val=\"32\"/>"
    "</w:rPr></w:style>"
    "<w:style w:type=\"character\" w:styleId=\"HeadingChar\"><w:rPr><w:i/></w:rPr></w:style>"
    "<w:style w:type=\"character\" w:styleId=\"Strong\"><w:rPr><w:u w:val=\"single\"/>"
    "</w:rPr></w:style>";

TEST(DocxReader, DefaultsThenParagraphStyleChainThenDirectFormatting) {
    const OfficeReading r = read(
        "<w:p><w:pPr><w:pStyle w:val=\"Heading\"/><w:rPr><w:sz w:val=\"80\"/></w:rPr></w:pPr>"
        "<w:r><w:rPr><w:b w:val=\"0\"/><w:i/></w:rPr><w:t>标题A</w:t></w:r></w:p>",
        kInheritance);
    ASSERT_FALSE(r.problem.has_value());
    StyledText expected;
    expected.append(u"标题", format(u"黑体", 16.0f, false, true, rgb(255, 0, 0)));
    expected.append(u"A", format(u"Arial", 16.0f, false, true, rgb(255, 0, 0)));
    EXPECT_EQ(describe(r.content), describe(expected));
}

TEST(DocxReader, DefaultParagraphStyleCharacterStylesAndLinkedStyles) {
    const OfficeReading r = read(
        "<w:p><w:r><w:t>正文</w:t></w:r><w:r><w:rPr><w:rStyle w:val=\"Strong\"/></w:rPr>"
        "<w:t>强</w:t></w:r><w:r><w:rPr><w:rStyle w:val=\"Heading\"/></w:rPr><w:t>链</w:t>"
        "</w:r></w:p>",
        kInheritance);
    StyledText expected;
    expected.append(u"正文", format(u"宋体", 12.0f, false, false, rgb(0, 0, 255)));
    CharFormat strong = format(u"宋体", 12.0f, false, false, rgb(0, 0, 255));
    strong.underline = true;
    expected.append(u"强", strong);
    // A paragraph style named as a character style stands for its linked character style.
    expected.append(u"链", format(u"宋体", 12.0f, false, true, rgb(0, 0, 255)));
    EXPECT_EQ(describe(r.content), describe(expected));
}

TEST(DocxReader, WithoutStylesTextTakesThePlainFormat) {
    const OfficeReading r = read("<w:p><w:r><w:t>字A</w:t></w:r></w:p>");
    EXPECT_EQ(describe(r.content), describe(StyledText(u"字A", plainFormat())));
}

struct HintCase {
    const char* name;
    const char* hint;
    std::u16string eastAsianPart;
    std::u16string latinPart;
};

TEST(DocxReader, HintDecidesTheFontOfCharactersBothScriptsUse) {
    const HintCase cases[] = {
        {"hint", " w:hint=\"eastAsia\"", u"“中”—…·", u""},
        {"no hint", "", u"中", u"“”—…·"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const OfficeReading r = read(
            std::string("<w:p><w:r><w:rPr><w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Times New Roman\" "
                        "w:eastAsia=\"黑体\"") +
            c.hint + "/></w:rPr><w:t>A“中”—…·é</w:t></w:r></w:p>");
        std::u16string east, latin, ascii, other;
        for (const auto& run : r.content.runs()) {
            if (run.format.fontName == u"黑体") east += run.text;
            if (run.format.fontName == u"Times New Roman") latin += run.text;
            if (run.format.fontName == u"Arial") ascii += run.text;
        }
        std::u16string sortedEast = east, expectedEast = c.eastAsianPart;
        std::sort(sortedEast.begin(), sortedEast.end());
        std::sort(expectedEast.begin(), expectedEast.end());
        EXPECT_EQ(toUtf8(sortedEast), toUtf8(expectedEast));
        std::u16string expectedLatin = c.latinPart + u"é";
        std::sort(latin.begin(), latin.end());
        std::sort(expectedLatin.begin(), expectedLatin.end());
        EXPECT_EQ(toUtf8(latin), toUtf8(expectedLatin));
        EXPECT_EQ(toUtf8(ascii), "A");
    }
}

TEST(DocxReader, ThemeFontsComeFromTheMinorAndMajorSchemes) {
    const std::string theme =
        "<a:majorFont><a:latin typeface=\"Cambria\"/><a:ea typeface=\"\"/></a:majorFont>"
        "<a:minorFont><a:latin typeface=\"Calibri\"/><a:ea typeface=\"\"/>"
        "<a:font script=\"Jpan\" typeface=\"MS Mincho\"/><a:font script=\"Hans\" "
        "typeface=\"等线\"/></a:minorFont>";
    const std::string styles =
        "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:asciiTheme=\"minorHAnsi\" "
        "w:hAnsiTheme=\"minorHAnsi\" w:eastAsiaTheme=\"minorEastAsia\"/></w:rPr></w:rPrDefault>"
        "</w:docDefaults>";
    const OfficeReading r = read(
        "<w:p><w:r><w:t>中A</w:t></w:r><w:r><w:rPr><w:rFonts w:eastAsiaTheme=\"majorEastAsia\"/>"
        "</w:rPr><w:t>文</w:t></w:r></w:p>",
        styles, theme);
    StyledText expected;
    expected.append(u"中", format(u"等线", 10.5f));
    expected.append(u"A", format(u"Calibri", 10.5f));
    expected.append(u"文", format(u"Cambria", 10.5f));  // no East Asian major font: the latin
    EXPECT_EQ(describe(r.content), describe(expected));
}

TEST(DocxReader, RunFlagsSizeAndColour) {
    const OfficeReading r = read(
        "<w:p><w:r><w:rPr><w:b/><w:i w:val=\"true\"/><w:u/><w:dstrike/><w:sz w:val=\"21\"/>"
        "<w:szCs w:val=\"40\"/><w:color w:val=\"12AB34\"/></w:rPr><w:t>x</w:t></w:r>"
        "<w:r><w:rPr><w:b w:val=\"false\"/><w:u w:val=\"none\"/><w:strike w:val=\"0\"/>"
        "<w:color w:val=\"auto\"/></w:rPr><w:t>y</w:t></w:r></w:p>");
    CharFormat x = format(u"宋体", 10.5f, true, true, rgb(0x12, 0xAB, 0x34));
    x.underline = true;
    x.strikethrough = true;
    StyledText expected;
    expected.append(u"x", x);
    expected.append(u"y", format(u"宋体", 10.5f));
    EXPECT_EQ(describe(r.content), describe(expected));
}

struct TextCase {
    const char* name;
    const char* body;
    std::u16string text;
};

TEST(DocxReader, StructureBecomesText) {
    const TextCase cases[] = {
        {"paragraphs and empty ones",
         "<w:p><w:r><w:t>一</w:t></w:r></w:p><w:p/><w:p><w:r><w:t>二</w:t></w:r></w:p>",
         u"一\r\n\r\n二"},
        {"breaks, tabs, hyphens, symbols",
         "<w:p><w:r><w:t>a</w:t><w:br/><w:t>b</w:t><w:br w:type=\"page\"/><w:tab/><w:t>c</w:t>"
         "<w:noBreakHyphen/><w:softHyphen/><w:sym w:font=\"Symbol\" w:char=\"03A9\"/></w:r></w:p>",
         u"a\r\nb\r\n\tc\u2011\u00AD\u03A9"},
        {"tab stops are no text",
         "<w:p><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"420\"/></w:tabs></w:pPr>"
         "<w:r><w:t>x</w:t></w:r></w:p>",
         u"x"},
        {"spaces kept", "<w:p><w:r><w:t xml:space=\"preserve\">  a  b </w:t></w:r></w:p>",
         u"  a  b "},
        {"deleted text and field codes are no text",
         "<w:p><w:del><w:r><w:delText>旧</w:delText></w:r></w:del><w:ins><w:r><w:t>新</w:t>"
         "</w:r></w:ins></w:p>",
         u"新"},
        {"complex field keeps its result",
         "<w:p><w:r><w:t>第</w:t></w:r><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>"
         "<w:r><w:instrText> PAGE </w:instrText></w:r><w:r><w:t>x</w:t></w:r>"
         "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r><w:r><w:t>3</w:t></w:r>"
         "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r><w:r><w:t>页</w:t></w:r></w:p>",
         u"第3页"},
        {"nested field in an instruction",
         "<w:p><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText>IF "
         "</w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r>"
         "<w:fldChar w:fldCharType=\"separate\"/></w:r><w:r><w:t>inner</w:t></w:r><w:r>"
         "<w:fldChar w:fldCharType=\"end\"/></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/>"
         "</w:r><w:r><w:t>结果</w:t></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r></w:p>",
         u"结果"},
        {"simple field",
         "<w:p><w:fldSimple w:instr=\" DATE \"><w:r><w:t>2024年</w:t></w:r></w:fldSimple></w:p>",
         u"2024年"},
        {"table",
         "<w:tbl><w:tblPr/><w:tr><w:tc><w:tcPr/><w:p><w:r><w:t>a</w:t></w:r></w:p></w:tc>"
         "<w:tc><w:p><w:r><w:t>b</w:t></w:r></w:p><w:p><w:r><w:t>b2</w:t></w:r></w:p></w:tc>"
         "</w:tr><w:tr><w:tc><w:p/></w:tc><w:tc><w:p><w:r><w:t>d</w:t></w:r></w:p></w:tc></w:tr>"
         "</w:tbl><w:p><w:r><w:t>后</w:t></w:r></w:p>",
         u"a\tb b2\r\n\td\r\n后"},
        {"text box once, Choice before Fallback",
         "<w:p><w:r><w:t>前</w:t></w:r><w:r><mc:AlternateContent><mc:Choice Requires=\"wps\">"
         "<w:drawing><w:txbxContent><w:p><w:r><w:t>框</w:t></w:r></w:p></w:txbxContent>"
         "</w:drawing></mc:Choice><mc:Fallback><w:pict><v:textbox><w:txbxContent><w:p><w:r>"
         "<w:t>框</w:t></w:r></w:p></w:txbxContent></v:textbox></w:pict></mc:Fallback>"
         "</mc:AlternateContent></w:r><w:r><w:t>后</w:t></w:r></w:p>",
         u"前\r\n框\r\n后"},
        {"Fallback alone",
         "<w:p><w:r><mc:AlternateContent><mc:Fallback><w:pict><v:textbox><w:txbxContent><w:p>"
         "<w:r><w:t>框</w:t></w:r></w:p></w:txbxContent></v:textbox></w:pict></mc:Fallback>"
         "</mc:AlternateContent></w:r></w:p>",
         u"\r\n框"},
        {"ruby base only",
         "<w:p><w:r><w:ruby><w:rt><w:r><w:t>hàn</w:t></w:r></w:rt><w:rubyBase><w:r><w:t>汉</w:t>"
         "</w:r></w:rubyBase></w:ruby></w:r></w:p>",
         u"汉"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(toUtf8(textOf(c.body)), toUtf8(c.text));
    }
}

constexpr const char* kParagraphStyles =
    "<w:docDefaults><w:pPrDefault><w:pPr><w:spacing w:after=\"200\" w:line=\"276\" "
    "w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>"
    "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:pPr>"
    "<w:ind w:left=\"240\"/></w:pPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Base\"><w:pPr><w:jc w:val=\"center\"/>"
    "<w:ind w:firstLineChars=\"200\" w:firstLine=\"420\"/></w:pPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Child\"><w:basedOn w:val=\"Base\"/><w:pPr>"
    "<w:spacing w:line=\"360\" w:lineRule=\"auto\" w:before=\"120\"/></w:pPr></w:style>";

ParagraphFormat paragraphWith(const std::function<void(ParagraphFormat&)>& set) {
    ParagraphFormat f;
    set(f);
    return f;
}

// Paragraph formats come from the defaults, then the style and what it is based on, then the
// paragraph's own properties, each property on its own.
TEST(DocxReader, ParagraphFormatsThroughTheStyleChain) {
    const auto defaults = [](ParagraphFormat& f) {
        f.spaceAfterPt = 10.0f;
        f.lineSpacing.value = 1.15f;
    };
    const auto child = [&](ParagraphFormat& f) {
        defaults(f);
        f.alignment = Alignment::Centre;
        f.firstLine.charsHundredths = 200;
        f.lineSpacing.value = 1.5f;
        f.spaceBeforePt = 6.0f;
    };
    const struct {
        const char* name;
        const char* pPr;
        ParagraphFormat expected;
    } cases[] = {
        {"default style over the defaults", "", paragraphWith([&](ParagraphFormat& f) {
             defaults(f);
             f.left.points = 12.0f;
         })},
        {"based-on chain", "<w:pStyle w:val=\"Child\"/>", paragraphWith(child)},
        {"direct over the chain", "<w:pStyle w:val=\"Child\"/><w:jc w:val=\"right\"/>",
         paragraphWith([&](ParagraphFormat& f) {
             child(f);
             f.alignment = Alignment::Right;
         })},
        {"start is left", "<w:pStyle w:val=\"Child\"/><w:jc w:val=\"start\"/>",
         paragraphWith([&](ParagraphFormat& f) {
             child(f);
             f.alignment = Alignment::Left;
         })},
        {"end is right", "<w:jc w:val=\"end\"/>", paragraphWith([&](ParagraphFormat& f) {
             defaults(f);
             f.left.points = 12.0f;
             f.alignment = Alignment::Right;
         })},
        {"distribute is justified", "<w:pStyle w:val=\"Child\"/><w:jc w:val=\"distribute\"/>",
         paragraphWith([&](ParagraphFormat& f) {
             child(f);
             f.alignment = Alignment::Justify;
         })},
        {"characters zeroed let twips count",
         "<w:pStyle w:val=\"Child\"/><w:ind w:firstLineChars=\"0\" w:firstLine=\"480\"/>",
         paragraphWith([&](ParagraphFormat& f) {
             child(f);
             f.firstLine = Indent{0, 24.0f};
         })},
        {"hanging in twips", "<w:ind w:left=\"840\" w:hanging=\"420\"/>",
         paragraphWith([&](ParagraphFormat& f) {
             defaults(f);
             f.left.points = 42.0f;
             f.firstLine.points = -21.0f;
         })},
        {"hanging in characters", "<w:ind w:hangingChars=\"150\" w:hanging=\"315\"/>",
         paragraphWith([&](ParagraphFormat& f) {
             defaults(f);
             f.left.points = 12.0f;
             f.firstLine.charsHundredths = -150;
         })},
    };
    for (const auto& c : cases) {
        const OfficeReading r =
            read(std::string("<w:p><w:pPr>") + c.pPr + "</w:pPr><w:r><w:t>段</w:t></w:r></w:p>",
                 kParagraphStyles);
        ASSERT_FALSE(r.problem.has_value()) << c.name;
        ASSERT_EQ(r.content.paragraphs().size(), 1u) << c.name;
        EXPECT_EQ(r.content.paragraphs()[0], c.expected) << c.name;
    }
}

TEST(DocxReader, ParagraphBreakTakesTheFormatOfTheTextBeforeIt) {
    const OfficeReading r = read(
        "<w:p/><w:p><w:r><w:rPr><w:b/></w:rPr><w:t>粗</w:t></w:r></w:p><w:p><w:r><w:t>细</w:t>"
        "</w:r></w:p>");
    CharFormat bold = plainFormat();
    bold.bold = true;
    StyledText expected;
    expected.append(u"\r\n粗\r\n", bold);
    expected.append(u"细", plainFormat());
    EXPECT_EQ(describe(r.content), describe(expected));
}

TEST(DocxReader, FootnotesFollowTheTextInTheOrderReferred) {
    const OfficeReading r = read(
        "<w:p><w:r><w:t>正文</w:t></w:r><w:r><w:footnoteReference w:id=\"3\"/></w:r>"
        "<w:r><w:t>续</w:t></w:r><w:r><w:footnoteReference w:id=\"2\"/></w:r></w:p>",
        "", "",
        "<w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p>"
        "</w:footnote><w:footnote w:id=\"2\"><w:p><w:r><w:footnoteRef/></w:r><w:r>"
        "<w:t xml:space=\"preserve\"> 注二</w:t></w:r></w:p></w:footnote>"
        "<w:footnote w:id=\"3\"><w:p><w:r><w:footnoteRef/></w:r><w:r><w:t>注三</w:t></w:r></w:p>"
        "</w:footnote>");
    EXPECT_EQ(toUtf8(r.content.plainText()), "正文续\r\n注三\r\n注二");
    EXPECT_TRUE(r.leftOut.has(LeftOut::Footnotes));
}

TEST(DocxReader, ReportsWhatItLeavesOut) {
    struct Case {
        const char* name;
        const char* body;
        LeftOut kind;
    };
    const Case cases[] = {
        {"picture", "<w:p><w:r><w:drawing><a:blip/></w:drawing></w:r></w:p>", LeftOut::Pictures},
        {"VML picture", "<w:p><w:r><w:pict><v:shape/></w:pict></w:r></w:p>", LeftOut::Pictures},
        {"table", "<w:tbl><w:tr><w:tc><w:p/></w:tc></w:tr></w:tbl>", LeftOut::Tables},
        {"header", "<w:p/><w:sectPr><w:headerReference w:id=\"r9\"/></w:sectPr>",
         LeftOut::HeadersFooters},
        {"comment", "<w:p><w:commentRangeStart w:id=\"0\"/><w:r><w:t>x</w:t></w:r></w:p>",
         LeftOut::Comments},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const OfficeReading r = read(c.body);
        EXPECT_EQ(r.leftOut.list(), std::vector<LeftOut>{c.kind});
    }
    const OfficeReading box =
        read("<w:p><w:r><w:drawing><w:txbxContent><w:p/></w:txbxContent></w:drawing></w:r></w:p>");
    EXPECT_TRUE(box.leftOut.empty());
}

TEST(DocxReader, BadPackagesGiveTheirProblem) {
    EXPECT_EQ(readDocx("not a zip at all", plainFormat()).problem, PackageProblem::NotAZip);
    ZipWriter noTypes;
    noTypes.add("word/document.xml", "<w:document/>");
    EXPECT_EQ(readDocx(noTypes.finish(), plainFormat()).problem, PackageProblem::NotADocument);

    ZipWriter noMain;
    noMain.add("[Content_Types].xml",
               "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
               "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
               "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>");
    const std::string missing = noMain.finish();
    EXPECT_TRUE(looksLikeDocx(missing));
    EXPECT_EQ(readDocx(missing, plainFormat()).problem, PackageProblem::MissingPart);

    const std::string broken = docxPackage("<w:p><w:r><w:t>x</w:r></w:p>");
    const OfficeReading r = readDocx(broken, plainFormat());
    EXPECT_EQ(r.problem, PackageProblem::BadXml);
    EXPECT_TRUE(r.content.empty());
    const std::string truncated = docxPackage("<w:p/>").substr(0, 200);
    EXPECT_TRUE(readDocx(truncated, plainFormat()).problem.has_value());
    EXPECT_FALSE(looksLikeDocx("PK\x03\x04 nothing"));
}

}  // namespace
}  // namespace pennory::text
