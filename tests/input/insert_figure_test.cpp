// Figures in the manuscript on the headless window: 插入图片, paste and drop, the box's
// figure calls, the width asked for, and what the cipher, the count and a text save do
// with figures.

#include "input/insert_figure.h"

#include <gtest/gtest.h>

#include "document/file_helpers.h"
#include "input/word_count.h"
#include "platform/text/figure_samples.h"
#include "platform/text/rtf_reader.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using text::FigureKind;
using text::FigureWidth;

text::Figure png() {
    text::Figure f;
    f.kind = FigureKind::Png;
    f.bytes = std::make_shared<const std::string>(tinyPng());
    f.widthPx = 1;
    f.heightPx = 1;
    return f;
}

class InsertFigure : public FormTest {
protected:
    TempDir dir;

    std::filesystem::path file(const char* name, const std::string& bytes) {
        const auto path = dir / name;
        writeBytes(path, bytes);
        return path;
    }
    std::vector<text::Figure> figures() {
        std::vector<text::Figure> out;
        const text::StyledText content = editor().content();
        for (const auto& run : content.runs()) {
            for (char16_t c : run.text) {
                if (c == text::kObjectCharacter && run.format.figure)
                    out.push_back(*run.format.figure);
            }
        }
        return out;
    }
    // "前" figure "后", the caret after the figure.
    void manuscriptWithFigure() {
        editor().setText(u"前后");
        editor().setSelStart(1);
        editor().insertFigure(png());
    }
};

TEST_F(InsertFigure, TheBoxPutsOneObjectAtTheCaretAndUndoTakesItAway) {
    editor().setText(u"前选后");
    editor().setSelStart(1);
    editor().setSelLength(1);
    std::vector<platform::TextEdit> edits;
    editor().setChangeHandlers([&](const platform::TextEdit& e) { edits.push_back(e); }, {});
    editor().insertFigure(png());
    EXPECT_EQ(editor().text(), u"前\uFFFC后");
    EXPECT_EQ(editor().selStart(), 2u);
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].start, 1u);
    EXPECT_EQ(edits[0].removed, 1u);
    EXPECT_EQ(edits[0].inserted, u"\uFFFC");
    ASSERT_TRUE(editor().selFigure());
    EXPECT_EQ(*editor().selFigure()->bytes, tinyPng());
    // Typed after it, text takes the text's format, not the figure.
    editor().type(u"字");
    EXPECT_FALSE(editor().selFigure());
    EXPECT_EQ(figures().size(), 1u);
    editor().undo();
    editor().undo();
    EXPECT_EQ(editor().text(), u"前选后");
}

TEST_F(InsertFigure, DeleteRemovesTheFigureAndTheWidthIsOneUndoStep) {
    manuscriptWithFigure();
    editor().setSelFigureWidth({FigureWidth::Unit::PercentOfText, 50.0f});
    ASSERT_EQ(figures().size(), 1u);
    EXPECT_EQ(figures()[0].width, (FigureWidth{FigureWidth::Unit::PercentOfText, 50.0f}));
    EXPECT_EQ(editor().text(), u"前\uFFFC后");
    editor().undo();
    EXPECT_EQ(figures()[0].width, FigureWidth{});
    editor().setSelStart(1);
    editor().deleteForward();
    EXPECT_EQ(editor().text(), u"前后");
    EXPECT_TRUE(figures().empty());
}

