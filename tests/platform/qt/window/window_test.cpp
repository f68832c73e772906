// The real window offscreen: what the widgets show at start, where they stand before and
// after the window is resized, and the views switched by real clicks.

#include <QAccessible>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "input/keypad_table.h"
#include "input/phrase_grid.h"
#include "input/word_bank_table.h"
#include "qt_form_fixture.h"
#include "support/design_literals.h"

namespace pennory::testing {
namespace {

std::string narrow(std::u16string_view text) { return qt::toQString(text).toStdString(); }

using StartOnScreen = QtFormTest;

TEST_F(StartOnScreen, WindowIsCaptionedAndItsClientAreaHasTheDesignSize) {
    EXPECT_EQ(mainWindow()->windowTitle(), QStringLiteral("Pennory"));
    EXPECT_EQ(clientArea()->size(), QSize(776, 526));
    EXPECT_EQ(form().window().clientWidth(), 11640);
    EXPECT_EQ(form().window().clientHeight(), 7890);
    EXPECT_EQ(mainWindow()->windowState(), Qt::WindowNoState);
    EXPECT_FALSE(form().window().minimized());
    // The client area, below the menu bar, opens at 165, 630 twips on the screen.
    EXPECT_EQ(clientArea()->mapToGlobal(QPoint(0, 0)), QPoint(11, 42));
    EXPECT_GT(clientArea()->y(), 0) << "the menu bar lies above the client area";
}

TEST_F(StartOnScreen, WindowIconHasBothSizes) {
    const QList<QSize> sizes = mainWindow()->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
}

TEST_F(StartOnScreen, ToolbarBandHoldsTenTextButtonsFromLeftToRight) {
    QWidget* band = factory().toolbarBand();
    EXPECT_EQ(band->geometry(), QRect(0, 0, 776, 41));
    int previousRight = -1;
    for (const auto& entry : design::kToolbarButtons) {
        SCOPED_TRACE(narrow(entry.key));
        QToolButton* button = toolbarButton(entry.key);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), qt::toQString(entry.caption));
        EXPECT_EQ(button->toolTip(), qt::toQString(entry.toolTip));
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextOnly);
        EXPECT_TRUE(button->isVisible());
        EXPECT_TRUE(button->isEnabled());
        EXPECT_TRUE(band->rect().contains(button->geometry()));
        EXPECT_GT(button->x(), previousRight);
        previousRight = button->geometry().right();
    }
}

TEST_F(StartOnScreen, OnlyTheReferenceTextViewAndTheKeypadAreShown) {
    EXPECT_TRUE(editor()->isVisible());
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_TRUE(reference()->isVisible());
    EXPECT_EQ(reference()->toolTip(), QStringLiteral("请打开参考用文本、图片等"));
    EXPECT_EQ(editor()->toolTip(), QStringLiteral("请写您的稿子"));
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{image(), hScroll(), vScroll(), tabStrip()}) {
        EXPECT_TRUE(hidden->isHidden()) << hidden->accessibleName().toStdString();
    }
    EXPECT_EQ(tabStrip()->count(), 1);
    EXPECT_EQ(tabStrip()->tabText(0), QStringLiteral("词汇定制"));
    for (int i = 0; i < input::kWordBankSize; ++i) EXPECT_TRUE(wordBankLabel(i)->isHidden()) << i;
    for (int i = 0; i < input::kPhraseCount; ++i) {
        EXPECT_TRUE(phraseBox(i)->isHidden()) << i;
        EXPECT_TRUE(phraseBox(i)->text().isEmpty()) << i;
    }
    for (int i = 0; i < 24; ++i) {
        EXPECT_TRUE(keypadButton(i)->isVisible()) << i;
        EXPECT_EQ(keypadButton(i)->text(), qt::toQString(design::kKeypadButtons[i].caption)) << i;
    }
}

TEST_F(StartOnScreen, EditorHasTheKeyboardFocus) {
    EXPECT_EQ(focusWidget(), editor());
    EXPECT_EQ(QApplication::focusWidget(), editor());
    EXPECT_TRUE(form().RichTextBox1().hasFocus());
}

