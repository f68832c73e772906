// Find and replace in the real window: 编辑 › 替换 opens the program's own panel, whose controls
// the accessibility tree names by their captions; 全部替换 is one step of the 撤消 button.

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include "qt_form_fixture.h"
#include "typing.h"

namespace pennory::testing {
namespace {

class QtFindReplaceTest : public QtFormTest {
protected:
    QString shown() { return widgetOf<QLabel>(form().StatusLine())->text(); }
    // The panel's control whose accessible name is name, read through the accessibility tree.
    QWidget* accessible(const QString& name) {
        QDialog* dialog = findPanel().dialog();
        if (!dialog) return nullptr;
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(dialog);
        std::vector<QAccessibleInterface*> pending{root};
        while (!pending.empty()) {
            QAccessibleInterface* node = pending.back();
            pending.pop_back();
            if (!node) continue;
            if (node->text(QAccessible::Name) == name && node->object() != dialog) {
                return qobject_cast<QWidget*>(node->object());
            }
            for (int i = 0; i < node->childCount(); ++i) pending.push_back(node->child(i));
        }
        return nullptr;
    }
};

TEST_F(QtFindReplaceTest, ReplaceAllThroughTheMenuIsOneUndoStep) {
    click(editor());
    typeText(editor(), QStringLiteral("猫和猫，还有猫"));
    clickMenu({u"编辑", u"替换"});
    ASSERT_TRUE(findPanel().shown());

    for (const char16_t* name :
         {u"查找内容", u"替换为", u"查找下一个", u"替换", u"全部替换", u"关闭", u"区分大小写",
          u"区分全角半角", u"全字匹配", u"正则表达式", u"统一为全角标点", u"统一为半角字母数字"}) {
        SCOPED_TRACE(QString::fromUtf16(name).toStdString());
        QWidget* control = accessible(QString::fromUtf16(name));
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->isVisible());
    }
    auto* findWhat = qobject_cast<QLineEdit*>(accessible(QStringLiteral("查找内容")));
    auto* replaceWith = qobject_cast<QLineEdit*>(accessible(QStringLiteral("替换为")));
    ASSERT_TRUE(findWhat && replaceWith);
    findWhat->clear();
    typeText(findWhat, QStringLiteral("猫"));
    replaceWith->setFocus();
    typeText(replaceWith, QStringLiteral("狗"));
    click(accessible(QStringLiteral("全部替换")));

    EXPECT_EQ(form().RichTextBox1().text(), u"狗和狗，还有狗");
    EXPECT_TRUE(shown().endsWith(QStringLiteral("已替换 3 处。"))) << shown().toStdString();

    // Closed, the panel gives the window back its focus: the editor, which 撤消 acts on.
    // (Offscreen Qt keeps a modeless dialog the active window even after a click elsewhere,
    // which a desktop's window manager would not.)
    click(accessible(QStringLiteral("关闭")));
    EXPECT_FALSE(findPanel().shown());
    mainWindow()->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == editor(); }, 2000));
    clickToolbar(u"back");
    EXPECT_EQ(form().RichTextBox1().text(), u"猫和猫，还有猫");
}

TEST_F(QtFindReplaceTest, EnterInTheFindFieldFindsTheNextMatch) {
    click(editor());
    typeText(editor(), QStringLiteral("甲乙甲"));
    form().RichTextBox1().setSelStart(0);
    clickMenu({u"编辑", u"查找"});
    EXPECT_FALSE(accessible(QStringLiteral("替换为"))->isVisible());
    auto* findWhat = qobject_cast<QLineEdit*>(accessible(QStringLiteral("查找内容")));
    ASSERT_NE(findWhat, nullptr);
    typeText(findWhat, QStringLiteral("甲\n"));
    EXPECT_EQ(form().RichTextBox1().selStart(), 0u);
    EXPECT_EQ(form().RichTextBox1().selLength(), 1u);
    QTest::keyClick(findWhat, Qt::Key_Return);
    EXPECT_EQ(form().RichTextBox1().selStart(), 2u);
    QTest::keyClick(findWhat, Qt::Key_Escape);
    EXPECT_FALSE(findPanel().shown());
}

}  // namespace
}  // namespace pennory::testing
