// DOCX between this program and the programs a writer's colleagues use: python-docx,
// LibreOffice and pandoc read what Pennory writes, and Pennory reads what LibreOffice and
// python-docx write. Each case runs only when its program is installed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "paragraph_test_support.h"
#include "platform/text/office_documents.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"
#include "platform/text/zip_package.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::dataPath;
using testing::describeParagraphs;
using testing::paragraphSample;
using testing::readBytes;
using testing::soffice;
using testing::toUtf8;

bool succeeds(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}
bool haveSoffice() { return succeeds("command -v soffice"); }
bool havePandoc() { return succeeds("command -v pandoc"); }
bool havePythonDocx() { return succeeds("/usr/bin/python3 -c 'import docx'"); }

class DocxInterop : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder =
            std::filesystem::temp_directory_path() / ("pennory-docx-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        std::ofstream(m_folder / "manuscript.docx", std::ios::binary) << writeDocx(manuscript());
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    static StyledText manuscript() {
        CharFormat song;
        song.fontName = u"宋体";
        song.sizePt = 10.5f;
        CharFormat title = song;
        title.fontName = u"黑体";
        title.bold = true;
        title.sizePt = 16.0f;
        CharFormat latin = song;
        latin.fontName = u"Times New Roman";
        latin.italic = true;
        latin.underline = true;
        latin.strikethrough = true;
        latin.colour = rgb(255, 0, 0);
        StyledText text;
        text.append(u"第一章　开端\r\n", title);
        text.append(u"他说：“你好。”\t两个  空格。", song);
        text.append(u" Latin text\r\n", latin);
        text.append(u"末行", song);
        return text;
    }
    static constexpr const char* kLines =
        "第一章　开端\n他说：“你好。”\t两个  空格。 Latin text\n末行";

    bool run(const std::string& command) {
        return succeeds("cd '" + m_folder.string() + "' && " + command);
    }
    std::string output(const std::string& name) { return readBytes((m_folder / name).string()); }

    std::filesystem::path m_folder;
};

std::string withoutBom(std::string text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return std::regex_replace(text, std::regex("\r\n"), "\n");
}

TEST_F(DocxInterop, PythonDocxReadsTheTextAndRunFonts) {
    if (!havePythonDocx()) GTEST_SKIP() << "python3-docx is not installed";
    std::ofstream(m_folder / "runs.py")
        << "import docx\n"
           "d = docx.Document('manuscript.docx')\n"
           "with open('runs.txt', 'w', encoding='utf-8') as out:\n"
           "    for p in d.paragraphs:\n"
           "        for r in p.runs:\n"
           "            f = r.element.rPr.rFonts\n"
           "            ea = f.get('{http://schemas.openxmlformats.org/wordprocessingml/2006/main}"
           "eastAsia')\n"
           "            out.write('%s|%s|%s|%s|%s|%s|%s|%s|%s\\n' % (r.text, ea, r.font.name,\n"
           "                r.font.size.pt, r.font.bold, r.font.italic, r.font.underline,\n"
           "                r.font.strike, r.font.color.rgb))\n"
           "        out.write('--\\n')\n";
    ASSERT_TRUE(run("/usr/bin/python3 runs.py"));
    EXPECT_EQ(output("runs.txt"),
              "第一章　开端|黑体|黑体|16.0|True|None|None|None|000000\n--\n"
              "他说：“你好。”\t两个  空格。|宋体|宋体|10.5|None|None|None|None|000000\n"
              " Latin text|Times New Roman|Times New Roman|10.5|None|True|True|True|FF0000\n--\n"
              "末行|宋体|宋体|10.5|None|None|None|None|000000\n--\n");
}

