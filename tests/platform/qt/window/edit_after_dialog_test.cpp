// 撤消 and 删除 right after 文本字体 or 文本颜色, in the real window with the program's real
// modal dialogs: the keystroke they send reaches the editor that had the focus before the
// dialog, whether the command comes from the toolbar or from the Edit menu.

#include <QApplication>
#include <QColorDialog>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/qt/qt_font_dialog.h"
#include "qt_form_fixture.h"
#include "platform/qt/when_shown.h"

namespace pennory::testing {
namespace {

// Clicks 小四 in the size list and presses Enter.
void choose12Points(qt::FontDialog* dialog) {
    auto* sizes = dialog->findChild<QListWidget*>(QStringLiteral("sizeList"));
    const auto rows = sizes->findItems(QStringLiteral("小四"), Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1);
    sizes->scrollToItem(rows.first());
    QTest::mouseClick(sizes->viewport(), Qt::LeftButton, {},
                      sizes->visualItemRect(rows.first()).center());
    QTest::keyClick(dialog, Qt::Key_Return);
}

void chooseRed(QColorDialog* dialog) {
    dialog->setCurrentColor(QColor(0xFF, 0, 0));
    QTest::keyClick(dialog, Qt::Key_Return);
}

class EditAfterDialog : public QtFormTest {
protected:
    EditAfterDialog() : QtFormTest(Dialogs::Real) {
        click(editor());
        prepare();
    }

    // The manuscript "电阻电容" with 阻电 selected.
    void prepare() {
        form().RichTextBox1().setText(u"电阻电容");
        form().RichTextBox1().setSelStart(1);
        form().RichTextBox1().setSelLength(2);
    }

    float sizeAt(int position) {
        QTextCursor cursor(editor()->document());
        cursor.setPosition(position + 1);
        return static_cast<float>(cursor.charFormat().fontPointSize());
    }

    QColor colourAt(int position) {
        QTextCursor cursor(editor()->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().foreground().color();
    }

    void chooseFont() {
        whenShown<qt::FontDialog>(choose12Points);
        clickMenu({u"文本字体"});
        ASSERT_EQ(sizeAt(1), 12.0f);
    }

    void chooseColour() {
        whenShown<QColorDialog>(chooseRed);
        clickMenu({u"文本颜色"});
        ASSERT_EQ(colourAt(1), QColor(0xFF, 0, 0));
    }

    void undoBy(bool toolbar) {
        if (toolbar) {
            QTest::mouseClick(toolbarButton(u"back"), Qt::LeftButton);
            QApplication::processEvents();
        } else {
            clickMenu({u"编辑", u"撤消"});
        }
    }

private:
};

TEST_F(EditAfterDialog, UndoTakesTheChosenFontBack) {
    const float before = sizeAt(1);
    ASSERT_NE(before, 12.0f);
    for (const bool toolbar : {true, false}) {
        SCOPED_TRACE(toolbar ? "toolbar" : "menu");
        prepare();
        chooseFont();
        undoBy(toolbar);
        EXPECT_EQ(sizeAt(1), before);
        EXPECT_EQ(sizeAt(2), before);
        EXPECT_EQ(form().RichTextBox1().text(), u"电阻电容");
    }
}

TEST_F(EditAfterDialog, UndoTakesTheChosenColourBack) {
    const QColor before = colourAt(1);
    ASSERT_NE(before, QColor(0xFF, 0, 0));
    for (const bool toolbar : {true, false}) {
        SCOPED_TRACE(toolbar ? "toolbar" : "menu");
        prepare();
        chooseColour();
        undoBy(toolbar);
        EXPECT_EQ(colourAt(1), before);
        EXPECT_EQ(colourAt(2), before);
    }
}

TEST_F(EditAfterDialog, DeleteRemovesTheSelectionJustFormatted) {
    chooseFont();
    clickMenu({u"编辑", u"删除"});
    EXPECT_EQ(form().RichTextBox1().text(), u"电容");
    prepare();
    chooseColour();
    clickMenu({u"编辑", u"删除"});
    EXPECT_EQ(form().RichTextBox1().text(), u"电容");
}

}  // namespace
}  // namespace pennory::testing
