// Figures between RTF, DOCX and ODT: a metafile or other picture Pennory cannot show keeps its
// file through every change of format, and what a format cannot hold is known before a save.

#include "platform/text/figure_forms.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "metafile_samples.h"
#include "platform/text/office_documents.h"
#include "platform/text/rtf_picture_group.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"
#include "platform/text/zip_package.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using testing::hexOf;
using testing::tinyEmf;
using testing::tinyWmfFile;
using testing::tinyWmfRecords;

enum class Format { Rtf, Docx, Odt };
const char* nameOf(Format f) {
    return f == Format::Rtf ? "rtf" : f == Format::Docx ? "docx" : "odt";
}

std::string write(Format f, const StyledText& text) {
    if (f == Format::Docx) return writeDocx(text);
    if (f == Format::Odt) return writeOdt(text);
    return writeRtf(text);
}

StyledText read(Format f, const std::string& bytes) {
    if (f == Format::Docx) return readDocx(bytes, CharFormat{}).content;
    if (f == Format::Odt) return readOdt(bytes, CharFormat{}).content;
    return readRtf(bytes);
}

std::vector<Figure> figuresIn(const StyledText& text) {
    std::vector<Figure> out;
    for (const StyledRun& run : text.runs()) {
        for (const char16_t c : run.text) {
            if (c == kObjectCharacter && run.format.figure) out.push_back(*run.format.figure);
        }
    }
    return out;
}

Figure other(std::string origin, std::string bytes) {
    Figure figure;
    figure.kind = FigureKind::Other;
    figure.origin = std::move(origin);
    figure.bytes = std::make_shared<const std::string>(std::move(bytes));
    figure.goalWidthTwips = 1440;
    figure.goalHeightTwips = 720;
    return figure;
}

StyledText withFigure(const Figure& figure, std::size_t count = 1) {
    StyledText text(u"图");
    CharFormat f;
    f.figure = FigureRef(figure);
    text.append(std::u16string(count, kObjectCharacter), f);
    return text;
}

// The picture file a figure holds: a package entry as it is, the data of an RTF group.
std::string pictureData(const Figure& figure) {
    if (figure.origin != "rtf:pict") return figure.bytes ? *figure.bytes : "(none)";
    const auto picture = readRtfPictureGroup(*figure.bytes);
    return picture ? picture->data : "(no picture)";
}

std::string entry(const std::string& package, const std::string& name) {
    PackageProblem problem{};
    auto zip = ZipReader::open(package, problem);
    if (!zip || !zip->has(name)) return "(missing " + name + ")";
    return *zip->read(name, problem);
}

const std::string kSvg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"2\"/>";
const std::string kTiff("II*\0\x08\0\0\0\0\0", 10);

std::string rtfWith(const std::string& group) { return "{\\rtf1 a" + group + "}"; }

struct Trip {
    const char* name;
    Format from;
    std::string document;  // the first file, in format from
    std::string data;      // the picture file (a package's) or data (an RTF group's) it holds
};

std::vector<Trip> trips() {
    const std::string emfGroup =
        "{\\*\\shppict{\\pict\\picw2540\\pich1270\\picwgoal1440\\pichgoal720\\emfblip " +
        hexOf(tinyEmf()) + "}}";
    const std::string wmfGroup =
        "{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 " +
        hexOf(tinyWmfRecords()) + "}";
    return {
        {"docx_emf", Format::Docx, writeDocx(withFigure(other("docx:image/x-emf", tinyEmf()))),
         tinyEmf()},
        {"odt_emf", Format::Odt, writeOdt(withFigure(other("odt:image/x-emf", tinyEmf()))),
         tinyEmf()},
        {"docx_wmf", Format::Docx, writeDocx(withFigure(other("docx:image/x-wmf", tinyWmfFile()))),
         tinyWmfFile()},
        {"odt_wmf", Format::Odt, writeOdt(withFigure(other("odt:image/x-wmf", tinyWmfFile()))),
         tinyWmfFile()},
        {"docx_svg", Format::Docx, writeDocx(withFigure(other("docx:image/svg+xml", kSvg))), kSvg},
        {"odt_tiff", Format::Odt, writeOdt(withFigure(other("odt:image/tiff", kTiff))), kTiff},
        {"rtf_emf", Format::Rtf, rtfWith(emfGroup), tinyEmf()},
        {"rtf_wmf", Format::Rtf, rtfWith(wmfGroup), tinyWmfRecords()},
    };
}

