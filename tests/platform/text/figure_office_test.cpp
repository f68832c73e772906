// Figures through DOCX and ODT: the picture bytes come back identical, the widths within
// 0.01 cm, and pictures the editor cannot show are kept to be written back.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "docx_test_support.h"
#include "figure_test_support.h"
#include "platform/text/figure_header.h"
#include "platform/text/office_documents.h"
#include "platform/text/zip_package.h"

namespace pennory::text {
namespace {

using testing::figureOf;
using testing::tinyJpeg;
using testing::tinyPng;
using Unit = FigureWidth::Unit;

struct Placed {
    std::size_t at;  // character offset in the plain text
    Figure figure;
};

std::vector<Placed> figuresIn(const StyledText& text) {
    std::vector<Placed> out;
    std::size_t offset = 0;
    for (const StyledRun& run : text.runs()) {
        for (std::size_t i = 0; i < run.text.size(); ++i) {
            if (run.text[i] == kObjectCharacter && run.format.figure)
                out.push_back({offset + i, *run.format.figure});
        }
        offset += run.text.size();
    }
    return out;
}

// Text, a PNG at its own size, text, a JPEG 5 cm wide, a new paragraph, the PNG at half the
// text width.
StyledText manuscript() {
    CharFormat song;
    song.fontName = u"宋体";
    song.sizePt = 10.5f;
    const Figure png = figureOf(FigureKind::Png, tinyPng(40, 20), 40, 20);
    const Figure jpeg =
        figureOf(FigureKind::Jpeg, tinyJpeg(300, 200), 300, 200, {Unit::Centimetres, 5.0f});
    Figure half = png;
    half.width = {Unit::PercentOfText, 50.0f};
    StyledText text;
    auto put = [&](const Figure& figure) {
        CharFormat f = song;
        f.figure = FigureRef(figure);
        text.append(std::u16string(1, kObjectCharacter), f);
    };
    text.append(u"电路图：", song);
    put(png);
    text.append(u"照片", song);
    put(jpeg);
    text.append(u"\r\n下图", song);
    put(half);
    return text;
}

using Writer = std::string (*)(const StyledText&);
using Reader = OfficeReading (*)(std::string_view, const CharFormat&);
struct Format {
    const char* name;
    Writer write;
    Reader read;
};

class FigureRoundTrip : public ::testing::TestWithParam<Format> {};

TEST_P(FigureRoundTrip, KeepsBytesPlacesAndWidths) {
    const StyledText original = manuscript();
    const OfficeReading back = GetParam().read(GetParam().write(original), CharFormat{});
    ASSERT_FALSE(back.problem);
    EXPECT_EQ(back.content.plainText(), u"电路图：\uFFFC照片\uFFFC\r\n下图\uFFFC");
    EXPECT_TRUE(back.leftOut.empty());
    const auto figures = figuresIn(back.content);
    ASSERT_EQ(figures.size(), 3u);
    EXPECT_EQ(figures[0].at, 4u);
    EXPECT_EQ(figures[1].at, 7u);
    EXPECT_EQ(figures[2].at, 12u);
    EXPECT_EQ(figures[0].figure.kind, FigureKind::Png);
    EXPECT_EQ(*figures[0].figure.bytes, tinyPng(40, 20));
    EXPECT_EQ(figures[0].figure.widthPx, 40);
    EXPECT_EQ(figures[0].figure.heightPx, 20);
    EXPECT_EQ(figures[0].figure.width.unit, Unit::Natural);  // 40 px at 96 an inch: 1.058 cm
    EXPECT_EQ(figures[1].figure.kind, FigureKind::Jpeg);
    EXPECT_EQ(*figures[1].figure.bytes, tinyJpeg(300, 200));
    EXPECT_EQ(figures[1].figure.width.unit, Unit::Centimetres);
    EXPECT_NEAR(figures[1].figure.width.value, 5.0, 0.01);
    EXPECT_EQ(*figures[2].figure.bytes, tinyPng(40, 20));
    EXPECT_EQ(figures[2].figure.width.unit, Unit::Centimetres);
    EXPECT_NEAR(figures[2].figure.width.value, 8.25, 0.01);  // half of 16.5 cm
    // One picture file for both uses of the PNG.
    EXPECT_EQ(figures[0].figure.bytes.get(), figures[2].figure.bytes.get());
}

INSTANTIATE_TEST_SUITE_P(Packages, FigureRoundTrip,
                         ::testing::Values(Format{"docx", writeDocx, readDocx},
                                           Format{"odt", writeOdt, readOdt}),
                         [](const auto& info) { return std::string(info.param.name); });

std::string entry(const std::string& package, const std::string& name) {
    PackageProblem problem{};
    auto zip = ZipReader::open(package, problem);
    if (!zip || !zip->has(name)) return "(missing " + name + ")";
    return *zip->read(name, problem);
}

bool stored(const std::string& package, const std::string& name) {
    PackageProblem problem{};
    auto zip = ZipReader::open(package, problem);
    return zip && zip->isStored(name);
}

TEST(DocxFigures, WritesMediaPartsTypesRelationshipsAndAnInlineDrawing) {
    const std::string docx = writeDocx(manuscript());
    EXPECT_EQ(entry(docx, "word/media/image1.png"), tinyPng(40, 20));
    EXPECT_EQ(entry(docx, "word/media/image2.jpeg"), tinyJpeg(300, 200));
    EXPECT_TRUE(stored(docx, "word/media/image1.png"));
    EXPECT_TRUE(stored(docx, "word/media/image2.jpeg"));
    const std::string types = entry(docx, "[Content_Types].xml");
    EXPECT_NE(types.find("<Default Extension=\"png\" ContentType=\"image/png\"/>"),
              std::string::npos);
    EXPECT_NE(types.find("<Default Extension=\"jpeg\" ContentType=\"image/jpeg\"/>"),
              std::string::npos);
    const std::string rels = entry(docx, "word/_rels/document.xml.rels");
    EXPECT_NE(rels.find("Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                        "2006/relationships/image\" Target=\"media/image1.png\""),
              std::string::npos);
    const std::string main = entry(docx, "word/document.xml");
    // 5 cm is 1 800 000 EMU; 300 x 200 pixels keep the aspect: 1 200 000.
    EXPECT_NE(main.find("<wp:extent cx=\"1800000\" cy=\"1200000\"/>"), std::string::npos);
    // 40 px at 96 an inch: 381 000 EMU.
    EXPECT_NE(main.find("<wp:extent cx=\"381000\" cy=\"190500\"/>"), std::string::npos);
    EXPECT_NE(main.find("<a:blip r:embed=\"rId5\"/>"), std::string::npos);
    EXPECT_NE(main.find("<wp:docPr id=\"3\""), std::string::npos);
    EXPECT_NE(main.find("<a:prstGeom prst=\"rect\">"), std::string::npos);
}

TEST(DocxFigures, AWidePictureAtItsOwnSizeIsNoWiderThanTheText) {
    StyledText text;
    CharFormat f;
    f.figure = FigureRef(figureOf(FigureKind::Png, tinyPng(1200, 600), 1200, 600));
    text.append(u"\uFFFC", f);
    const std::string main = entry(writeDocx(text), "word/document.xml");
    EXPECT_NE(main.find("<wp:extent cx=\"5940000\" cy=\"2970000\"/>"), std::string::npos);
    const auto back = figuresIn(readDocx(writeDocx(text), CharFormat{}).content);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].figure.width.unit, Unit::Natural);
}

