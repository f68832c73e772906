// Figures cut, copied and pasted in the real window: 编辑 › 剪切 and the toolbar's 复制 and
// 粘贴, and the editor's own Ctrl+X, Ctrl+C and Ctrl+V, over the real clipboard.

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include "qt_form_fixture.h"
#include "support/picture_files.h"

namespace pennory::testing {
namespace {

class FigureClipboardWindow : public QtFormTest {
protected:
    platform::RichTextBox& manuscript() { return form().RichTextBox1(); }

    static text::Figure photo() {
        text::Figure figure;
        figure.kind = text::FigureKind::Png;
        figure.bytes = std::make_shared<const std::string>(pictures::png(8, 6));
        figure.widthPx = 8;
        figure.heightPx = 6;
        figure.width = {text::FigureWidth::Unit::Centimetres, 3.0f};
        return figure;
    }

    // "前" [figure] "后", all of it selected.
    void selectPassageWithFigure() {
        manuscript().setText(u"前后");
        manuscript().setSelStart(1);
        manuscript().insertFigure(photo());
        manuscript().setSelStart(0);
        manuscript().setSelLength(3);
    }

    // The figure at position of the manuscript.
    std::optional<text::Figure> figureAt(std::size_t position) {
        manuscript().setSelStart(position);
        manuscript().setSelLength(1);
        return manuscript().selFigure();
    }

    void expectFigureAt(std::size_t position) {
        const auto figure = figureAt(position);
        ASSERT_TRUE(figure);
        EXPECT_EQ(*figure->bytes, pictures::png(8, 6));
        EXPECT_EQ(figure->width, (text::FigureWidth{text::FigureWidth::Unit::Centimetres, 3.0f}));
    }

    static std::u16string clipboardText() {
        return QGuiApplication::clipboard()->text().toStdU16String();
    }
    static bool clipboardHasStyled() {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasFormat(QStringLiteral("application/x-pennory-rtf"));
    }
};

TEST_F(FigureClipboardWindow, CutFromTheMenuAndPasteFromTheToolbarBringTheFigureBack) {
    selectPassageWithFigure();
    clickMenu({u"编辑", u"剪切"});
    EXPECT_EQ(manuscript().text(), u"");
    EXPECT_EQ(clipboardText(), u"前后");
    EXPECT_TRUE(clipboardHasStyled());

    manuscript().setText(u"甲乙");
    manuscript().setSelStart(1);
    clickToolbar(u"palse");
    EXPECT_EQ(manuscript().text(), u"甲前\uFFFC后乙");
    EXPECT_EQ(manuscript().selStart(), 4u);
    expectFigureAt(2);
}

TEST_F(FigureClipboardWindow, CopyFromTheToolbarOfTextAloneHasNoStyledForm) {
    manuscript().setText(u"电阻电容");
    manuscript().setSelStart(2);
    manuscript().setSelLength(2);
    clickToolbar(u"copy");
    EXPECT_EQ(clipboardText(), u"电容");
    EXPECT_FALSE(clipboardHasStyled());
}

TEST_F(FigureClipboardWindow, TheEditorsOwnCtrlXAndCtrlVKeepTheFigure) {
    selectPassageWithFigure();
    QTest::keyClick(editor(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(manuscript().text(), u"");
    EXPECT_EQ(clipboardText(), u"前后");
    EXPECT_TRUE(clipboardHasStyled());

    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(manuscript().text(), u"前\uFFFC后");
    EXPECT_EQ(manuscript().selStart(), 3u);
    expectFigureAt(1);

    // The paste is one step of the editor's undo.
    manuscript().setSelStart(3);
    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(manuscript().text(), u"");
}

TEST_F(FigureClipboardWindow, CtrlCInTheEditorAndTheToolbarsPasteShareTheFigure) {
    selectPassageWithFigure();
    QTest::keyClick(editor(), Qt::Key_C, Qt::ControlModifier);
    manuscript().setSelStart(3);
    clickToolbar(u"palse");
    EXPECT_EQ(manuscript().text(), u"前\uFFFC后前\uFFFC后");
    expectFigureAt(4);

    manuscript().setSelStart(0);
    manuscript().setSelLength(3);
    clickToolbar(u"copy");
    manuscript().setSelStart(0);
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(manuscript().text(), u"前\uFFFC后前\uFFFC后前\uFFFC后");
    expectFigureAt(1);
}

}  // namespace
}  // namespace pennory::testing
