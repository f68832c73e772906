// ODT: what Pennory writes reads back identical; hand-written parts in the forms other
// programs write resolve their styles as the format defines; odfpy and LibreOffice, when
// installed, read Pennory's files and Pennory reads LibreOffice's.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "paragraph_test_support.h"
#include "platform/text/office_documents.h"
#include "platform/text/rtf_reader.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::dataPath;
using testing::readBytes;
using testing::soffice;
using testing::toUtf8;

CharFormat format(std::u16string font, float size, bool bold = false, bool italic = false,
                  bool underline = false, bool strike = false, Colour colour = 0) {
    CharFormat f;
    f.fontName = std::move(font);
    f.sizePt = size;
    f.bold = bold;
    f.italic = italic;
    f.underline = underline;
    f.strikethrough = strike;
    f.colour = colour;
    return f;
}

StyledText randomText(std::mt19937& random) {
    static const std::u16string pieces[] = {u"汉字",     u"中文，测试。", u"abc",  u"XYZ 12", u" ",
                                            u"   ",      u"\t",           u"\r\n", u"<&>\"'", u"𠀀",
                                            u"かな한글", u"（全角）",     u"é€"};
    static const std::u16string fonts[] = {u"宋体",  u"黑体",       u"楷体", u"Times New Roman",
                                           u"Arial", u"DejaVu Sans"};
    static const float sizes[] = {9.0f, 10.5f, 12.0f, 14.0f, 22.0f, 7.5f, 42.0f};
    StyledText text;
    int runs = std::uniform_int_distribution<int>(0, 12)(random);
    for (int r = 0; r < runs; ++r) {
        std::u16string piece;
        int count = std::uniform_int_distribution<int>(1, 5)(random);
        for (int i = 0; i < count; ++i) piece += pieces[random() % std::size(pieces)];
        text.append(piece,
                    format(fonts[random() % std::size(fonts)], sizes[random() % std::size(sizes)],
                           random() % 2, random() % 2, random() % 2, random() % 2,
                           random() % 2 ? 0 : Colour(random() & 0xFFFFFF)));
    }
    return text;
}

// The runs as readable text for failure output.
std::string describe(const StyledText& text) {
    std::string out;
    for (const StyledRun& run : text.runs())
        out += "[" + toUtf8(run.format.fontName) + " " + std::to_string(run.format.sizePt) +
               (run.format.bold ? " b" : "") + (run.format.italic ? " i" : "") +
               (run.format.underline ? " u" : "") + (run.format.strikethrough ? " s" : "") + " #" +
               std::to_string(run.format.colour) + "]" + toUtf8(run.text);
    return out;
}

TEST(Odt, RandomStyledTextsReadBackIdentical) {
    std::mt19937 random(20240611);
    for (int i = 0; i < 300; ++i) {
        StyledText text = randomText(random);
        std::string odt = writeOdt(text);
        ASSERT_TRUE(looksLikeOdt(odt));
        OfficeReading reading = readOdt(odt, CharFormat{});
        ASSERT_FALSE(reading.problem) << i;
        ASSERT_EQ(reading.content, text) << describe(text) << "\n" << describe(reading.content);
        EXPECT_TRUE(reading.leftOut.empty());
    }
}

TEST(Odt, TheMimetypeComesFirstAndStored) {
    std::string odt = writeOdt(StyledText(u"正文"));
    EXPECT_EQ(odt.substr(0, 4), "PK\x03\x04");
    EXPECT_EQ(odt.substr(30, 8 + 39), "mimetypeapplication/vnd.oasis.opendocument.text");
    PackageProblem problem{};
    auto zip = ZipReader::open(odt, problem);
    ASSERT_TRUE(zip);
    EXPECT_EQ(zip->names(), (std::vector<std::string>{"mimetype", "META-INF/manifest.xml",
                                                      "content.xml", "styles.xml", "meta.xml"}));
    EXPECT_TRUE(zip->isStored("mimetype"));
    std::string content = *zip->read("content.xml", problem);
    EXPECT_NE(content.find("style:font-name-asian=\"宋体\""), std::string::npos);
    EXPECT_NE(content.find("<style:font-face style:name=\"宋体\" svg:font-family=\"宋体\"/>"),
              std::string::npos);
    std::string styles = *zip->read("styles.xml", problem);
    EXPECT_NE(styles.find("style:language-asian=\"zh\" style:country-asian=\"CN\""),
              std::string::npos);
    EXPECT_NE(zip->read("meta.xml", problem)->find("<meta:generator>Pennory</meta:generator>"),
              std::string::npos);
}

