// A manuscript saved by this program, opened by the word processors a writer's editor or
// colleague uses: LibreOffice, pandoc and AbiWord, each run headless when it is installed.
// Each must keep the text and every format it keeps when it reads its own files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "paragraph_test_support.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::readBytes;
using testing::soffice;
using testing::toUtf8;

bool installed(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

class RtfInterop : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() /
                   ("pennory-interop-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        std::ofstream(m_folder / "manuscript.rtf", std::ios::binary) << writeRtf(manuscript());
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
        CharFormat korean = song;  // a font whose name code page 936 cannot write
        korean.fontName = u"맑은 고딕";
        korean.italic = true;
        korean.colour = rgb(0, 128, 255);
        CharFormat latin = song;
        latin.fontName = u"Times New Roman";
        latin.underline = true;
        latin.strikethrough = true;
        latin.colour = rgb(255, 0, 0);
        StyledText text;
        text.append(u"第一章　开端\r\n", title);
        text.append(u"他说：“你好。”  两个空格，三个   空格。€ Ω μ ± ° × ÷ ℃ é\r\n", song);
        text.append(u"\uE525\uE000\uF8FF韩文한글", korean);
        text.append(u" Latin {braces} \\back\\\r\n", latin);
        text.append(u"末行", song);
        return text;
    }

    // Runs a shell command in the folder; true when it succeeded.
    bool run(const std::string& command) {
        const std::string line =
            "cd '" + m_folder.string() + "' && " + command + " >/dev/null 2>&1";
        return std::system(line.c_str()) == 0;
    }
    std::string output(const std::string& name) { return readBytes((m_folder / name).string()); }

    std::filesystem::path m_folder;
};

// The text of a flat ODF document: tags removed, its space and tab elements expanded.
std::string odfText(std::string xml) {
    xml = std::regex_replace(xml, std::regex("<text:s text:c=\"2\"/>"), "  ");
    xml = std::regex_replace(xml, std::regex("<text:s/>"), " ");
    xml = std::regex_replace(xml, std::regex("</text:p>"), "\n");
    const std::size_t body = xml.find("<office:body>");
    xml = xml.substr(body == std::string::npos ? 0 : body);
    return std::regex_replace(xml, std::regex("<[^>]*>"), "");
}

// The properties of the text style that a span of the text uses, as one string.
std::string odfStyleOf(const std::string& xml, const std::string& spanText) {
    const std::size_t at = xml.find(">" + spanText);
    if (at == std::string::npos) return "";
    const std::size_t nameStart = xml.rfind("text:style-name=\"", at);
    const std::string name =
        xml.substr(nameStart + 17, xml.find('"', nameStart + 17) - nameStart - 17);
    const std::size_t style = xml.find("<style:style style:name=\"" + name + "\"");
    if (style == std::string::npos) return "";
    return xml.substr(style, xml.find("</style:style>", style) - style);
}