TEST_F(DocxInterop, LibreOfficeReadsTheTextAndChineseFonts) {
    if (!haveSoffice()) GTEST_SKIP() << "LibreOffice is not installed";
    ASSERT_TRUE(run(soffice(m_folder, "--convert-to 'txt:Text (encoded):UTF8' manuscript.docx")));
    EXPECT_EQ(withoutBom(output("manuscript.txt")), kLines);
    ASSERT_TRUE(run(soffice(m_folder, "--convert-to odt manuscript.docx")));
    PackageProblem problem{};
    const std::string odt = output("manuscript.odt");
    auto zip = ZipReader::open(odt, problem);
    ASSERT_TRUE(zip.has_value());
    const std::string content = zip->read("content.xml", problem).value_or("");
    // LibreOffice numbers the font faces it declares twice: "黑体1" is the face of 黑体.
    EXPECT_TRUE(std::regex_search(content, std::regex("style:font-name-asian=\"黑体[0-9]*\"")));
    EXPECT_TRUE(std::regex_search(content, std::regex("style:font-name-asian=\"宋体[0-9]*\"")));
    EXPECT_NE(content.find("style:font-size-asian=\"10.5pt\""), std::string::npos);
    EXPECT_NE(content.find("fo:color=\"#ff0000\""), std::string::npos);
    EXPECT_NE(content.find("style:font-size-asian=\"16pt\""), std::string::npos);
}

TEST_F(DocxInterop, PandocReadsTheText) {
    if (!havePandoc()) GTEST_SKIP() << "pandoc is not installed";
    ASSERT_TRUE(run("pandoc -f docx -t plain --wrap=none manuscript.docx -o out.txt"));
    // pandoc's plain text puts a blank line between paragraphs, runs of blanks together and
    // marks struck-out text with "~~".
    std::string text = withoutBom(output("out.txt"));
    text = std::regex_replace(text, std::regex("\n\n"), "\n");
    EXPECT_EQ(text, "第一章　开端\n他说：“你好。” 两个 空格。 ~~Latin text~~\n末行");
}

TEST_F(DocxInterop, ReadsWhatLibreOfficeMakesOfAnRtfSample) {
    if (!haveSoffice()) GTEST_SKIP() << "LibreOffice is not installed";
    std::filesystem::copy_file(dataPath("rtf/libreoffice_formats.rtf"), m_folder / "sample.rtf");
    ASSERT_TRUE(run(soffice(m_folder, "--convert-to docx sample.rtf")));
    const OfficeReading r = readDocx(output("sample.docx"), CharFormat{});
    ASSERT_FALSE(r.problem.has_value());
    std::string text = toUtf8(r.content.plainText());
    text = std::regex_replace(text, std::regex("\r\n"), "\n");
    EXPECT_EQ(text, withoutBom(readBytes(dataPath("rtf/libreoffice_formats.txt"))));
    bool boldChinese = false, red = false;
    for (const auto& run : r.content.runs()) {
        if (run.text.find(u"粗体中文") != std::u16string::npos && run.format.bold)
            boldChinese = true;
        if (run.text.find(u"红色文字") != std::u16string::npos &&
            run.format.colour == rgb(255, 0, 0))
            red = true;
    }
    EXPECT_TRUE(boldChinese);
    EXPECT_TRUE(red);
}

