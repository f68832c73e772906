// The notice after a load that could not keep all of a file: its wording, and that Open
// shows it once, after the load, only when something was left out.

#include "document/left_out_notice.h"

#include "document/file_helpers.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using text::LeftOut;

text::LeftOutKinds kinds(std::initializer_list<LeftOut> list) {
    text::LeftOutKinds set;
    for (LeftOut kind : list) set.add(kind);
    return set;
}

TEST(LeftOutNotice, Wording) {
    struct Case {
        text::LeftOutKinds kinds;
        std::u16string notice;
    } cases[] = {
        {kinds({}), u""},
        {kinds({LeftOut::Pictures}), u"“/稿/a.rtf”中的图片未能保留，其余内容已经打开。"},
        {kinds({LeftOut::Footnotes, LeftOut::Pictures}),
         u"“/稿/a.rtf”中的图片和脚注未能保留，其余内容已经打开。"},
        {kinds({LeftOut::Comments, LeftOut::Tables, LeftOut::Objects, LeftOut::HeadersFooters}),
         u"“/稿/a.rtf”中的嵌入对象、表格结构、页眉页脚和批注未能保留，其余内容已经打开。"},
        {kinds({LeftOut::PageLayout, LeftOut::Pictures}),
         u"“/稿/a.rtf”中的图片和页面设置未能保留，其余内容已经打开。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.notice));
        EXPECT_EQ(document::leftOutNotice(u"/稿/a.rtf", c.kinds), c.notice);
    }
}

class LeftOutOnOpen : public FormTest {
protected:
    TempDir dir;

    std::filesystem::path rtfFile(std::string_view body) {
        const auto path = dir / "图文.rtf";
        writeBytes(path, "{\\rtf1\\ansi " + std::string(body) + "}");
        return path;
    }
};

TEST_F(LeftOutOnOpen, OneBoxNamesTheFileAndEveryKindAndTheRestIsLoaded) {
    // A floating shape is left out; a picture Pennory cannot show is kept as a placeholder.
    const auto path = rtfFile("a{\\shp{\\*\\shpinst x}}b{\\footnote f}{\\pict 00}c");
    dialogs().nextFileName(dialogPath(path));

    clickMenu({u"文件", u"打开"});

    EXPECT_EQ(editor().text(), u"ab\uFFFCc");
    EXPECT_EQ(form().window().caption(), u"Pennory --" + dialogPath(path));
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(
        messages().shown()[0].prompt,
        u"“" + dialogPath(path) +
            u"”中的图片和脚注未能保留，其余内容已经打开。另有无法显示的图片，已用占位框代替。");
    EXPECT_EQ(messages().shown()[0].style, platform::vbOKOnly);
}

TEST_F(LeftOutOnOpen, TheReferenceBoxIsToldToo) {
    const auto path = rtfFile("\\trowd A\\cell B\\cell\\row");
    reference().click();
    dialogs().nextFileName(dialogPath(path));

    clickToolbar(u"open");

    EXPECT_EQ(reference().text(), u"A\tB\t\r\n");
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].prompt,
              u"“" + dialogPath(path) + u"”中的表格结构未能保留，其余内容已经打开。");
}

TEST_F(LeftOutOnOpen, NothingLeftOutShowsNoBox) {
    const auto path = rtfFile("{\\b a}\\par b");
    dialogs().nextFileName(dialogPath(path));

    clickMenu({u"文件", u"打开"});

    EXPECT_EQ(editor().text(), u"a\r\nb");
    EXPECT_TRUE(messages().shown().empty());
}

}  // namespace
}  // namespace pennory::testing