const std::string kEmf = std::string("\x01\x00\x00\x00\x6C\x00\x00\x00 EMF picture", 20);

// A package with one drawing whose blip is rId9, a part of the given name and bytes.
std::string docxWithPicture(const std::string& drawing, const std::string& part,
                            const std::string& bytes, const std::string& type) {
    const std::string body = "<w:p><w:r><w:t>图</w:t></w:r><w:r>" + drawing + "</w:r></w:p>";
    std::string package = testing::docxPackage(body);
    // Rebuild with the picture's part, type and relationship added.
    PackageProblem problem{};
    auto zip = ZipReader::open(package, problem);
    ZipWriter out;
    for (const std::string& name : zip->names()) {
        std::string content = *zip->read(name, problem);
        if (name == "[Content_Types].xml")
            content.insert(content.find("</Types>"), "<Override PartName=\"/word/" + part +
                                                         "\" ContentType=\"" + type + "\"/>");
        if (name == "word/_rels/main.xml.rels")
            content.insert(content.find("</Relationships>"),
                           "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/"
                           "officeDocument/2006/relationships/image\" Target=\"" +
                               part + "\"/>");
        out.add(name, content);
    }
    out.add("word/" + part, bytes);
    return out.finish();
}

const std::string kInline =
    "<w:drawing><wp:inline xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/"
    "wordprocessingDrawing\"><wp:extent cx=\"720000\" cy=\"360000\"/><a:graphic><a:graphicData>"
    "<pic:pic xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
    "<pic:blipFill><a:blip xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships\" r:embed=\"rId9\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic>"
    "</wp:inline></w:drawing>";