TEST_F(StartOnScreen, WidgetsStandWhereTheRulePutsThemForTheDesignSize) {
    struct Row {
        const char* name;
        QWidget* widget;
        QRect pixels;
    };
    const Row rows[] = {
        {"editor", editor(), QRect(328, 48, 449, 446)},  // 20 twips beyond the right edge
        {"panel", panel(), QRect(8, 48, 313, 446)},
        {"reference", reference(), QRect(0, 0, 313, 446)},
        {"picture", image(), QRect(0, 0, 297, 457)},
        {"hScroll", hScroll(), QRect(0, 426, 297, 17)},
        {"vScroll", vScroll(), QRect(296, 0, 17, 446)},
        {"tab strip", tabStrip(), QRect(0, 0, 313, 473)},
        {"keypad slot 0", keypadButton(0), QRect(8, 499, 33, 22)},
        {"keypad slot 7", keypadButton(23), QRect(232, 499, 33, 22)},
        {"keypad slot 23", keypadButton(19), QRect(744, 499, 33, 22)},
        {"label 12", wordBankLabel(12), QRect(0, 8, 36, 12)},
        {"label 0", wordBankLabel(0), QRect(0, 344, 201, 25)},
        {"phrase box 0", phraseBox(0), QRect(8, 32, 89, 18)},
        {"phrase box 5", phraseBox(5), QRect(200, 56, 89, 18)},
        {"phrase box 6", phraseBox(6), QRect(16, 128, 89, 18)},
        {"phrase box 50", phraseBox(50), QRect(208, 464, 89, 18)},
    };
    for (const auto& row : rows) EXPECT_EQ(row.widget->geometry(), row.pixels) << row.name;
    // Boxes 0 to 5 are the panel's, the others the window's.
    EXPECT_EQ(phraseBox(5)->parentWidget(), panel());
    EXPECT_EQ(phraseBox(6)->parentWidget(), clientArea());
    // Read back, the geometry is the twips that were set, not the pixels times 15.
    EXPECT_EQ(form().Command1(0).geometry(), (platform::Geometry{120, 7490, 500, 320}));
    EXPECT_EQ(form().RichTextBox1().geometry(), (platform::Geometry{4920, 720, 6740, 6690}));
}

TEST_F(StartOnScreen, LaterControlsLieInFront) {
    // Phrase box 6 lies over the panel, the reference text box over the word bank.
    const QPoint box6 = phraseBox(6)->geometry().center();
    phraseBox(6)->show();
    EXPECT_EQ(clientArea()->childAt(box6), phraseBox(6));
    const QPoint label9 = wordBankLabel(9)->geometry().center();
    wordBankLabel(9)->show();
    QWidget* hit = panel()->childAt(label9);
    EXPECT_TRUE(hit == reference() || reference()->isAncestorOf(hit));
}