// An ODT of the given parts, mimetype first.
std::string odtOf(const std::string& content, const std::string& styles = "") {
    ZipWriter zip;
    zip.add("mimetype", "application/vnd.oasis.opendocument.text", false);
    zip.add("content.xml", content);
    if (!styles.empty()) zip.add("styles.xml", styles);
    return zip.finish();
}

const std::string kNs =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
    " xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\""
    " xmlns:xlink=\"http://www.w3.org/1999/xlink\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\"";

std::string contentOf(const std::string& automatic, const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content" + kNs +
           "><office:font-face-decls><style:font-face style:name=\"SimHei1\" "
           "svg:font-family=\"黑体\"/><style:font-face style:name=\"Liberation Serif\" "
           "svg:font-family=\"'Liberation Serif'\"/></office:font-face-decls>"
           "<office:automatic-styles>" +
           automatic +
           "</office:automatic-styles>"
           "<office:body><office:text>" +
           body +
           "</office:text></office:body>"
           "</office:document-content>";
}

const std::string kStyles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-styles" + kNs +
    "><office:font-face-decls><style:font-face style:name=\"Kai\" svg:font-family=\"楷体\"/>"
    "</office:font-face-decls><office:styles>"
    "<style:default-style style:family=\"paragraph\"><style:text-properties "
    "style:font-name=\"Liberation Serif\" fo:font-size=\"12pt\" style:font-name-asian=\"Kai\" "
    "style:font-size-asian=\"10.5pt\"/></style:default-style>"
    "<style:style style:name=\"Standard\" style:family=\"paragraph\"/>"
    "<style:style style:name=\"Heading\" style:family=\"paragraph\" "
    "style:parent-style-name=\"Standard\"><style:text-properties fo:font-size=\"150%\" "
    "fo:font-weight=\"bold\" style:font-size-asian=\"16pt\" style:font-weight-asian=\"bold\"/>"
    "</style:style>"
    "<style:style style:name=\"Strong\" style:family=\"text\"><style:text-properties "
    "fo:color=\"#ff0000\" style:text-underline-style=\"solid\"/></style:style>"
    "<style:style style:name=\"StrongItalic\" style:family=\"text\" "
    "style:parent-style-name=\"Strong\"><style:text-properties fo:font-style=\"italic\" "
    "style:font-style-asian=\"italic\"/></style:style>"
    "</office:styles><office:automatic-styles><style:style style:name=\"P1\" "
    "style:family=\"paragraph\"><style:text-properties fo:font-size=\"99pt\"/></style:style>"
    "</office:automatic-styles><office:master-styles><style:master-page style:name=\"Standard\"/>"
    "</office:master-styles></office:document-styles>";