TEST(DocxFigures, AMetafileIsKeptUnshownAndWrittenBackAsItCame) {
    const OfficeReading reading =
        readDocx(docxWithPicture(kInline, "media/a.emf", kEmf, "image/x-emf"), CharFormat{});
    ASSERT_FALSE(reading.problem);
    EXPECT_EQ(reading.content.plainText(), u"图\uFFFC");
    EXPECT_TRUE(reading.leftOut.has(LeftOut::UnshownPictures));
    EXPECT_FALSE(reading.leftOut.has(LeftOut::Pictures));
    const auto figures = figuresIn(reading.content);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].figure.kind, FigureKind::Other);
    EXPECT_EQ(figures[0].figure.origin, "docx:image/x-emf");
    EXPECT_EQ(*figures[0].figure.bytes, kEmf);
    EXPECT_EQ(figures[0].figure.goalWidthTwips, 1134);  // 2 cm
    const std::string again = writeDocx(reading.content);
    EXPECT_EQ(entry(again, "word/media/image1.emf"), kEmf);
    EXPECT_NE(entry(again, "[Content_Types].xml")
                  .find("<Default Extension=\"emf\" ContentType=\"image/x-emf\"/>"),
              std::string::npos);
    const auto twice = figuresIn(readDocx(again, CharFormat{}).content);
    ASSERT_EQ(twice.size(), 1u);
    EXPECT_EQ(twice[0].figure.goalWidthTwips, 1134);
    EXPECT_EQ(twice[0].figure.goalHeightTwips, 567);
}

TEST(DocxFigures, APictureTooLargeToShowIsLeftOutBeforeItIsKept) {
    std::string huge = tinyPng(2, 2);
    huge.replace(16, 8, std::string("\x00\x01\x86\xA0\x00\x01\x86\xA0", 8));  // 100000 squared
    const OfficeReading reading =
        readDocx(docxWithPicture(kInline, "media/a.png", huge, "image/png"), CharFormat{});
    EXPECT_EQ(reading.content.plainText(), u"图");
    EXPECT_TRUE(reading.leftOut.has(LeftOut::Pictures));
}

TEST(DocxFigures, ADrawingWhoseRelationshipIsMissingIsLeftOut) {
    std::string drawing = kInline;
    drawing.replace(drawing.find("rId9"), 4, "rId8");
    const OfficeReading reading =
        readDocx(docxWithPicture(drawing, "media/a.png", tinyPng(4, 4), "image/png"), CharFormat{});
    EXPECT_EQ(reading.content.plainText(), u"图");
    EXPECT_TRUE(reading.leftOut.has(LeftOut::Pictures));
}

TEST(DocxFigures, ReadsAnAnchoredDrawingAtItsAnchor) {
    std::string anchor = kInline;
    anchor.replace(anchor.find("wp:inline "), 9, "wp:anchor");
    anchor.replace(anchor.find("/wp:inline"), 10, "/wp:anchor");
    anchor.insert(anchor.find("<wp:extent"),
                  "<wp:simplePos x=\"0\" y=\"0\"/><wp:positionH relativeFrom=\"column\">"
                  "<wp:posOffset>0</wp:posOffset></wp:positionH>");
    const OfficeReading reading =
        readDocx(docxWithPicture(anchor, "media/p.png", tinyPng(10, 5), "image/png"), CharFormat{});
    EXPECT_EQ(reading.content.plainText(), u"图\uFFFC");
    const auto figures = figuresIn(reading.content);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_NEAR(figures[0].figure.width.value, 2.0, 0.01);
}