TEST_F(StartOnScreen, MenusHaveTheirCaptionsOrderAndEnabledStates) {
    QStringList top;
    for (QAction* action : factory().menuBar()->actions()) top << action->text();
    EXPECT_EQ(top, (QStringList{"文件", "编辑", "文本字体", "文本颜色", "文稿加密", "帮助"}));

    struct Row {
        std::initializer_list<std::u16string_view> path;
        bool enabled;
    };
    const Row rows[] = {
        {{u"文件", u"新建"}, true},
        {{u"文件", u"打开"}, true},
        {{u"文件", u"保存"}, true},
        {{u"文件", u"另存为"}, true},
        {{u"文件", u"另存为", u"rtf文档"}, true},
        {{u"文件", u"另存为", u"txt文档"}, true},
        {{u"文件", u"另存为", u"docx文档"}, true},
        {{u"文件", u"另存为", u"odt文档"}, true},
        {{u"文件", u"输出为PDF"}, true},
        {{u"文件", u"打印"}, true},
        {{u"文件", u"退出"}, true},
        {{u"编辑", u"撤消"}, true},
        {{u"编辑", u"全选"}, true},
        {{u"编辑", u"剪切"}, true},
        {{u"编辑", u"删除"}, true},
        {{u"编辑", u"复制"}, true},
        {{u"编辑", u"粘贴"}, true},
        {{u"文本字体"}, true},
        {{u"文本颜色"}, true},
        {{u"文稿加密", u"请输入密码"}, true},
        {{u"文稿加密", u"入口"}, true},
        {{u"文稿加密", u"入口", u"文稿加密"}, false},
        {{u"文稿加密", u"入口", u"文稿解密"}, false},
        {{u"文稿加密", u"更改密码"}, false},
        {{u"帮助", u"帮助"}, true},
        {{u"帮助", u"给我写信"}, true},
        {{u"帮助", u"关于本软件"}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(narrow(*(row.path.end() - 1)));
        EXPECT_EQ(menuEnabled(row.path), row.enabled);
    }

    auto captions = [this](std::initializer_list<std::u16string_view> path) {
        QStringList out;
        for (QAction* action : menuAction(path)->menu()->actions()) out << action->text();
        return out;
    };
    // The program's own commands stand behind a line (a separator has no text).
    EXPECT_EQ(captions({u"文件"}), (QStringList{"新建", "打开", "保存", "另存为", "",
                                               "输出为PDF", "打印", "", "退出"}));
    EXPECT_EQ(captions({u"文件", u"另存为"}),
              (QStringList{"rtf文档", "txt文档", "docx文档", "odt文档"}));
    EXPECT_EQ(captions({u"文稿加密"}), (QStringList{"请输入密码", "入口", "更改密码"}));
    EXPECT_EQ(captions({u"帮助"}), (QStringList{"帮助", "给我写信", "关于本软件"}));
    // The two menus without items act from the menu bar itself.
    EXPECT_EQ(menuAction({u"文本字体"})->menu(), nullptr);
    EXPECT_EQ(menuAction({u"文本颜色"})->menu(), nullptr);
    EXPECT_EQ(captions({u"编辑"}),
              (QStringList{"撤消", "全选", "剪切", "删除", "复制", "粘贴", "", "查找", "查找下一个",
                           "替换", "", "段落", "", "插入图片"}));
    // The specified items have no shortcut; the program's own have theirs.
    const QStringList shortcuts{"",       "",   "",       "", "", "", "",
                                "Ctrl+F", "F3", "Ctrl+H", "", "", "", ""};
    const auto editActions = menuAction({u"编辑"})->menu()->actions();
    ASSERT_EQ(editActions.size(), shortcuts.size());
    for (int i = 0; i < editActions.size(); ++i) {
        EXPECT_FALSE(editActions[i]->isCheckable());
        EXPECT_EQ(editActions[i]->shortcut().toString(), shortcuts[i]);
    }
}

TEST_F(StartOnScreen, SimSunIsDrawnWithASongFaceAtNinePoints) {
    for (QWidget* widget : std::initializer_list<QWidget*>{keypadButton(0), wordBankLabel(1),
                                                           phraseBox(0), toolbarButton(u"open")}) {
        const QFontInfo font(widget->font());
        EXPECT_EQ(font.family(), QStringLiteral("Noto Serif CJK SC"))
            << widget->accessibleName().toStdString();
        EXPECT_EQ(font.pointSize(), 9) << widget->accessibleName().toStdString();
    }
}

TEST_F(StartOnScreen, QtsOwnTextsAreChinese) {
    QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::No |
                             QDialogButtonBox::Cancel);
    EXPECT_TRUE(buttons.button(QDialogButtonBox::Yes)->text().contains(QStringLiteral("是")));
    EXPECT_TRUE(buttons.button(QDialogButtonBox::No)->text().contains(QStringLiteral("否")));
    EXPECT_TRUE(buttons.button(QDialogButtonBox::Cancel)->text().contains(QStringLiteral("取消")));
}