TEST_F(InsertFigure, TheMenuItemInsertsTheChosenPicture) {
    editor().setText(u"图：");
    editor().setSelStart(2);
    const auto path = file("电路.png", tinyPng());
    dialogs().nextFileName(dialogPath(path));
    clickMenu({u"编辑", u"插入图片"});
    EXPECT_EQ(editor().text(), u"图：\uFFFC");
    ASSERT_EQ(figures().size(), 1u);
    EXPECT_EQ(figures()[0].kind, FigureKind::Png);
    EXPECT_EQ(*figures()[0].bytes, tinyPng());
    EXPECT_EQ(form().CommonDialog1().DialogTitle, u"插入图片");
    EXPECT_EQ(form().CommonDialog1().Filter,
              u"图片文件(*.png;*.jpg;*.jpeg;*.gif;*.bmp)|*.png;*.jpg;*.jpeg;*.gif;*.bmp|所有文件(*."
              u"*)|*.*");
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(InsertFigure, PicturesThatCannotBeShownAreRefused) {
    const struct {
        const char* name;
        std::string bytes;
        std::u16string message;
    } rows[] = {
        {"huge.png", hugePng(), u"图片太大，无法显示"},
        {"note.png", "not a picture", u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        messages().forget();
        editor().setText(u"文");
        const auto path = file(row.name, row.bytes);
        dialogs().nextFileName(dialogPath(path));
        clickMenu({u"编辑", u"插入图片"});
        EXPECT_EQ(editor().text(), u"文");
        ASSERT_EQ(messages().shown().size(), 1u);
        const std::u16string expected =
            row.message.empty() ? u"无法显示图片“" + dialogPath(path) + u"”：无法识别的图片格式。"
                                : row.message;
        EXPECT_EQ(messages().shown()[0].prompt, expected);
    }
}

TEST_F(InsertFigure, ACancelledDialogChangesNothing) {
    editor().setText(u"文");
    dialogs().nextFileName(std::nullopt);
    clickMenu({u"编辑", u"插入图片"});
    EXPECT_EQ(editor().text(), u"文");
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(InsertFigure, PastingAPictureInsertsItAndTextStillPastesAsText) {
    editor().setText(u"文");
    editor().setSelStart(1);
    platform().clipboard.setImage(tinyJpeg());
    clickMenu({u"编辑", u"粘贴"});
    EXPECT_EQ(editor().text(), u"文\uFFFC");
    ASSERT_EQ(figures().size(), 1u);
    EXPECT_EQ(figures()[0].kind, FigureKind::Jpeg);
    EXPECT_EQ(figures()[0].widthPx, 2);
    EXPECT_EQ(figures()[0].heightPx, 3);
    platform().clipboard.setText(u"字");
    clickMenu({u"编辑", u"粘贴"});
    EXPECT_EQ(editor().text(), u"文\uFFFC字");
}

TEST_F(InsertFigure, APastedPictureTooLargeIsRefused) {
    platform().clipboard.setImage(hugePng());
    clickMenu({u"编辑", u"粘贴"});
    EXPECT_EQ(editor().text(), u"");
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].prompt, u"图片太大，无法显示");
}

TEST_F(InsertFigure, ADroppedPictureGoesInAndADroppedDocumentOpens) {
    editor().setText(u"文");
    editor().setSelStart(0);
    editor().dropFile(dialogPath(file("照片.gif", tinyGif())));
    EXPECT_EQ(editor().text(), u"\uFFFC文");
    ASSERT_EQ(figures().size(), 1u);
    EXPECT_EQ(figures()[0].kind, FigureKind::Gif);
    editor().dropFile(dialogPath(file("稿.rtf", "{\\rtf1 opened}")));
    EXPECT_EQ(editor().text(), u"opened");
}

TEST(FigureWidthAnswer, ParsesPercentAndCentimetres) {
    const struct {
        std::u16string_view answer;
        std::optional<FigureWidth> width;
    } rows[] = {
        {u"50%", FigureWidth{FigureWidth::Unit::PercentOfText, 50.0f}},
        {u" 100 % ", FigureWidth{FigureWidth::Unit::PercentOfText, 100.0f}},
        {u"８cm", std::nullopt},  // full-width digits are not taken
        {u"8cm", FigureWidth{FigureWidth::Unit::Centimetres, 8.0f}},
        {u"8 厘米", FigureWidth{FigureWidth::Unit::Centimetres, 8.0f}},
        {u"8.5 CM", FigureWidth{FigureWidth::Unit::Centimetres, 8.5f}},
        {u"0%", std::nullopt},
        {u"101%", std::nullopt},
        {u"8", std::nullopt},
        {u"cm", std::nullopt},
        {u"-3cm", std::nullopt},
        {u"1.2.3cm", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(utf8(row.answer));
        EXPECT_EQ(input::parseFigureWidth(row.answer), row.width);
    }
}

TEST_F(InsertFigure, TheWidthAskedForIsSetAndABadAnswerIsTold) {
    manuscriptWithFigure();
    messages().nextInput(u"8cm");
    // Through the figure's context menu, as the writer asks.
    editor().chooseFigureMenu(editor().text().find(u'\uFFFC'));
    EXPECT_EQ(figures()[0].width, (FigureWidth{FigureWidth::Unit::Centimetres, 8.0f}));
    messages().nextInput(u"宽");
    input::setFigureWidth(form());
    EXPECT_EQ(figures()[0].width, (FigureWidth{FigureWidth::Unit::Centimetres, 8.0f}));
    ASSERT_FALSE(messages().shown().empty());
    EXPECT_EQ(messages().shown().back().prompt, input::kFigureWidthRefused);
}

TEST(FigureCount, AFigureCountsNothingAndPartsWords) {
    EXPECT_EQ(input::countText(u"\uFFFC"), (input::TextCount{0, 0}));
    EXPECT_EQ(input::countText(u"图\uFFFC文"), (input::TextCount{2, 2}));
    EXPECT_EQ(input::countText(u"CD4011\uFFFCab"), (input::TextCount{2, 8}));
}

TEST_F(InsertFigure, TheLiveCountLeavesFiguresOut) {
    manuscriptWithFigure();
    EXPECT_EQ(form().manuscriptCount().total(), (input::TextCount{2, 2}));
}

TEST_F(InsertFigure, SavingAsTextAsksFirstAndNoCancels) {
    manuscriptWithFigure();
    const auto path = dir / "稿.txt";
    dialogs().nextFileName(dialogPath(path));
    messages().nextAnswer(platform::vbNo);
    clickMenu({u"文件", u"另存为", u"txt文档"});
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].prompt, u"文本文件不能保存图片，图片将会丢失。要继续吗？");
    EXPECT_EQ(messages().shown()[0].style, platform::vbYesNo | platform::vbDefaultButton2);

    messages().forget();
    messages().nextAnswer(platform::vbYes);
    clickMenu({u"文件", u"另存为", u"txt文档"});
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(messages().shown().size(), 1u);
}

TEST_F(InsertFigure, SavingAsTextWithoutFiguresAsksNothing) {
    editor().setText(u"文");
    const auto path = dir / "稿.txt";
    dialogs().nextFileName(dialogPath(path));
    clickMenu({u"文件", u"另存为", u"txt文档"});
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(InsertFigure, RtfSaveAndOpenKeepTheFigureBytes) {
    manuscriptWithFigure();
    const auto path = dir / "图文.rtf";
    dialogs().nextFileName(dialogPath(path));
    clickMenu({u"文件", u"另存为", u"rtf文档"});
    editor().setText(u"");
    dialogs().nextFileName(dialogPath(path));
    clickMenu({u"文件", u"打开"});
    EXPECT_EQ(editor().text(), u"前\uFFFC后");
    ASSERT_EQ(figures().size(), 1u);
    EXPECT_EQ(*figures()[0].bytes, tinyPng());
}

}  // namespace
}  // namespace pennory::testing