TEST(DocxFigures, AnEmfFromRtfIsWrittenAsAMetafilePart) {
    Figure emf = figureOf(FigureKind::Other, kEmf, 0, 0);
    emf.origin = "rtf:emfblip";
    emf.goalWidthTwips = 1440;
    emf.goalHeightTwips = 720;
    StyledText text;
    CharFormat f;
    f.figure = FigureRef(emf);
    text.append(u"\uFFFC", f);
    const std::string docx = writeDocx(text);
    EXPECT_EQ(entry(docx, "word/media/image1.emf"), kEmf);
    EXPECT_NE(entry(docx, "word/document.xml").find("<wp:extent cx=\"914400\" cy=\"457200\"/>"),
              std::string::npos);
}

TEST(DocxFigures, ReadsVmlImageDataWithItsShapeSize) {
    const std::string pict =
        "<w:pict><v:shape style=\"width:72pt;height:36pt\"><v:imagedata "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
        "r:id=\"rId9\"/></v:shape></w:pict>";
    const OfficeReading reading =
        readDocx(docxWithPicture(pict, "media/p.png", tinyPng(10, 5), "image/png"), CharFormat{});
    const auto figures = figuresIn(reading.content);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(*figures[0].figure.bytes, tinyPng(10, 5));
    EXPECT_EQ(figures[0].figure.width.unit, Unit::Centimetres);
    EXPECT_NEAR(figures[0].figure.width.value, 2.54, 0.01);
    EXPECT_FALSE(reading.leftOut.has(LeftOut::Pictures));
}

TEST(OdtFigures, WritesStoredPicturesManifestEntriesAndFrames) {
    const std::string odt = writeOdt(manuscript());
    EXPECT_EQ(entry(odt, "Pictures/1.png"), tinyPng(40, 20));
    EXPECT_EQ(entry(odt, "Pictures/2.jpeg"), tinyJpeg(300, 200));
    EXPECT_TRUE(stored(odt, "Pictures/1.png"));
    const std::string manifest = entry(odt, "META-INF/manifest.xml");
    EXPECT_NE(manifest.find("<manifest:file-entry manifest:full-path=\"Pictures/2.jpeg\" "
                            "manifest:media-type=\"image/jpeg\"/>"),
              std::string::npos);
    const std::string content = entry(odt, "content.xml");
    EXPECT_NE(content.find("text:anchor-type=\"as-char\" svg:width=\"5cm\" svg:height=\"3.3333"),
              std::string::npos);
    EXPECT_NE(content.find("<draw:image xlink:href=\"Pictures/2.jpeg\" xlink:type=\"simple\" "
                           "xlink:show=\"embed\" xlink:actuate=\"onLoad\"/>"),
              std::string::npos);
}

std::string odtWithFrame(const std::string& frame,
                         const std::vector<std::pair<std::string, std::string>>& pictures,
                         const std::string& manifestEntries) {
    ZipWriter zip;
    zip.add("mimetype", "application/vnd.oasis.opendocument.text", false);
    zip.add("META-INF/manifest.xml",
            "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:"
            "manifest:1.0\">" +
                manifestEntries + "</manifest:manifest>");
    zip.add("content.xml",
            "<office:document-content "
            "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
            "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
            "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
            "xmlns:xlink=\"http://www.w3.org/1999/xlink\"><office:body><office:text><text:p>图" +
                frame + "</text:p></office:text></office:body></office:document-content>");
    for (const auto& [name, bytes] : pictures) zip.add(name, bytes);
    return zip.finish();
}

const std::string kSvg = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>";

