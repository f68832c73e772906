// Figures between Pennory and the programs a writer's colleagues use: python-docx and odfpy
// find Pennory's pictures with their bytes; LibreOffice reads Pennory's DOCX and ODT and prints
// the picture; Pennory reads the picture LibreOffice puts in a DOCX and an ODT. Each case
// runs only when its program is installed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "figure_test_support.h"
#include "platform/text/office_documents.h"
#include "platform/text/rtf_reader.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::figureOf;
using testing::readBytes;
using testing::soffice;
using testing::tinyPng;

std::string base64(const std::string& bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[(v >> 18) & 63];
        out += kDigits[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(v >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[v & 63] : '=';
    }
    return out;
}

bool succeeds(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

class FigureInterop : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() /
                   ("pennory-figures-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        StyledText text;
        CharFormat song;
        song.fontName = u"宋体";
        text.append(u"电路图", song);
        CharFormat f = song;
        f.figure = FigureRef(
            figureOf(FigureKind::Png, m_png, 64, 32, {FigureWidth::Unit::Centimetres, 6.0f}));
        text.append(u"\uFFFC", f);
        text.append(u"完", song);
        std::ofstream(m_folder / "figure.docx", std::ios::binary) << writeDocx(text);
        std::ofstream(m_folder / "figure.odt", std::ios::binary) << writeOdt(text);
        std::ofstream(m_folder / "figure.png", std::ios::binary) << m_png;
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    bool run(const std::string& command) const {
        return succeeds("cd '" + m_folder.string() + "' && " + command);
    }
    std::string file(const std::string& name) const {
        return readBytes((m_folder / name).string());
    }

    const std::string m_png = tinyPng(64, 32, 7);
    std::filesystem::path m_folder;
};

TEST_F(FigureInterop, PythonDocxFindsTheInlinePictureWithItsBytes) {
    if (!succeeds("/usr/bin/python3 -c 'import docx'")) GTEST_SKIP() << "python3-docx missing";
    std::ofstream(m_folder / "shapes.py")
        << "import docx\n"
           "d = docx.Document('figure.docx')\n"
           "shapes = d.inline_shapes\n"
           "rid = shapes[0]._inline.graphic.graphicData.pic.blipFill.blip.embed\n"
           "open('blob.bin', 'wb').write(d.part.related_parts[rid].blob)\n"
           "open('shapes.txt', 'w').write('%d %d' % (len(shapes), round(shapes[0].width.cm * "
           "100)))\n";
    ASSERT_TRUE(run("/usr/bin/python3 shapes.py"));
    EXPECT_EQ(file("shapes.txt"), "1 600");
    EXPECT_EQ(file("blob.bin"), m_png);
}

TEST_F(FigureInterop, ReadsThePicturePythonDocxAdds) {
    if (!succeeds("/usr/bin/python3 -c 'import docx'")) GTEST_SKIP() << "python3-docx missing";
    std::ofstream(m_folder / "add.py") << "import docx\n"
                                          "from docx.shared import Cm\n"
                                          "d = docx.Document()\n"
                                          "p = d.add_paragraph('图前')\n"
                                          "p.add_run().add_picture('figure.png', width=Cm(4))\n"
                                          "p.add_run('图后')\n"
                                          "d.save('added.docx')\n";
    ASSERT_TRUE(run("/usr/bin/python3 add.py"));
    const OfficeReading reading = readDocx(file("added.docx"), CharFormat{});
    ASSERT_FALSE(reading.problem);
    EXPECT_EQ(reading.content.plainText(), u"图前\uFFFC图后");
    const FigureRef* found = nullptr;
    for (const StyledRun& r : reading.content.runs()) {
        if (r.format.figure) found = &r.format.figure;
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(*(*found)->bytes, m_png);
    EXPECT_EQ((*found)->width.unit, FigureWidth::Unit::Centimetres);
    EXPECT_NEAR((*found)->width.value, 4.0, 0.01);
    EXPECT_FALSE(reading.leftOut.has(LeftOut::Pictures));
}

TEST_F(FigureInterop, OdfpyFindsTheFramedPictureWithItsBytes) {
    if (!succeeds("/usr/bin/python3 -c 'import odf'")) GTEST_SKIP() << "python3-odf missing";
    std::ofstream(m_folder / "frames.py")
        << "from odf.opendocument import load\n"
           "from odf import draw\n"
           "d = load('figure.odt')\n"
           "images = d.getElementsByType(draw.Image)\n"
           "href = images[0].getAttribute('href')\n"
           "open('blob.bin', 'wb').write(d.Pictures[href][1])\n"
           "frame = d.getElementsByType(draw.Frame)[0]\n"
           "open('frames.txt', 'w').write('%d %s' % (len(images), frame.getAttribute('width')))\n";
    ASSERT_TRUE(run("/usr/bin/python3 frames.py"));
    EXPECT_EQ(file("frames.txt"), "1 6cm");
    EXPECT_EQ(file("blob.bin"), m_png);
}

TEST_F(FigureInterop, LibreOfficePrintsThePictureOfPennorysFiles) {
    if (!succeeds("command -v soffice") || !succeeds("command -v pdfimages"))
        GTEST_SKIP() << "LibreOffice or poppler-utils missing";
    for (const std::string name : {"figure.docx", "figure.odt"}) {
        ASSERT_TRUE(run(soffice(m_folder, "--convert-to pdf " + name)));
        const std::string pdf = name.substr(0, name.find('.')) + ".pdf";
        // run() sends its output away: tee keeps a copy.
        ASSERT_TRUE(run("pdfimages -list " + pdf + " | tee list.txt"));
        // A header, a rule, then one line for each image: ours is 64 x 32 pixels.
        const std::string list = file("list.txt");
        EXPECT_NE(list.find("   64    32 "), std::string::npos) << name << "\n" << list;
        std::filesystem::remove(m_folder / pdf);
    }
}

TEST_F(FigureInterop, ReadsThePictureLibreOfficePutsInADocxAndAnOdt) {
    if (!succeeds("command -v soffice")) GTEST_SKIP() << "LibreOffice is not installed";
    std::ofstream(m_folder / "page.html")
        << "<html><body><p>电路<img src=\"data:image/png;base64," + base64(m_png) +
               "\" width=\"128\" height=\"64\">图</p>"
               "</body></html>";
    for (const auto& [filter, name] :
         {std::pair<std::string, std::string>{"docx:MS Word 2007 XML", "page.docx"},
          {"odt:writer8", "page.odt"}}) {
        ASSERT_TRUE(run(soffice(m_folder, "--writer --convert-to '" + filter + "' page.html")));
        const std::string bytes = file(name);
        const OfficeReading reading =
            name.ends_with("docx") ? readDocx(bytes, CharFormat{}) : readOdt(bytes, CharFormat{});
        ASSERT_FALSE(reading.problem) << name;
        const std::u16string plain = reading.content.plainText();
        ASSERT_NE(plain.find(u'\uFFFC'), std::u16string::npos) << name;
        const FigureRef* found = nullptr;
        for (const StyledRun& run : reading.content.runs()) {
            if (run.format.figure) found = &run.format.figure;
        }
        ASSERT_TRUE(found) << name;
        EXPECT_EQ((*found)->kind, FigureKind::Png) << name;
        EXPECT_EQ((*found)->widthPx, 64) << name;
        // 128 px at 96 an inch: 3.39 cm, whether it came as Natural or in centimetres.
        const double width =
            (*found)->width.unit == FigureWidth::Unit::Centimetres ? (*found)->width.value : 0;
        EXPECT_NEAR(width, 3.39, 0.05) << name;
        EXPECT_FALSE(reading.leftOut.has(LeftOut::Pictures)) << name;
    }
}

// A picture floating beside the text comes in RTF as a shape holding it: it is read where the
// shape is anchored.
TEST_F(FigureInterop, ReadsTheFloatingPictureOfLibreOfficesRtf) {
    if (!succeeds("command -v soffice")) GTEST_SKIP() << "LibreOffice is not installed";
    std::ofstream(m_folder / "float.html")
        << "<html><body><p>电路<img src=\"data:image/png;base64," + base64(m_png) +
               "\" style=\"float:left\" width=\"128\" height=\"64\">图</p></body></html>";
    ASSERT_TRUE(run(soffice(m_folder, "--writer --convert-to 'rtf:Rich Text Format' float.html")));
    const std::string rtf = file("float.rtf");
    ASSERT_NE(rtf.find("\\shp"), std::string::npos) << "LibreOffice wrote no floating shape";
    LeftOutKinds leftOut;
    const StyledText text = readRtf(rtf, leftOut);
    // Anchored to its paragraph, it stands in that paragraph, beside the text.
    const std::u16string plain = text.plainText();
    EXPECT_EQ(std::count(plain.begin(), plain.end(), u'\uFFFC'), 1);
    std::u16string words = plain;
    std::erase(words, u'\uFFFC');
    EXPECT_NE(words.find(u"电路图"), std::u16string::npos);
    const FigureRef* found = nullptr;
    for (const StyledRun& run : text.runs()) {
        if (run.format.figure) found = &run.format.figure;
    }
    ASSERT_TRUE(found);
    EXPECT_EQ((*found)->kind, FigureKind::Png);
    EXPECT_EQ(*(*found)->bytes, m_png);
    EXPECT_FALSE(leftOut.has(LeftOut::Pictures));
}

}  // namespace
}  // namespace pennory::text