TEST_F(DocxInterop, ReadsWhatPythonDocxMakes) {
    if (!havePythonDocx()) GTEST_SKIP() << "python3-docx is not installed";
    std::ofstream(m_folder / "make.py") << "import docx\n"
                                           "from docx.shared import Pt, RGBColor\n"
                                           "from docx.oxml.ns import qn\n"
                                           "d = docx.Document()\n"
                                           "p = d.add_paragraph()\n"
                                           "r = p.add_run('黑体五号“引”')\n"
                                           "r.font.name = 'Arial'\n"
                                           "r.element.rPr.rFonts.set(qn('w:eastAsia'), '黑体')\n"
                                           "r.font.size = Pt(10.5)\n"
                                           "r.font.bold = True\n"
                                           "r.font.color.rgb = RGBColor(0, 0x80, 0xFF)\n"
                                           "p.add_run(' plain')\n"
                                           "d.add_paragraph('第二段')\n"
                                           "d.save('made.docx')\n";
    ASSERT_TRUE(run("/usr/bin/python3 make.py"));
    const OfficeReading r = readDocx(output("made.docx"), CharFormat{});
    ASSERT_FALSE(r.problem.has_value());
    EXPECT_EQ(toUtf8(r.content.plainText()), "黑体五号“引” plain\r\n第二段");
    ASSERT_FALSE(r.content.runs().empty());
    const CharFormat& first = r.content.runs().front().format;
    EXPECT_EQ(toUtf8(r.content.runs().front().text), "黑体五号");
    EXPECT_EQ(toUtf8(first.fontName), "黑体");
    EXPECT_EQ(first.sizePt, 10.5f);
    EXPECT_TRUE(first.bold);
    EXPECT_EQ(first.colour, rgb(0, 0x80, 0xFF));
    // No hint: the quotation marks take the Western font. The run without fonts of its own
    // takes the theme's minor fonts (Cambria; for Chinese, the template's "Hans" face 宋体)
    // and the template's 11 points.
    ASSERT_EQ(r.content.runs().size(), 6u);
    const char* const fonts[] = {"黑体", "Arial", "黑体", "Arial", "Cambria", "宋体"};
    const char* const texts[] = {"黑体五号", "“", "引", "”", " plain\r\n", "第二段"};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(toUtf8(r.content.runs()[i].text), texts[i]);
        EXPECT_EQ(toUtf8(r.content.runs()[i].format.fontName), fonts[i]);
    }
    EXPECT_EQ(r.content.runs()[4].format.sizePt, 11.0f);
}

// The sample's paragraphs as python-docx gives them: alignment (1 centre, 2 right, 3 justify),
// first-line, left and right indents, line spacing and its rule (0 single, 1 one and a half,
// 3 at least, 4 exactly), space before and after; '-' where nothing is set.
TEST_F(DocxInterop, PythonDocxReadsParagraphFormats) {
    if (!havePythonDocx()) GTEST_SKIP() << "python3-docx is not installed";
    std::ofstream(m_folder / "paragraphs.docx", std::ios::binary) << writeDocx(paragraphSample());
    std::ofstream(m_folder / "paragraphs.py")
        << "import docx\n"
           "def pt(x):\n"
           "    return '-' if x is None else '%g' % (x.pt if hasattr(x, 'pt') else x)\n"
           "def num(x):\n"
           "    return '-' if x is None else str(int(x))\n"
           "d = docx.Document('paragraphs.docx')\n"
           "with open('paragraphs.txt', 'w') as out:\n"
           "    for p in d.paragraphs:\n"
           "        f = p.paragraph_format\n"
           "        out.write(' '.join([num(f.alignment), pt(f.first_line_indent),\n"
           "            pt(f.left_indent), pt(f.right_indent), pt(f.line_spacing),\n"
           "            num(f.line_spacing_rule), pt(f.space_before), pt(f.space_after)]) + "
           "'\\n')\n";
    ASSERT_TRUE(run("/usr/bin/python3 paragraphs.py"));
    EXPECT_EQ(output("paragraphs.txt"),
              "1 - - - 1 0 6 12\n"
              "3 24 18 9 1.5 1 0 0\n"
              "2 - - - 18 4 0 0\n"
              "- -21 42 - 15 3 0 0\n");
}

constexpr const char* kSampleParagraphs =
    "centre first 0 left 0 right 0 multiple 1.00 before 6 after 12\n"
    "justify first 24 left 18 right 9 multiple 1.50 before 0 after 0\n"
    "right first 0 left 0 right 0 exactly 18.00 before 0 after 0\n"
    "left first -21 left 42 right 0 at-least 15.00 before 0 after 0\n";