TEST(OdtFigures, AFrameShowsItsFirstPictureTheEditorCanShow) {
    const std::string frame =
        "<draw:frame svg:width=\"30mm\" svg:height=\"15mm\">"
        "<draw:image xlink:href=\"Pictures/a.svg\"/><draw:image xlink:href=\"./Pictures/b.png\"/>"
        "</draw:frame>";
    const OfficeReading reading = readOdt(
        odtWithFrame(frame, {{"Pictures/a.svg", kSvg}, {"Pictures/b.png", tinyPng(8, 4)}}, ""),
        CharFormat{});
    const auto figures = figuresIn(reading.content);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(reading.content.plainText(), u"图\uFFFC");
    EXPECT_EQ(figures[0].figure.kind, FigureKind::Png);
    EXPECT_EQ(*figures[0].figure.bytes, tinyPng(8, 4));
    EXPECT_NEAR(figures[0].figure.width.value, 3.0, 0.01);
    EXPECT_TRUE(reading.leftOut.empty());
}

TEST(OdtFigures, AnSvgAloneIsKeptUnshownWithItsMediaType) {
    const std::string frame =
        "<draw:frame svg:width=\"2in\" svg:height=\"1in\">"
        "<draw:image xlink:href=\"Pictures/a.svg\"/></draw:frame>";
    const OfficeReading reading =
        readOdt(odtWithFrame(frame, {{"Pictures/a.svg", kSvg}},
                             "<manifest:file-entry manifest:full-path=\"Pictures/a.svg\" "
                             "manifest:media-type=\"image/svg+xml\"/>"),
                CharFormat{});
    const auto figures = figuresIn(reading.content);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].figure.kind, FigureKind::Other);
    EXPECT_EQ(figures[0].figure.origin, "odt:image/svg+xml");
    EXPECT_TRUE(reading.leftOut.has(LeftOut::UnshownPictures));
    EXPECT_FALSE(reading.leftOut.has(LeftOut::Pictures));
    const std::string again = writeOdt(reading.content);
    EXPECT_EQ(entry(again, "Pictures/1.svg"), kSvg);
    EXPECT_NE(entry(again, "content.xml").find("svg:width=\"5.08cm\" svg:height=\"2.54cm\""),
              std::string::npos);
}

TEST(OdtFigures, ALinkedPictureOutsideThePackageIsLeftOut) {
    const std::string frame =
        "<draw:frame svg:width=\"2cm\"><draw:image xlink:href=\"file:///etc/passwd\"/>"
        "<draw:image xlink:href=\"../outside.png\"/></draw:frame>";
    const OfficeReading reading = readOdt(odtWithFrame(frame, {}, ""), CharFormat{});
    EXPECT_EQ(reading.content.plainText(), u"图");
    EXPECT_TRUE(reading.leftOut.has(LeftOut::Pictures));
}

struct HeaderCase {
    const char* name;
    std::string bytes;
    FigureKind kind;
    int width, height;
};

TEST(FigureHeader, ReadsKindAndSizeFromTheHeaders) {
    std::string bmp("BM", 2);
    bmp += std::string(12, '\0');
    bmp += std::string("\x28\x00\x00\x00\x20\x00\x00\x00\xF0\xFF\xFF\xFF", 12);  // 32 x -16
    bmp += std::string(16, '\0');
    const HeaderCase cases[] = {
        {"png", tinyPng(40, 20), FigureKind::Png, 40, 20},
        {"jpeg", tinyJpeg(300, 200), FigureKind::Jpeg, 300, 200},
        {"gif", std::string("GIF89a\x0A\x00\x05\x00\x00\x00\x00", 13), FigureKind::Gif, 10, 5},
        {"bmp top-down", bmp, FigureKind::Bmp, 32, 16},
        {"svg", kSvg, FigureKind::Other, 0, 0},
        {"png cut short", tinyPng(4, 4).substr(0, 20), FigureKind::Other, 0, 0},
    };
    for (const HeaderCase& c : cases) {
        const FigureHeader header = probeFigureHeader(c.bytes);
        EXPECT_EQ(header.kind, c.kind) << c.name;
        EXPECT_EQ(header.widthPx, c.width) << c.name;
        EXPECT_EQ(header.heightPx, c.height) << c.name;
        EXPECT_FALSE(header.tooLarge) << c.name;
    }
    EXPECT_FALSE(probeFigureHeader(tinyJpeg(8192, 6144)).tooLarge);
    EXPECT_TRUE(probeFigureHeader(tinyJpeg(8193, 6144)).tooLarge);
}

}  // namespace
}  // namespace pennory::text
