// What the RTF reader reports it could not keep, beside the text it kept.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/rtf_reader.h"
#include "text_test_support.h"

namespace pennory::text {
namespace {

using L = LeftOut;

TEST(RtfLeftOut, KindsOfContentLeftOut) {
    struct Case {
        const char* name;
        std::string rtf;
        std::u16string text;
        std::vector<LeftOut> leftOut;
    } cases[] = {
        {"plain document",
         "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
         "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}\\f0 a\\tab b\\par}",
         u"a\tb",
         {}},
        // A picture is kept as a figure; one that cannot be shown as a placeholder, told.
        {"picture", "{\\rtf1 a{\\pict\\pngblip\\picw1\\pich1 89504e47}b}", u"a\uFFFCb", {}},
        {"word's picture pair",
         "{\\rtf1 a{\\*\\shppict{\\pict\\pngblip 00}}{\\nonshppict{\\pict\\wmetafile8 00}}b}",
         u"a\uFFFCb",
         {}},
        {"metafile", "{\\rtf1 a{\\pict\\wmetafile8 0100}b}", u"a\uFFFCb", {L::UnshownPictures}},
        // A floating picture stands where it is anchored; a shape with none is left out.
        {"floating picture",
         "{\\rtf1 a{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv{\\pict\\pngblip 00}}}}"
         "{\\shprslt{\\pict\\wmetafile8 00}}}b}",
         u"a\uFFFCb",
         {}},
        {"text box",
         "{\\rtf1 a{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 202}}{\\shptxt box}}"
         "{\\shprslt{\\*\\do\\dobxcolumn}}}b}",
         u"ab",
         {L::Pictures}},
        {"picture as a field's result",
         "{\\rtf1 {\\field{\\*\\fldinst INCLUDEPICTURE a.png}{\\fldrslt{\\pict 00}}}z}",
         u"\uFFFCz",
         {L::UnshownPictures}},
        {"object",
         "{\\rtf1 a{\\object\\objemb{\\*\\objclass Excel}{\\*\\objdata 0102}}b}",
         u"ab",
         {L::Objects}},
        {"table",
         "{\\rtf1 \\trowd\\cellx1000\\cellx2000 A\\cell B\\cell\\row}",
         u"A\tB\t\r\n",
         {L::Tables}},
        {"footnote",
         "{\\rtf1 text{\\super\\chftn}{\\footnote\\ftnalt note}.}",
         u"text.",
         {L::Footnotes}},
        {"header and footer",
         "{\\rtf1 {\\header head}{\\footerr foot}body}",
         u"body",
         {L::HeadersFooters}},
        {"comment", "{\\rtf1 body{\\*\\atnid R}{\\*\\annotation remark}}", u"body", {L::Comments}},
        // A picture in a header already left out is not told twice.
        {"picture in a header",
         "{\\rtf1 {\\header {\\pict 00}}body}",
         u"body",
         {L::HeadersFooters}},
        {"several, in the notice's order",
         "{\\rtf1 {\\*\\annotation c}{\\header h}{\\footnote f}\\trowd x\\cell\\row"
         "{\\object y}{\\pict 0}}",
         u"x\t\r\n\uFFFC",
         {L::Objects, L::Tables, L::Footnotes, L::HeadersFooters, L::Comments, L::UnshownPictures}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LeftOutKinds leftOut;
        const StyledText read = readRtf(c.rtf, leftOut);
        EXPECT_EQ(read.plainText(), c.text) << testing::toUtf8(read.plainText());
        EXPECT_EQ(leftOut.list(), c.leftOut);
        // The short form reads the same text.
        EXPECT_EQ(readRtf(c.rtf), read);
    }
}

TEST(RtfLeftOut, ReadingAgainStartsEmpty) {
    LeftOutKinds leftOut;
    readRtf("{\\rtf1 {\\pict 00}}", leftOut);
    ASSERT_FALSE(leftOut.empty());
    readRtf("{\\rtf1 text}", leftOut);
    EXPECT_TRUE(leftOut.empty());
}

}  // namespace
}  // namespace pennory::text