// LibreOffice opens Pennory's file and saves it in another format; Pennory reads that back
// with the paragraphs as set, lengths within half a point.
TEST_F(DocxInterop, LibreOfficeKeepsPennorysParagraphFormats) {
    if (!haveSoffice()) GTEST_SKIP() << "LibreOffice is not installed";
    const StyledText sample = paragraphSample();
    const struct {
        const char* source;
        std::string bytes;
        const char* target;
    } cases[] = {
        {"rtf", writeRtf(sample), "odt"},
        {"docx", writeDocx(sample), "odt"},
        {"odt", writeOdt(sample), "docx"},
        {"docx", writeDocx(sample), "rtf"},
    };
    for (const auto& c : cases) {
        const std::string folder = std::string(c.source) + "-" + c.target;
        std::filesystem::create_directories(m_folder / folder);
        std::ofstream(m_folder / folder / (std::string("p.") + c.source), std::ios::binary)
            << c.bytes;
        ASSERT_TRUE(
            run("cd " + folder + " && " +
                soffice(m_folder, std::string("--convert-to ") + c.target + " p." + c.source)))
            << folder;
        const std::string converted = output(folder + "/p." + c.target);
        const std::string target = c.target;
        const StyledText back = target == "rtf"    ? readRtf(converted)
                                : target == "docx" ? readDocx(converted, CharFormat{}).content
                                                   : readOdt(converted, CharFormat{}).content;
        EXPECT_EQ(toUtf8(back.plainText()), toUtf8(sample.plainText())) << folder;
        EXPECT_EQ(describeParagraphs(back), kSampleParagraphs) << folder;
    }
}

// Paragraph formats other programs write in DOCX, read as they set them: LibreOffice and
// AbiWord convert a page with a centred title and a paragraph indented by two characters at
// 1.5 lines (LibreOffice through its text body style, 1.15 lines and 7 pt after); pandoc
// sets them all in styles of its template, each based on another.
TEST_F(DocxInterop, ParagraphFormatsOthersWrite) {
    std::ofstream(m_folder / "page.html") << testing::kParagraphPage;
    std::ofstream(m_folder / "page.md") << testing::kParagraphMarkdown;
    const struct {
        const char* program;
        std::string command;
        const char* output;
        std::size_t paragraphs;
        const char* expected;
    } cases[] = {
        {"soffice", soffice(m_folder, "--infilter='HTML (StarWriter)' --convert-to docx page.html"),
         "page.docx", 2,
         "centre first 0 left 0 right 0 multiple 1.15 before 0 after 7\n"
         "left first 24 left 0 right 0 multiple 1.50 before 0 after 6\n"},
        {"abiword", "abiword --to=docx -o abiword.docx page.html", "abiword.docx", 2,
         "centre first 0 left 0 right 0 multiple 1.00 before 0 after 0\n"
         "left first 24 left 0 right 0 multiple 1.50 before 0 after 6\n"},
        {"pandoc", "pandoc -o pandoc.docx page.md", "pandoc.docx", 3,
         "left first 0 left 0 right 0 multiple 1.00 before 24 after 0\n"
         "left first 0 left 0 right 0 multiple 1.00 before 9 after 9\n"
         "left first 0 left 24 right 24 multiple 1.00 before 5 after 5\n"},
    };
    std::string missing;
    for (const auto& c : cases) {
        if (!succeeds(std::string("command -v ") + c.program)) {
            missing += std::string(" ") + c.program;
            continue;
        }
        ASSERT_TRUE(run(c.command)) << c.program;
        const OfficeReading r = readDocx(output(c.output), CharFormat{});
        ASSERT_FALSE(r.problem.has_value()) << c.program;
        EXPECT_EQ(testing::describeFirstParagraphs(r.content, c.paragraphs), c.expected)
            << c.program;
    }
    if (!missing.empty()) GTEST_SKIP() << "not installed:" << missing;
}

}  // namespace
}  // namespace pennory::text
