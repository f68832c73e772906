// A save that would lose figures the chosen format cannot hold asks first, No the default;
// No writes nothing. A save that keeps every figure asks nothing.

#include "document/file_helpers.h"
#include "platform/files/document_files.h"
#include "platform/text/rtf_reader.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

std::size_t figureCount(const text::StyledText& text) {
    std::size_t count = 0;
    for (const auto& run : text.runs()) {
        if (!run.format.figure) continue;
        for (const char16_t c : run.text) count += c == text::kObjectCharacter;
    }
    return count;
}

// "图", then count object characters of the figure.
text::StyledText withFigure(const text::Figure& figure, std::size_t count = 1) {
    text::StyledText text(u"图");
    text::CharFormat f;
    f.figure = text::FigureRef(figure);
    text.append(std::u16string(count, text::kObjectCharacter), f);
    return text;
}

// A Windows bitmap from RTF: no package form.
text::Figure rtfBitmap() {
    const auto read = text::readRtf("{\\rtf1 {\\pict\\wbitmap0\\picw1\\pich1 0000ffff}}");
    return *read.runs().back().format.figure;
}

// An SVG from a DOCX: every format holds it.
text::Figure docxSvg() {
    text::Figure figure;
    figure.origin = "docx:image/svg+xml";
    figure.bytes = std::make_shared<const std::string>("<svg/>");
    return figure;
}

// A picture of a form nothing names: no format holds it.
text::Figure unnamed() {
    text::Figure figure;
    figure.bytes = std::make_shared<const std::string>("?");
    return figure;
}

class FigureLossQuestion : public FormTest {
protected:
    TempDir dir;
};

TEST_F(FigureLossQuestion, AsksExactlyWhenAFigureWouldBeLostAndNoWritesNothing) {
    const struct {
        const char* name;
        text::StyledText manuscript;
        std::u16string_view item;
        std::u16string_view question;  // empty: none asked
    } rows[] = {
        {"rtf bitmap as docx", withFigure(rtfBitmap()), u"docx文档",
         u"有 1 张图片不能以这种格式保存，将会丢失。要继续吗？"},
        {"rtf bitmap as odt", withFigure(rtfBitmap(), 3), u"odt文档",
         u"有 3 张图片不能以这种格式保存，将会丢失。要继续吗？"},
        {"rtf bitmap as rtf", withFigure(rtfBitmap()), u"rtf文档", u""},
        {"docx svg as rtf", withFigure(docxSvg()), u"rtf文档", u""},
        {"docx svg as odt", withFigure(docxSvg()), u"odt文档", u""},
        {"unnamed as rtf", withFigure(unnamed(), 2), u"rtf文档",
         u"有 2 张图片不能以这种格式保存，将会丢失。要继续吗？"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        messages().forget();
        editor().setContent(row.manuscript);
        const auto path = dir / (std::string(row.name) + ".稿");
        if (!row.question.empty()) {
            messages().nextAnswer(platform::vbNo);
            clickMenu({u"文件", u"另存为", row.item});
            EXPECT_FALSE(std::filesystem::exists(path));
            ASSERT_EQ(messages().shown().size(), 1u);
            EXPECT_EQ(messages().shown()[0].prompt, row.question);
            EXPECT_EQ(messages().shown()[0].style, platform::vbYesNo | platform::vbDefaultButton2);
            messages().forget();
            messages().nextAnswer(platform::vbYes);
        }
        dialogs().nextFileName(dialogPath(path));
        clickMenu({u"文件", u"另存为", row.item});
        ASSERT_TRUE(std::filesystem::exists(path));
        EXPECT_EQ(messages().shown().size(), row.question.empty() ? 0u : 1u);
        const auto loaded = files::loadDocument(path, editor().defaultFormat());
        EXPECT_EQ(figureCount(loaded.content),
                  row.question.empty() ? figureCount(row.manuscript) : 0u);
        EXPECT_EQ(editor().content(), row.manuscript);
    }
}

TEST_F(FigureLossQuestion, SaveToTheChosenFileAsksTooAndNoLeavesItAsItWas) {
    const auto path = dir / "稿子.rtf";
    editor().setText(u"第一稿");
    dialogs().nextFileName(dialogPath(path));
    clickMenu({u"文件", u"保存"});
    ASSERT_TRUE(form().saveTargetChosen);
    const std::string before = readBytes(path);

    editor().setContent(withFigure(unnamed()));
    messages().nextAnswer(platform::vbNo);
    clickToolbar(u"save");
    EXPECT_EQ(readBytes(path), before);
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].prompt, u"有 1 张图片不能以这种格式保存，将会丢失。要继续吗？");
}

}  // namespace
}  // namespace pennory::testing
