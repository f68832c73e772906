// 编辑 › 段落 in the real window with the real dialog: its controls carry their captions as
// accessible names, and its answer sets the editor's blocks as Qt lays them out.

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "platform/qt/qt_paragraph_dialog.h"
#include "platform/qt/qt_paragraph_format.h"
#include "platform/qt/when_shown.h"
#include "qt_form_fixture.h"

namespace pennory::testing {
namespace {

class ParagraphWindow : public QtFormTest {
protected:
    ParagraphWindow() : QtFormTest(Dialogs::Real) {}
    QTextBlockFormat blockFormat(int block) {
        return editor()->document()->findBlockByNumber(block).blockFormat();
    }

};

TEST_F(ParagraphWindow, TheDialogsAnswerSetsTheSelectedBlocks) {
    form().RichTextBox1().setContent(
        text::StyledText(u"标题\r\n第一段\r\n第二段", text::CharFormat{u"宋体", 12.0f}));
    form().RichTextBox1().setSelStart(6);
    form().RichTextBox1().setSelLength(5);

    QStringList names;
    whenShown<qt::ParagraphDialog>([&names](qt::ParagraphDialog* dialog) {
        for (QWidget* child : dialog->findChildren<QWidget*>()) {
            if (!child->accessibleName().isEmpty()) names << child->accessibleName();
        }
        dialog->findChild<QComboBox*>(QStringLiteral("对齐方式"))->setCurrentIndex(3);
        dialog->findChild<QDoubleSpinBox*>(QStringLiteral("首行缩进"))->setValue(2.0);
        dialog->findChild<QComboBox*>(QStringLiteral("行距"))->setCurrentIndex(1);
        dialog->findChild<QDoubleSpinBox*>(QStringLiteral("段后"))->setValue(6.0);
        for (auto* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("确定")) QTest::mouseClick(button, Qt::LeftButton);
        }
    });
    clickMenu({u"编辑", u"段落"});

    for (const char* name :
         {"对齐方式", "首行缩进", "左缩进", "右缩进", "行距", "段前", "段后", "确定", "取消"}) {
        EXPECT_TRUE(names.contains(QString::fromUtf8(name))) << name;
    }
    const double ppp = qt::pixelsPerPoint();
    EXPECT_EQ(blockFormat(0), QTextBlockFormat());
    for (int block : {1, 2}) {
        SCOPED_TRACE(block);
        const QTextBlockFormat f = blockFormat(block);
        EXPECT_EQ(f.alignment(), Qt::AlignJustify);
        EXPECT_DOUBLE_EQ(f.textIndent(), 24.0 * ppp);  // two characters of 12 points
        EXPECT_EQ(f.lineHeightType(), QTextBlockFormat::ProportionalHeight);
        EXPECT_DOUBLE_EQ(f.lineHeight(), 150.0);
        EXPECT_DOUBLE_EQ(f.bottomMargin(), 6.0 * ppp);
        EXPECT_DOUBLE_EQ(f.topMargin(), 0.0);
    }
    text::ParagraphFormat expected;
    expected.alignment = text::Alignment::Justify;
    expected.firstLine.charsHundredths = 200;
    expected.lineSpacing = {text::LineSpacing::Rule::Multiple, 1.5f};
    expected.spaceAfterPt = 6.0f;
    EXPECT_EQ(form().RichTextBox1().content().paragraphs(),
              (std::vector{text::ParagraphFormat{}, expected, expected}));

    clickMenu({u"编辑", u"撤消"});
    EXPECT_EQ(form().RichTextBox1().content().paragraphs(), std::vector<text::ParagraphFormat>(3));
}

TEST_F(ParagraphWindow, CancelLeavesTheBlocksAlone) {
    form().RichTextBox1().setText(u"标题\r\n正文");
    whenShown<qt::ParagraphDialog>([](qt::ParagraphDialog* dialog) {
        dialog->findChild<QComboBox*>(QStringLiteral("对齐方式"))->setCurrentIndex(1);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    clickMenu({u"编辑", u"段落"});
    EXPECT_EQ(blockFormat(0), QTextBlockFormat());
    EXPECT_EQ(blockFormat(1), QTextBlockFormat());
}

}  // namespace
}  // namespace pennory::testing