TEST_F(RtfInterop, LibreOffice) {
    if (!installed("soffice")) GTEST_SKIP() << "LibreOffice is not installed";
    ASSERT_TRUE(run(soffice(m_folder, "--convert-to fodt manuscript.rtf")));
    const std::string xml = output("manuscript.fodt");
    const std::string text = odfText(xml);
    EXPECT_NE(text.find("第一章　开端\n"), std::string::npos) << text;
    EXPECT_NE(text.find("他说：“你好。”  两个空格，三个   空格。€ Ω μ ± ° × ÷ ℃ é\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(toUtf8(u"\uE525\uE000\uF8FF韩文한글 Latin {braces} \\back\\\n")),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("末行"), std::string::npos);

    const std::string title = odfStyleOf(xml, "第一章");
    EXPECT_NE(title.find("style:font-name-asian=\"黑体"), std::string::npos) << title;
    EXPECT_NE(title.find("fo:font-weight=\"bold\""), std::string::npos) << title;
    EXPECT_NE(title.find("style:font-size-asian=\"16pt\""), std::string::npos) << title;
    const std::string body = odfStyleOf(xml, "他说");
    EXPECT_NE(body.find("style:font-name-asian=\"宋体"), std::string::npos) << body;
    EXPECT_NE(body.find("style:font-size-asian=\"10.5pt\""), std::string::npos) << body;
    const std::string korean = odfStyleOf(xml, toUtf8(u"\uE525"));
    EXPECT_NE(korean.find("style:font-name-asian=\"맑은 고딕"), std::string::npos) << korean;
    EXPECT_NE(korean.find("style:font-style-asian=\"italic\""), std::string::npos) << korean;
    EXPECT_NE(korean.find("fo:color=\"#0080ff\""), std::string::npos) << korean;
    const std::string latin = odfStyleOf(xml, " Latin");
    EXPECT_NE(latin.find("style:font-name=\"Times New Roman\""), std::string::npos) << latin;
    EXPECT_NE(latin.find("style:text-underline-style=\"solid\""), std::string::npos) << latin;
    EXPECT_NE(latin.find("style:text-line-through-style=\"solid\""), std::string::npos) << latin;
    EXPECT_NE(latin.find("fo:color=\"#ff0000\""), std::string::npos) << latin;
}

// pandoc keeps text and emphasis (no fonts, sizes or colours), collapses blanks and cuts
// underlined text into pieces at punctuation.
TEST_F(RtfInterop, Pandoc) {
    if (!installed("pandoc")) GTEST_SKIP() << "pandoc is not installed";
    ASSERT_TRUE(run("pandoc -f rtf -t html -o manuscript.html manuscript.rtf"));
    const std::string html = output("manuscript.html");
    for (const char* expected :
         {"<strong>第一章　开端</strong>", "他说：“你好。” 两个空格，三个 空格。€ Ω μ ± ° × ÷ ℃ é",
          "<em>\xEE\x94\xA5\xEE\x80\x80\xEF\xA3\xBF韩文한글</em>", "<u> Latin", "braces", "back",
          "<del>", "末行"}) {
        EXPECT_NE(html.find(expected), std::string::npos) << expected << "\n" << html;
    }
}

TEST_F(RtfInterop, AbiWord) {
    if (!installed("abiword")) GTEST_SKIP() << "AbiWord is not installed";
    ASSERT_TRUE(run("abiword --to=abw -o manuscript.abw manuscript.rtf"));
    const std::string abw = output("manuscript.abw");
    for (const char* expected :
         {">第一章　开端<", ">他说：“你好。”  两个空格，三个   空格。€ Ω μ ± ° × ÷ ℃ é<",
          ">\xEE\x94\xA5\xEE\x80\x80\xEF\xA3\xBF韩文한글<", "> Latin {braces} \\back\\<", "末行",
          "font-family:黑体", "font-weight:bold", "font-size:16pt", "font-family:宋体",
          "font-size:10.5pt", "font-family:맑은 고딕", "font-style:italic", "color:0080ff",
          "font-family:Times New Roman", "text-decoration:underline line-through",
          "color:ff0000"}) {
        EXPECT_NE(abw.find(expected), std::string::npos) << expected;
    }
}

// Paragraph formats other programs write, read as they set them: LibreOffice and AbiWord
// convert a page with a centred title and a paragraph indented by two characters at 1.5
// lines (LibreOffice sets its text body style, 1.15 lines and 7 pt after, under both); pandoc
// sets 9 pt after each paragraph and indents a quotation by half an inch.
TEST_F(RtfInterop, ParagraphFormatsOthersWrite) {
    std::ofstream(m_folder / "page.html") << testing::kParagraphPage;
    std::ofstream(m_folder / "page.md") << testing::kParagraphMarkdown;
    const struct {
        const char* program;
        std::string command;
        const char* output;
        std::size_t paragraphs;
        const char* expected;
    } cases[] = {
        {"soffice", soffice(m_folder, "--infilter='HTML (StarWriter)' --convert-to rtf page.html"),
         "page.rtf", 2,
         "centre first 0 left 0 right 0 multiple 1.15 before 0 after 7\n"
         "left first 24 left 0 right 0 multiple 1.50 before 0 after 6\n"},
        {"abiword", "abiword --to=rtf -o abiword.rtf page.html", "abiword.rtf", 2,
         "centre first 0 left 0 right 0 multiple 1.00 before 0 after 0\n"
         "left first 24 left 0 right 0 multiple 1.50 before 0 after 6\n"},
        {"pandoc", "pandoc -s -o pandoc.rtf page.md", "pandoc.rtf", 3,
         "left first 0 left 0 right 0 multiple 1.00 before 0 after 9\n"
         "left first 0 left 0 right 0 multiple 1.00 before 0 after 9\n"
         "left first 0 left 36 right 0 multiple 1.00 before 0 after 9\n"},
    };
    std::string missing;
    for (const auto& c : cases) {
        if (!installed(c.program)) {
            missing += std::string(" ") + c.program;
            continue;
        }
        ASSERT_TRUE(run(c.command)) << c.program;
        const StyledText text = readRtf(output(c.output));
        EXPECT_EQ(testing::describeFirstParagraphs(text, c.paragraphs), c.expected) << c.program;
    }
    if (!missing.empty()) GTEST_SKIP() << "not installed:" << missing;
}

}  // namespace
}  // namespace pennory::text
