// The DOCX writer: what the package holds, and random styled texts that read back the same.

#include <gtest/gtest.h>

#include <random>

#include "platform/text/office_documents.h"
#include "platform/text/zip_package.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::toUtf8;

std::string part(const std::string& package, const std::string& name) {
    PackageProblem problem{};
    auto zip = ZipReader::open(package, problem);
    if (!zip) return {};
    return zip->read(name, problem).value_or("");
}

CharFormat format(std::u16string font, float size) {
    CharFormat f;
    f.fontName = std::move(font);
    f.sizePt = size;
    return f;
}

bool contains(const std::string& text, const std::string& piece) {
    return text.find(piece) != std::string::npos;
}

TEST(DocxWriter, PackageHoldsEveryPartWithTheFormats) {
    StyledText text;
    CharFormat song = format(u"宋体", 10.5f);
    song.colour = rgb(0x12, 0x34, 0x56);
    CharFormat hei = format(u"黑体", 16.0f);
    hei.bold = hei.italic = hei.underline = hei.strikethrough = true;
    text.append(u"他说：“好”\t a\r\n", song);
    text.append(u"“Quote”", format(u"Arial", 12.0f));
    text.append(u"黑", hei);
    const std::string docx = writeDocx(text);
    ASSERT_TRUE(looksLikeDocx(docx));

    const std::string document = part(docx, "word/document.xml");
    EXPECT_TRUE(contains(document,
                         "<w:rFonts w:ascii=\"宋体\" w:hAnsi=\"宋体\" w:eastAsia=\"宋体\" "
                         "w:cs=\"宋体\" w:hint=\"eastAsia\"/>"));
    EXPECT_TRUE(contains(document, "<w:color w:val=\"123456\"/>"));
    EXPECT_TRUE(contains(document, "<w:sz w:val=\"21\"/><w:szCs w:val=\"21\"/>"));
    EXPECT_TRUE(contains(document,
                         "<w:t xml:space=\"preserve\">他说：“好”</w:t><w:tab/>"
                         "<w:t xml:space=\"preserve\"> a</w:t>"));
    EXPECT_TRUE(contains(document,
                         "<w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\" "
                         "w:eastAsia=\"Arial\" w:cs=\"Arial\"/>"));  // no hint
    EXPECT_TRUE(contains(document, "<w:b/>"));
    EXPECT_TRUE(contains(document, "<w:i/>"));
    EXPECT_TRUE(contains(document, "<w:strike/>"));
    EXPECT_TRUE(contains(document, "<w:u w:val=\"single\"/>"));
    EXPECT_TRUE(contains(document, "<w:sz w:val=\"32\"/>"));
    EXPECT_TRUE(contains(document, "</w:p><w:p>"));

    const std::string styles = part(docx, "word/styles.xml");
    EXPECT_TRUE(contains(styles, "<w:lang w:val=\"en-US\" w:eastAsia=\"zh-CN\""));
    EXPECT_TRUE(contains(styles, "w:eastAsia=\"宋体\""));
    EXPECT_TRUE(contains(styles, "w:styleId=\"Normal\""));
    const std::string fonts = part(docx, "word/fontTable.xml");
    EXPECT_TRUE(contains(fonts,
                         "<w:font w:name=\"宋体\"><w:altName w:val=\"SimSun\"/>"
                         "<w:charset w:val=\"86\"/>"));
    EXPECT_TRUE(contains(fonts, "<w:font w:name=\"黑体\"><w:altName w:val=\"SimHei\"/>"));
    EXPECT_TRUE(contains(fonts, "<w:font w:name=\"Arial\">"));
    EXPECT_TRUE(contains(part(docx, "docProps/app.xml"), "<Application>Pennory</Application>"));
    EXPECT_TRUE(contains(part(docx, "word/settings.xml"),
                         "<w:themeFontLang w:val=\"en-US\" "
                         "w:eastAsia=\"zh-CN\"/>"));
    EXPECT_FALSE(part(docx, "docProps/core.xml").empty());
    EXPECT_FALSE(part(docx, "word/_rels/document.xml.rels").empty());
}