TEST_F(StartOnScreen, EveryControlHasAnAccessibleName) {
    std::vector<const platform::Control*> controls = {
        &form().RichTextBox1(), &form().Picture1(), &form().RichTextBox2(), &form().Image1(),
        &form().HScroll1(),     &form().VScroll1(), &form().TabStrip1()};
    for (int i = 0; i < input::kWordBankSize; ++i) controls.push_back(&form().Label2(i));
    for (int i = 0; i < input::kPhraseCount; ++i) controls.push_back(&form().Text1(i));
    for (int i = 0; i < input::kKeypadSize; ++i) controls.push_back(&form().Command1(i));
    for (int i = 0; i < form().toolbarButtonCount(); ++i) controls.push_back(&form().Toolbar1(i));
    std::vector<QWidget*> widgets = {mainWindow(), clientArea(), factory().toolbarBand(),
                                     factory().menuBar()};
    for (const auto* control : controls) widgets.push_back(qt::QtFactory::widgetOf(*control));
    for (QWidget* widget : widgets) {
        ASSERT_NE(widget, nullptr);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
            << widget->metaObject()->className() << " at " << widget->x() << "," << widget->y();
    }
    EXPECT_EQ(phraseBox(50)->accessibleName(), QStringLiteral("词组框51"));
}

using Resizing = QtFormTest;

TEST_F(Resizing, ControlsFollowTheRealWindowByTheRule) {
    resizeClient(9000, 6000);
    EXPECT_EQ(form().window().clientWidth(), 9000);
    EXPECT_EQ(form().window().clientHeight(), 6000);
    EXPECT_EQ(editor()->geometry(), QRect(328, 48, 273, 320));
    EXPECT_EQ(panel()->geometry(), QRect(8, 48, 313, 320));
    EXPECT_EQ(reference()->geometry(), QRect(0, 0, 313, 320));
    EXPECT_EQ(vScroll()->geometry(), QRect(296, 0, 17, 320));
    EXPECT_EQ(hScroll()->geometry(), QRect(0, 300, 297, 17));
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(keypadButton(i)->y(), 373) << i;  // 5600 twips
        EXPECT_EQ(keypadButton(i)->x(), 8 + 32 * design::kKeypadButtons[i].slot) << i;
    }
    // Nothing else moves.
    EXPECT_EQ(tabStrip()->geometry(), QRect(0, 0, 313, 473));
    EXPECT_EQ(phraseBox(50)->geometry(), QRect(208, 464, 89, 18));
    EXPECT_EQ(wordBankLabel(0)->geometry(), QRect(0, 344, 201, 25));
    EXPECT_EQ(image()->geometry(), QRect(0, 0, 297, 457));
    // The toolbar band is docked along the top edge.
    EXPECT_EQ(factory().toolbarBand()->geometry(), QRect(0, 0, 600, 41));
}

TEST_F(Resizing, SizesAreTheRulesForManyWindows) {
    const QSize sizes[] = {{600, 400}, {776, 526}, {1000, 700}, {327, 81}, {400, 90}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        const int w = size.width() * 15;
        const int h = size.height() * 15;
        resizeClient(w, h);
        const int editorWidth = std::max(0, w - 4900);
        const int editorHeight = std::max(0, h - 1200);
        EXPECT_EQ(form().RichTextBox1().geometry(),
                  (platform::Geometry{4920, 720, editorWidth, editorHeight}));
        EXPECT_EQ(form().Picture1().geometry(), (platform::Geometry{120, 720, 4695, editorHeight}));
        EXPECT_EQ(form().Command1(5).geometry().top, h - 400);
        EXPECT_EQ(form().HScroll1().geometry().top, editorHeight - 300);
        EXPECT_EQ(editor()->height(), qt::twipsToPixels(editorHeight));
        EXPECT_GE(editor()->width(), 0);
        EXPECT_EQ(panel()->height(), editor()->height());
        EXPECT_EQ(reference()->height(), panel()->height());
        EXPECT_EQ(vScroll()->height(), panel()->height());
    }
}

TEST_F(Resizing, MaximizingWidensOnlyTheEditor) {
    mainWindow()->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow()->isMaximized(); }));
    ASSERT_TRUE(QTest::qWaitFor([this] { return clientArea()->width() > 776; }));
    const int w = form().window().clientWidth();
    const int h = form().window().clientHeight();
    EXPECT_EQ(form().RichTextBox1().geometry().width, w - 4900);
    EXPECT_EQ(form().RichTextBox1().geometry().height, h - 1200);
    EXPECT_EQ(form().Picture1().geometry(), (platform::Geometry{120, 720, 4695, h - 1200}));
    EXPECT_EQ(form().Command1(0).geometry(), (platform::Geometry{120, h - 400, 500, 320}));
    EXPECT_EQ(panel()->geometry().width(), 313);
}