TEST(Odt, StylesResolveThroughParentsDefaultsAndAutomaticStyles) {
    std::string automatic =
        "<style:style style:name=\"P1\" style:family=\"paragraph\" "
        "style:parent-style-name=\"Heading\"><style:text-properties "
        "style:text-line-through-style=\"solid\"/></style:style>"
        "<style:style style:name=\"T1\" style:family=\"text\" "
        "style:parent-style-name=\"StrongItalic\"><style:text-properties "
        "style:font-name-asian=\"SimHei1\" fo:font-family=\"'DejaVu Sans', sans\"/></style:style>"
        "<style:style style:name=\"T2\" style:family=\"text\"><style:text-properties "
        "style:text-underline-style=\"none\" fo:font-size=\"50%\" "
        "style:font-size-asian=\"50%\"/></style:style>";
    std::string body =
        "<text:h text:style-name=\"P1\">标题 Title</text:h>"
        "<text:p text:style-name=\"Standard\">正文 <text:span text:style-name=\"T1\">黑体 Sans"
        "<text:span text:style-name=\"T2\">小</text:span></text:span></text:p>"
        "<text:p>默认</text:p>";
    OfficeReading reading = readOdt(odtOf(contentOf(automatic, body), kStyles), CharFormat{});
    ASSERT_FALSE(reading.problem);
    CharFormat westernDefault = format(u"Liberation Serif", 12.0f);
    CharFormat asianDefault = format(u"楷体", 10.5f);
    CharFormat headingAsian = format(u"楷体", 16.0f, true, false, false, true);
    CharFormat headingWestern = format(u"Liberation Serif", 18.0f, true, false, false, true);
    StyledText expected;
    expected.append(u"标题", headingAsian);
    expected.append(u" Title", headingWestern);
    expected.append(u"\r\n", headingWestern);
    expected.append(u"正文", asianDefault);
    expected.append(u" ", westernDefault);
    expected.append(u"黑体", format(u"黑体", 10.5f, false, true, true, false, rgb(255, 0, 0)));
    expected.append(u" Sans",
                    format(u"DejaVu Sans", 12.0f, false, true, true, false, rgb(255, 0, 0)));
    expected.append(u"小", format(u"黑体", 5.25f, false, true, false, false, rgb(255, 0, 0)));
    expected.append(u"\r\n", westernDefault);
    expected.append(u"默认", asianDefault);
    EXPECT_EQ(reading.content, expected) << describe(reading.content);
}

// Paragraph formats come from the default style, then the common styles a paragraph's style
// is based on, then its automatic style, each property on its own.
TEST(Odt, ParagraphFormatsThroughDefaultCommonAndAutomaticStyles) {
    const std::string styles =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-styles" + kNs +
        "><office:styles><style:default-style style:family=\"paragraph\">"
        "<style:paragraph-properties fo:margin-bottom=\"10pt\" fo:line-height=\"115%\"/>"
        "</style:default-style>"
        "<style:style style:name=\"Standard\" style:family=\"paragraph\">"
        "<style:paragraph-properties fo:margin-left=\"0.5in\"/></style:style>"
        "<style:style style:name=\"Body\" style:family=\"paragraph\" "
        "style:parent-style-name=\"Standard\"><style:paragraph-properties "
        "fo:text-align=\"justify\" fo:text-indent=\"24pt\"/></style:style>"
        "</office:styles></office:document-styles>";
    const auto body = [](ParagraphFormat& f) {
        f.spaceAfterPt = 10.0f;
        f.lineSpacing.value = 1.15f;
        f.left.points = 36.0f;
        f.alignment = Alignment::Justify;
        f.firstLine.points = 24.0f;
    };
    const auto with = [](const std::function<void(ParagraphFormat&)>& set) {
        ParagraphFormat f;
        set(f);
        return f;
    };
    const struct {
        const char* name;
        const char* properties;  // of the automatic style P1, based on Body
        ParagraphFormat expected;
    } cases[] = {
        {"the common chain", "", with(body)},
        {"1.5 lines", "fo:line-height=\"150%\"", with([&](ParagraphFormat& f) {
             body(f);
             f.lineSpacing.value = 1.5f;
         })},
        {"exactly", "fo:line-height=\"18pt\"", with([&](ParagraphFormat& f) {
             body(f);
             f.lineSpacing = {LineSpacing::Rule::Exactly, 18.0f};
         })},
        {"at least", "style:line-height-at-least=\"15pt\"", with([&](ParagraphFormat& f) {
             body(f);
             f.lineSpacing = {LineSpacing::Rule::AtLeast, 15.0f};
         })},
        {"end is right", "fo:text-align=\"end\" fo:margin-left=\"0pt\" fo:margin-top=\"6pt\"",
         with([&](ParagraphFormat& f) {
             body(f);
             f.alignment = Alignment::Right;
             f.left.points = 0.0f;
             f.spaceBeforePt = 6.0f;
         })},
        {"start", "fo:text-align=\"start\" fo:text-indent=\"-12pt\"", with([&](ParagraphFormat& f) {
             body(f);
             f.alignment = Alignment::Left;
             f.firstLine.points = -12.0f;
         })},
    };
    for (const auto& c : cases) {
        const std::string automatic =
            std::string(
                "<style:style style:name=\"P1\" style:family=\"paragraph\" "
                "style:parent-style-name=\"Body\"><style:paragraph-properties ") +
            c.properties + "/></style:style>";
        const OfficeReading r = readOdt(
            odtOf(contentOf(automatic, "<text:p text:style-name=\"P1\">段</text:p>"), styles),
            CharFormat{});
        ASSERT_FALSE(r.problem) << c.name;
        ASSERT_EQ(r.content.paragraphs().size(), 1u) << c.name;
        EXPECT_EQ(r.content.paragraphs()[0], c.expected) << c.name;
    }
}