TEST(FigureForms, APictureOfNoShownFormSurvivesTwoChangesOfFormat) {
    for (const Trip& trip : trips()) {
        for (const Format to : {Format::Rtf, Format::Docx, Format::Odt}) {
            if (to == trip.from) continue;
            SCOPED_TRACE(std::string(trip.name) + " -> " + nameOf(to));
            const StyledText first = read(trip.from, trip.document);
            ASSERT_EQ(figuresIn(first).size(), 1u);
            EXPECT_EQ(pictureData(figuresIn(first)[0]), trip.data);
            const StyledText there = read(to, write(to, first));
            ASSERT_EQ(figuresIn(there).size(), 1u);
            EXPECT_EQ(figuresIn(there)[0].kind, FigureKind::Other);
            const StyledText back = read(trip.from, write(trip.from, there));
            ASSERT_EQ(figuresIn(back).size(), 1u);
            EXPECT_EQ(pictureData(figuresIn(back)[0]), trip.data);
            EXPECT_EQ(back.plainText(), first.plainText());
        }
    }
}

TEST(FigureForms, APackageMetafileIsWrittenInRtfsOwnForms) {
    const std::string emf = hexOf(tinyEmf());
    const std::string wmf = hexOf(tinyWmfFile());
    const std::string svg = hexOf(kSvg);
    const struct {
        const char* name;
        Figure figure;
        std::string group;
    } cases[] = {
        {"emf", other("docx:image/x-emf", tinyEmf()),
         "{\\*\\shppict{\\pict\\picscalex100\\picscaley100\\picw2540\\pich1270\\picwgoal1440"
         "\\pichgoal720\\emfblip\r\n" +
             emf.substr(0, 128) + "\r\n" + emf.substr(128) + "}}"},
        {"wmf", other("odt:image/wmf", tinyWmfFile()),
         "{\\pict\\wmetafile8\\picscalex100\\picscaley100\\picw2540\\pich1270\\picwgoal1440"
         "\\pichgoal720{\\*\\pennorywmfheader\r\n" +
             wmf.substr(0, 44) + "}\r\n" + wmf.substr(44) + "}"},
        {"svg", other("docx:image/svg+xml", kSvg),
         "{\\*\\shppict{\\pict\\picscalex100\\picscaley100\\picw0\\pich0\\picwgoal1440"
         "\\pichgoal720{\\*\\pennorymedia image/svg+xml\r\n" +
             svg + "}}}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string rtf = writeRtf(withFigure(c.figure));
        EXPECT_NE(rtf.find(c.group), std::string::npos) << rtf;
    }
}

TEST(FigureForms, AnRtfMetafileBecomesItsFileInAPackage) {
    const std::string builtHeader(
        "\xD7\xCD\xC6\x9A\0\0\0\0\0\0\xA0\x05\xD0\x02\xA0\x05\0\0\0\0\xC1\x55", 22);
    const std::string pict("PICTDATA", 8);
    const struct {
        const char* name;
        std::string group;
        std::string part;
        std::string bytes;
        std::string contentType;
    } cases[] = {
        {"emf",
         "{\\*\\shppict{\\pict\\picwgoal1440\\pichgoal720\\emfblip " + hexOf(tinyEmf()) + "}}",
         "word/media/image1.emf", tinyEmf(),
         "<Default Extension=\"emf\" ContentType=\"image/x-emf\"/>"},
        {"wmf, a header from the goal size",
         "{\\pict\\wmetafile8\\picwgoal1440\\pichgoal720 " + hexOf(tinyWmfRecords()) + "}",
         "word/media/image1.wmf", builtHeader + tinyWmfRecords(),
         "<Default Extension=\"wmf\" ContentType=\"image/x-wmf\"/>"},
        {"wmf in binary",
         "{\\pict\\wmetafile8\\picwgoal1440\\pichgoal720\\bin24 " + tinyWmfRecords() + "}",
         "word/media/image1.wmf", builtHeader + tinyWmfRecords(),
         "<Default Extension=\"wmf\" ContentType=\"image/x-wmf\"/>"},
        {"pict", "{\\pict\\macpict\\picwgoal1440\\pichgoal720 " + hexOf(pict) + "}",
         "word/media/image1.pict", std::string(512, '\0') + pict,
         "<Default Extension=\"pict\" ContentType=\"image/x-pict\"/>"},
        {"a kept type",
         "{\\pict{\\*\\blipuid 0123}{\\*\\pennorymedia image/tiff " + hexOf(kTiff) + "}}",
         "word/media/image1.tiff", kTiff,
         "<Default Extension=\"tiff\" ContentType=\"image/tiff\"/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string docx = writeDocx(readRtf(rtfWith(c.group)));
        EXPECT_EQ(entry(docx, c.part), c.bytes);
        EXPECT_NE(entry(docx, "[Content_Types].xml").find(c.contentType), std::string::npos);
    }
}

TEST(FigureForms, WhatAFormatCanHoldIsWhatItsWriterWrites) {
    const auto fromRtf = [](const std::string& group) {
        const auto figures = figuresIn(readRtf(rtfWith(group)));
        return figures.empty() ? Figure{} : figures[0];
    };
    const struct {
        const char* name;
        Figure figure;
        bool rtf, docx, odt;
    } cases[] = {
        {"docx emf", other("docx:image/x-emf", tinyEmf()), true, true, true},
        {"odt svg", other("odt:image/svg+xml", kSvg), true, true, true},
        {"an unknown token type", other("docx:application/x-circuit", "CIR"), true, true, true},
        {"a damaged type", other("docx:image/<emf>", tinyEmf()), false, false, false},
        {"no origin", other("", tinyEmf()), false, false, false},
        {"rtf emf", fromRtf("{\\pict\\emfblip " + hexOf(tinyEmf()) + "}"), true, true, true},
        {"rtf wmf", fromRtf("{\\pict\\wmetafile8 " + hexOf(tinyWmfRecords()) + "}"), true, true,
         true},
        {"rtf wbitmap", fromRtf("{\\pict\\wbitmap0\\picw1\\pich1 0000ffff}"), true, false, false},
        {"rtf os/2 metafile", fromRtf("{\\pict\\pmmetafile0 0102}"), true, false, false},
        {"rtf metafile without data", fromRtf("{\\pict\\emfblip}"), true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(figureWritable(c.figure, FigureTarget::Rtf), c.rtf);
        EXPECT_EQ(figureWritable(c.figure, FigureTarget::Docx), c.docx);
        EXPECT_EQ(figureWritable(c.figure, FigureTarget::Odt), c.odt);
        const StyledText text = withFigure(c.figure);
        EXPECT_EQ(figuresIn(readRtf(writeRtf(text))).size(), c.rtf ? 1u : 0u);
        EXPECT_EQ(figuresIn(readDocx(writeDocx(text), CharFormat{}).content).size(),
                  c.docx ? 1u : 0u);
        EXPECT_EQ(figuresIn(readOdt(writeOdt(text), CharFormat{}).content).size(), c.odt ? 1u : 0u);
    }
}

TEST(FigureForms, CountsEachFigureAFormatWouldLose) {
    const Figure bitmap = figuresIn(readRtf(rtfWith("{\\pict\\wbitmap0 0000ffff}")))[0];
    StyledText text = withFigure(bitmap, 2);
    text.append(withFigure(other("docx:image/x-emf", tinyEmf())));
    text.append(withFigure(other("", "?")));
    EXPECT_EQ(figuresLost(text, FigureTarget::Rtf), 1u);
    EXPECT_EQ(figuresLost(text, FigureTarget::Docx), 3u);
    EXPECT_EQ(figuresLost(text, FigureTarget::Odt), 3u);
    EXPECT_EQ(figuresLost(StyledText(u"没有图片"), FigureTarget::Docx), 0u);
}

// LibreOffice shows an EMF that came in a DOCX once Pennory has saved it as RTF.
TEST(FigureForms, LibreOfficeShowsAnEmfPennorySavedAsRtf) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice is not installed";
    const auto folder = std::filesystem::temp_directory_path() /
                        ("pennory-figure-forms-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const StyledText docx =
        readDocx(writeDocx(withFigure(other("docx:image/x-emf", tinyEmf()))), CharFormat{}).content;
    std::ofstream(folder / "m.rtf", std::ios::binary) << writeRtf(docx);
    ASSERT_EQ(std::system(("cd " + folder.string() + " && " +
                           testing::soffice(folder, "--convert-to odt m.rtf >/dev/null 2>&1"))
                              .c_str()),
              0);
    const std::string odt = testing::readBytes((folder / "m.odt").string());
    const StyledText shown = readOdt(odt, CharFormat{}).content;
    std::filesystem::remove_all(folder);
    ASSERT_EQ(figuresIn(shown).size(), 1u);
    EXPECT_FALSE(figuresIn(shown)[0].bytes->empty());
}

}  // namespace
}  // namespace pennory::text