TEST_F(Resizing, MinimizingKeepsTheLayoutAndRestoringKeepsItToo) {
    const QRect before = editor()->geometry();
    mainWindow()->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form().window().minimized(); }));
    EXPECT_EQ(editor()->geometry(), before);
    EXPECT_GE(form().RichTextBox1().geometry().width, 0);
    mainWindow()->showNormal();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form().window().minimized(); }));
    EXPECT_EQ(editor()->geometry(), before);
    EXPECT_EQ(clientArea()->size(), QSize(776, 526));
}

using Views = QtFormTest;

TEST_F(Views, WriteShowsTheWordBankAndStopTheReferenceText) {
    clickToolbar(u"write");
    for (int i = 0; i < input::kWordBankSize; ++i) {
        EXPECT_TRUE(wordBankLabel(i)->isVisibleTo(panel())) << i;
    }
    EXPECT_TRUE(reference()->isHidden());
    EXPECT_TRUE(wordBankLabel(12)->isVisible());
    EXPECT_EQ(panel()->childAt(wordBankLabel(12)->geometry().center()), wordBankLabel(12));

    clickToolbar(u"stop");
    for (int i = 0; i < input::kWordBankSize; ++i) EXPECT_TRUE(wordBankLabel(i)->isHidden()) << i;
    EXPECT_TRUE(reference()->isVisible());
    EXPECT_EQ(reference()->toolTip(), QStringLiteral("请打开参考用文本、图片等"));
}

TEST_F(Views, SelfdoCoversThePanelWithTheTabStripAndThePhraseBoxes) {
    clickToolbar(u"write");
    clickToolbar(u"selfdo");
    EXPECT_TRUE(tabStrip()->isVisible());
    for (int i = 0; i < input::kPhraseCount; ++i) EXPECT_TRUE(phraseBox(i)->isVisible()) << i;
    EXPECT_TRUE(reference()->toolTip().isEmpty());
    // The labels stay shown underneath, but a click on one reaches the tab strip.
    EXPECT_FALSE(wordBankLabel(9)->isHidden());
    QWidget* hit = panel()->childAt(wordBankLabel(9)->geometry().center());
    EXPECT_TRUE(hit == tabStrip() || tabStrip()->isAncestorOf(hit));
    EXPECT_EQ(panel()->childAt(phraseBox(0)->geometry().center()), phraseBox(0));
    EXPECT_EQ(clientArea()->childAt(phraseBox(20)->geometry().center()), phraseBox(20));

    clickToolbar(u"stop");
    EXPECT_TRUE(tabStrip()->isHidden());
    EXPECT_TRUE(phraseBox(0)->isHidden());
    EXPECT_TRUE(reference()->isVisible());
}

TEST_F(Views, ImageShowsThePictureAreaAndItsScrollBars) {
    clickToolbar(u"image");
    EXPECT_TRUE(hScroll()->isVisible());
    EXPECT_TRUE(vScroll()->isVisible());
    EXPECT_FALSE(image()->isHidden());
    EXPECT_EQ(hScroll()->value(), 0);
    EXPECT_EQ(vScroll()->value(), 0);
}

TEST_F(Views, HiddenLabelsAndBoxesCannotBeClicked) {
    // In the reference text view a click at a label's place goes to the reference text box.
    clickWordBank(12);
    EXPECT_EQ(form().RichTextBox1().text(), u"");
    EXPECT_TRUE(form().openIntoReference);
    clickPhraseBox(8);
    EXPECT_NE(focusWidget(), phraseBox(8));
}

TEST_F(Views, ClickedPhraseBoxTakesTheFocus) {
    clickToolbar(u"selfdo");
    clickPhraseBox(8);
    EXPECT_EQ(focusWidget(), phraseBox(8));
}

}  // namespace
}  // namespace pennory::testing