TEST(Odt, TextElementsSpacesTablesNotesAndFramesReadInOrder) {
    std::string body =
        "<text:p>  a  b\n c<text:s/><text:s text:c=\"3\"/>d<text:tab/>e<text:line-break/>f"
        "<text:soft-page-break/>g <text:page-number>7</text:page-number></text:p>"
        "<text:list><text:list-item><text:p>项一</text:p></text:list-item>"
        "<text:list-item><text:p>项二<text:note text:note-class=\"footnote\">"
        "<text:note-citation>1</text:note-citation><text:note-body><text:p>脚注</text:p>"
        "</text:note-body></text:note></text:p></text:list-item></text:list>"
        "<table:table><table:table-column/><table:table-row><table:table-cell><text:p>A1</text:p>"
        "</table:table-cell><table:table-cell><text:p>B1</text:p><text:p>B1b</text:p>"
        "</table:table-cell></table:table-row><table:table-row><table:table-cell/>"
        "<table:table-cell><text:p>B2</text:p></table:table-cell></table:table-row></table:table>"
        "<text:p>图<draw:frame><draw:image xlink:href=\"Pictures/1.png\"/></draw:frame>后"
        "<office:annotation><text:p>批注</text:p></office:annotation></text:p>"
        "<text:tracked-changes><text:changed-region><text:deletion><text:p>删</text:p>"
        "</text:deletion></text:changed-region></text:tracked-changes>"
        "<text:p>末</text:p>";
    OfficeReading reading = readOdt(odtOf(contentOf("", body)), CharFormat{});
    ASSERT_FALSE(reading.problem);
    EXPECT_EQ(toUtf8(reading.content.plainText()),
              "a b c    d\te\r\nfg 7\r\n项一\r\n项二\r\n脚注\r\nA1\tB1 B1b\r\n\tB2\r\n图后\r\n末");
    EXPECT_EQ(reading.leftOut.list(),
              (std::vector<LeftOut>{LeftOut::Pictures, LeftOut::Tables, LeftOut::Footnotes,
                                    LeftOut::Comments}));
}

TEST(Odt, TextWithoutStylesTakesThePlainFormat) {
    CharFormat plain = format(u"仿宋", 14.0f, false, false, false, false, rgb(0, 0, 255));
    OfficeReading reading = readOdt(odtOf(contentOf("", "<text:p>字 a</text:p>")), plain);
    ASSERT_FALSE(reading.problem);
    EXPECT_EQ(reading.content, StyledText(u"字 a", plain));
}

// AbiWord writes only the Western properties: its one font and size are meant for all text.
TEST(Odt, ADocumentWithoutAsianPropertiesUsesItsFontForChineseToo) {
    std::string automatic =
        "<style:style style:name=\"T1\" style:family=\"text\"><style:text-properties "
        "style:font-name=\"SimHei1\" fo:font-size=\"12pt\" fo:font-weight=\"bold\"/>"
        "</style:style>";
    OfficeReading reading =
        readOdt(odtOf(contentOf(automatic,
                                "<text:p><text:span text:style-name=\"T1\">简体 ab</text:span>"
                                "</text:p>")),
                CharFormat{});
    ASSERT_FALSE(reading.problem);
    EXPECT_EQ(reading.content, StyledText(u"简体 ab", format(u"黑体", 12.0f, true)))
        << describe(reading.content);
}