TEST(DocxWriter, EmptyTextIsOneEmptyParagraphInTheEditorsFont) {
    const std::string docx = writeDocx(StyledText());
    const std::string document = part(docx, "word/document.xml");
    EXPECT_TRUE(contains(document, "<w:body><w:p></w:p><w:sectPr>"));
    EXPECT_TRUE(contains(part(docx, "word/styles.xml"), "w:eastAsia=\"宋体\""));
    const OfficeReading back = readDocx(docx, CharFormat{});
    EXPECT_FALSE(back.problem.has_value());
    EXPECT_TRUE(back.content.empty());
}

// The form a text takes through any paragraph-based format: a line break carries the format of
// the character before it (of the first character after it at the start).
StyledText normalised(const StyledText& text) {
    StyledText out;
    std::vector<std::pair<char16_t, CharFormat>> units;
    for (const auto& run : text.runs())
        for (char16_t c : run.text) units.emplace_back(c, run.format);
    const CharFormat* lead = nullptr;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool inBreak =
            (units[i].first == u'\r' && i + 1 < units.size() && units[i + 1].first == u'\n') ||
            (units[i].first == u'\n' && i > 0 && units[i - 1].first == u'\r');
        if (!inBreak && !lead) lead = &units[i].second;
    }
    CharFormat previous = lead ? *lead : CharFormat{};
    bool seen = false;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool breakStart =
            units[i].first == u'\r' && i + 1 < units.size() && units[i + 1].first == u'\n';
        if (breakStart) {
            out.append(u"\r\n", seen ? previous : *lead);
            ++i;
            continue;
        }
        previous = units[i].second;
        seen = true;
        out.append(std::u16string(1, units[i].first), units[i].second);
    }
    return out;
}

StyledText randomText(std::mt19937& random) {
    static const std::u16string pieces[] = {u"中文", u"汉字测试", u"abc",  u"XYZ 12", u" ",
                                            u"  ",   u"\t",       u"\r\n", u"“引号”", u"‘单’",
                                            u"·—…",  u"é&<>\"",   u"，。", u"𠀀"};
    static const std::u16string fonts[] = {u"宋体", u"黑体", u"Arial", u"Times New Roman"};
    static const float sizes[] = {9.0f, 10.5f, 12.0f, 5.5f, 22.0f, 72.0f};
    StyledText text;
    const int runs = std::uniform_int_distribution<int>(1, 8)(random);
    for (int r = 0; r < runs; ++r) {
        CharFormat f;
        f.fontName = fonts[random() % std::size(fonts)];
        f.sizePt = sizes[random() % std::size(sizes)];
        f.bold = random() % 2;
        f.italic = random() % 2;
        f.underline = random() % 2;
        f.strikethrough = random() % 2;
        f.colour = random() % 3 == 0 ? 0 : static_cast<Colour>(random() & 0xFFFFFF);
        std::u16string chars;
        const int n = std::uniform_int_distribution<int>(1, 5)(random);
        for (int i = 0; i < n; ++i) chars += pieces[random() % std::size(pieces)];
        text.append(chars, f);
    }
    return text;
}

TEST(DocxWriter, RandomStyledTextsReadBackTheSame) {
    std::mt19937 random(20240607);
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        const StyledText text = randomText(random);
        const OfficeReading back = readDocx(writeDocx(text), CharFormat{});
        ASSERT_FALSE(back.problem.has_value());
        EXPECT_TRUE(back.leftOut.empty());
        ASSERT_EQ(toUtf8(back.content.plainText()), toUtf8(text.plainText()));
        EXPECT_EQ(back.content, normalised(text));
    }
}

TEST(DocxWriter, LoneCarriageReturnsAndLineFeedsSurvive) {
    const StyledText text(u"a\rb\nc\r\n\n\rd", format(u"宋体", 10.5f));
    EXPECT_EQ(readDocx(writeDocx(text), CharFormat{}).content, text);
}

}  // namespace
}  // namespace pennory::text