TEST(Odt, BadPackagesGiveTheirProblem) {
    std::string good = contentOf("", "<text:p>x</text:p>");
    ZipWriter noContent;
    noContent.add("mimetype", "application/vnd.oasis.opendocument.text", false);
    noContent.add("styles.xml", kStyles);
    ZipWriter spreadsheet;
    spreadsheet.add("mimetype", "application/vnd.oasis.opendocument.spreadsheet", false);
    spreadsheet.add("content.xml", good);
    ZipWriter encrypted;
    encrypted.add("mimetype", "application/vnd.oasis.opendocument.text", false);
    encrypted.add("META-INF/manifest.xml",
                  "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:"
                  "manifest:1.0\"><manifest:file-entry manifest:full-path=\"content.xml\">"
                  "<manifest:encryption-data/></manifest:file-entry></manifest:manifest>");
    encrypted.add("content.xml", "\x01\x02garbage");
    std::string deep = "<office:document-content" + kNs + ">";
    for (int i = 0; i < 100'000; ++i) deep += "<text:span>";
    std::string bomb = "<!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>" +
                       contentOf("", "<text:p>&b;</text:p>");
    struct Case {
        const char* what;
        std::string bytes;
        PackageProblem problem;
    } cases[] = {
        {"no zip", "PK not really", PackageProblem::NotAZip},
        {"truncated", odtOf(good).substr(0, 60), PackageProblem::NotAZip},
        {"no content", noContent.finish(), PackageProblem::MissingPart},
        {"spreadsheet", spreadsheet.finish(), PackageProblem::NotADocument},
        {"encrypted", encrypted.finish(), PackageProblem::Encrypted},
        {"entity bomb", odtOf(bomb), PackageProblem::BadXml},
        {"deep", odtOf(deep), PackageProblem::BadXml},
        {"invalid UTF-8", odtOf(contentOf("", "<text:p>\xE6\xB1</text:p>")),
         PackageProblem::BadXml},
        {"bad styles", odtOf(good, "<office:document-styles>"), PackageProblem::BadXml},
    };
    for (const Case& c : cases) {
        OfficeReading reading = readOdt(c.bytes, CharFormat{});
        ASSERT_TRUE(reading.problem) << c.what;
        EXPECT_EQ(*reading.problem, c.problem) << c.what;
        EXPECT_TRUE(reading.content.empty()) << c.what;
    }
}

TEST(Odt, RecognisedByItsMimetypeNotItsName) {
    EXPECT_TRUE(looksLikeOdt(writeOdt(StyledText(u"x"))));
    EXPECT_TRUE(looksLikeOdt(odtOf(contentOf("", ""))));
    ZipWriter other;
    other.add("mimetype", "application/vnd.oasis.opendocument.spreadsheet", false);
    EXPECT_FALSE(looksLikeOdt(other.finish()));
    ZipWriter late;
    late.add("content.xml", "<a/>");
    late.add("mimetype", "application/vnd.oasis.opendocument.text", false);
    EXPECT_FALSE(looksLikeOdt(late.finish()));
    EXPECT_FALSE(looksLikeOdt("{\\rtf1 }"));
    EXPECT_FALSE(looksLikeOdt(""));
}

// ---- Peers, when installed ----

bool installed(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

class OdtPeers : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder =
            std::filesystem::temp_directory_path() / ("pennory-odt-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    bool run(const std::string& command) {
        const std::string line = "cd '" + m_folder.string() + "' && " + command + " 2>/dev/null";
        return std::system(line.c_str()) == 0;
    }
    std::string file(const std::string& name) { return readBytes((m_folder / name).string()); }
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(m_folder / name, std::ios::binary) << bytes;
    }
    static StyledText manuscript() {
        StyledText text;
        text.append(u"第一章　开端\r\n", format(u"黑体", 16.0f, true));
        text.append(u"正文五号，两个  空格\t制表。\r\n", format(u"宋体", 10.5f));
        text.append(u"斜体下划线",
                    format(u"楷体", 12.0f, false, true, true, false, rgb(0, 0, 255)));
        text.append(u" Latin struck",
                    format(u"Times New Roman", 10.5f, false, false, false, true, rgb(255, 0, 0)));
        return text;
    }
    std::filesystem::path m_folder;
};

TEST_F(OdtPeers, OdfpyReadsTheSameText) {
    // Debian's own Python, where python3-odf lives, before any other on the path.
    const std::string python =
        std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    if (std::system((python + " -c 'import odf' >/dev/null 2>&1").c_str()) != 0)
        GTEST_SKIP() << "python3-odf is not installed";
    write("m.odt", writeOdt(manuscript()));
    ASSERT_TRUE(run(python +
                    " -c \"import sys\nfrom odf.opendocument import load\n"
                    "from odf import teletype, text\nd = load('m.odt')\n"
                    "open('m.txt', 'w').write('\\n'.join(teletype.extractText(p) for p in "
                    "d.getElementsByType(text.P)))\n"
                    "s = [st for st in d.automaticstyles.childNodes if st.getAttribute('name') == "
                    "'T1'][0]\nt = s.childNodes[0]\n"
                    "open('s.txt', 'w').write(t.getAttribute('fontnameasian') + ' ' + "
                    "t.getAttribute('fontsizeasian'))\""))
        << "odfpy failed";
    EXPECT_EQ(file("m.txt"), "第一章　开端\n正文五号，两个  空格\t制表。\n斜体下划线 Latin struck");
    EXPECT_FALSE(file("s.txt").empty());
}

TEST_F(OdtPeers, LibreOfficeReadsTheSameTextAndFormats) {
    if (!installed("soffice")) GTEST_SKIP() << "LibreOffice is not installed";
    write("m.odt", writeOdt(manuscript()));
    ASSERT_TRUE(run(soffice(m_folder, "--convert-to rtf m.odt >/dev/null")));
    StyledText back = readRtf(file("m.rtf"));
    EXPECT_EQ(toUtf8(back.plainText()), toUtf8(manuscript().plainText()));
    // The formats of the Chinese and the Latin runs, as LibreOffice understood them.
    auto formatAt = [&](std::u16string_view what) {
        std::size_t at = back.plainText().find(what);
        return back.slice(at, what.size()).runs().at(0).format;
    };
    EXPECT_EQ(formatAt(u"开端"), format(u"黑体", 16.0f, true));
    EXPECT_EQ(formatAt(u"正文五号"), format(u"宋体", 10.5f));
    EXPECT_EQ(formatAt(u"斜体"), format(u"楷体", 12.0f, false, true, true, false, rgb(0, 0, 255)));
    EXPECT_EQ(formatAt(u"Latin"),
              format(u"Times New Roman", 10.5f, false, false, false, true, rgb(255, 0, 0)));
}

TEST_F(OdtPeers, AnOdtLibreOfficeWroteReadsAsItsRtf) {
    std::string sample = dataPath("rtf/libreoffice_formats.rtf");
    if (!installed("soffice") || !std::filesystem::exists(sample))
        GTEST_SKIP() << "LibreOffice or the sample is not there";
    write("s.rtf", readBytes(sample));
    ASSERT_TRUE(run(soffice(m_folder, "--convert-to odt s.rtf >/dev/null")));
    std::string odt = file("s.odt");
    ASSERT_TRUE(looksLikeOdt(odt));
    OfficeReading reading = readOdt(odt, CharFormat{});
    ASSERT_FALSE(reading.problem);
    // The same text as the RTF it came from, and the formats the sample was made with.
    StyledText rtf = readRtf(readBytes(sample));
    EXPECT_EQ(toUtf8(reading.content.plainText()), toUtf8(rtf.plainText()));
    auto formatAt = [&](std::u16string_view what) {
        std::size_t at = reading.content.plainText().find(what);
        return reading.content.slice(at, what.size()).runs().at(0).format;
    };
    EXPECT_TRUE(formatAt(u"粗体中文").bold);
    EXPECT_EQ(formatAt(u"大号字").sizePt, 16.0f);
    EXPECT_EQ(formatAt(u"红色文字").colour, rgb(255, 0, 0));
    CharFormat italic = formatAt(u"斜体下划线");
    EXPECT_TRUE(italic.italic && italic.underline);
    EXPECT_EQ(formatAt(u"黑体小五").fontName, u"黑体");
    EXPECT_EQ(formatAt(u"黑体小五").sizePt, 10.5f);
    EXPECT_TRUE(formatAt(u"黑体小五").bold);
    EXPECT_TRUE(formatAt(u"删除线").strikethrough);
    EXPECT_EQ(formatAt(u"删除线").colour, rgb(0, 0, 255));
    EXPECT_EQ(formatAt(u"Latin").fontName, u"Times New Roman");
    EXPECT_FALSE(formatAt(u"Latin").bold);
}

// odfpy finds each paragraph's automatic style with the properties as set: alignment, left
// and right margins, first-line indent (two characters of 12 pt as 24 pt), space above and
// below, line height and its minimum; '-' where the property is not given.
TEST_F(OdtPeers, OdfpyReadsTheParagraphStyles) {
    const std::string python =
        std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    if (std::system((python + " -c 'import odf' >/dev/null 2>&1").c_str()) != 0)
        GTEST_SKIP() << "python3-odf is not installed";
    write("p.odt", writeOdt(testing::paragraphSample()));
    write("p.py",
          "from odf.opendocument import load\n"
          "from odf import style, text\n"
          "d = load('p.odt')\n"
          "styles = {s.getAttribute('name'): s for s in d.automaticstyles.childNodes}\n"
          "names = ['textalign', 'marginleft', 'marginright', 'textindent', 'margintop',\n"
          "         'marginbottom', 'lineheight', 'lineheightatleast']\n"
          "with open('p.txt', 'w') as out:\n"
          "    for p in d.getElementsByType(text.P):\n"
          "        s = styles[p.getAttribute('stylename')]\n"
          "        props = s.getElementsByType(style.ParagraphProperties)[0]\n"
          "        out.write(' '.join(props.getAttribute(n) or '-' for n in names) + '\\n')\n");
    ASSERT_TRUE(run(python + " p.py")) << "odfpy failed";
    EXPECT_EQ(file("p.txt"),
              "center - - - 6pt 12pt - -\n"
              "justify 18pt 9pt 24pt - - 150% -\n"
              "end - - - - - 18pt -\n"
              "- 42pt - -21pt - - - 15pt\n");
}

// LibreOffice and AbiWord convert a page with a centred title and a paragraph indented by two
// characters at 1.5 lines to ODT (LibreOffice through its text body style, 1.15 lines and
// 7 pt after); Pennory reads the formats as they set them.
TEST_F(OdtPeers, ParagraphFormatsOthersWrite) {
    write("page.html", testing::kParagraphPage);
    const struct {
        const char* program;
        std::string command;
        const char* output;
        const char* expected;
    } cases[] = {
        {"soffice",
         testing::soffice(m_folder, "--infilter='HTML (StarWriter)' --convert-to odt page.html"),
         "page.odt",
         "centre first 0 left 0 right 0 multiple 1.15 before 0 after 7\n"
         "left first 24 left 0 right 0 multiple 1.50 before 0 after 6\n"},
        {"abiword", "abiword --to=odt -o abiword.odt page.html", "abiword.odt",
         "centre first 0 left 0 right 0 multiple 1.00 before 0 after 0\n"
         "left first 24 left 0 right 0 multiple 1.50 before 0 after 6\n"},
    };
    std::string missing;
    for (const auto& c : cases) {
        if (!installed(c.program)) {
            missing += std::string(" ") + c.program;
            continue;
        }
        ASSERT_TRUE(run(c.command)) << c.program;
        const OfficeReading r = readOdt(file(c.output), CharFormat{});
        ASSERT_FALSE(r.problem) << c.program;
        EXPECT_EQ(testing::describeFirstParagraphs(r.content, 2), c.expected) << c.program;
    }
    if (!missing.empty()) GTEST_SKIP() << "not installed:" << missing;
}

}  // namespace
}  // namespace pennory::text
