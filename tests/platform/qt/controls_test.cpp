// The Qt controls and the window on their own, made by a QtFactory without Form1: what each
// control does with its widget, and which handler a real click or drag runs.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>

#include "platform/qt/qt_picture_view.h"
#include "window/qt_form_fixture.h"

namespace pennory::testing {
namespace {

using platform::Geometry;

// A shown window whose client area is 600 x 400 pixels.
class QtControls : public ::testing::Test {
protected:
    QtControls() {
        factory.window().setGeometry({0, 0, 9000, 6000});
        factory.mainWindow()->show();
        factory.mainWindow()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(factory.mainWindow()));
    }
    ~QtControls() override { closeMenus(); }

    static void clickAt(QWidget* widget, QPoint at = QPoint(-1, -1)) {
        if (at == QPoint(-1, -1)) at = widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    }

    qt::QtFactory factory;
    int clicks = 0;
    platform::Callback count = [this] { ++clicks; };
};

TEST_F(QtControls, GeometryIsTwipsOnTheWayInAndOut) {
    struct Row {
        Geometry twips;
        QRect pixels;
    };
    const Row rows[] = {
        {{0, 0, 1500, 300}, QRect(0, 0, 100, 20)},
        {{120, 7490, 500, 320}, QRect(8, 499, 33, 22)},  // edges round to the nearest pixel
        {{4920, 720, 6740, 6690}, QRect(328, 48, 449, 446)},
        {{-300, -45, 600, 450}, QRect(-20, -3, 40, 30)},  // a picture panned up and left
        {{100, 100, -50, -1}, QRect(7, 7, 0, 0)},         // never a negative size
    };
    auto button = factory.createButton(nullptr, {});
    for (const auto& row : rows) {
        button->setGeometry(row.twips);
        EXPECT_EQ(qt::QtFactory::widgetOf(*button)->geometry(), row.pixels);
        if (row.twips.width >= 0) { EXPECT_EQ(button->geometry(), row.twips); }
    }
    // Moved by something else, the widget reports where it stands.
    button->setGeometry({120, 7490, 500, 320});
    qt::QtFactory::widgetOf(*button)->move(10, 20);
    EXPECT_EQ(button->geometry(), (Geometry{150, 300, 495, 330}));
}

TEST_F(QtControls, VisibleIsTheControlsOwnFlag) {
    auto panel = factory.createPanel(nullptr);
    auto label = factory.createLabel(panel.get(), {});
    EXPECT_TRUE(panel->visible());
    EXPECT_TRUE(label->visible());
    panel->setVisible(false);
    EXPECT_TRUE(label->visible());
    EXPECT_FALSE(qt::QtFactory::widgetOf(*label)->isVisible());
    label->setVisible(false);
    panel->setVisible(true);
    EXPECT_FALSE(label->visible());
    EXPECT_EQ(qt::QtFactory::widgetOf(*label)->parentWidget(), qt::QtFactory::widgetOf(*panel));
}

TEST_F(QtControls, ControlsMadeLaterLieInFront) {
    auto back = factory.createButton(nullptr, {});
    auto front = factory.createButton(nullptr, count);
    back->setGeometry({1500, 1500, 1500, 1500});
    front->setGeometry({2250, 2250, 1500, 1500});
    // Where the two overlap, the mouse finds the front one.
    QWidget* hit = factory.clientArea()->childAt(QPoint(160, 160));
    EXPECT_EQ(hit, qt::QtFactory::widgetOf(*front));
    clickAt(hit);
    EXPECT_EQ(clicks, 1);
}

TEST_F(QtControls, ButtonClickRunsTheHandlerUnlessDisabled) {
    auto button = factory.createButton(nullptr, count);
    button->setGeometry({1500, 1500, 500, 320});
    button->setCaption(u"R&D");
    auto* widget = qobject_cast<QPushButton*>(qt::QtFactory::widgetOf(*button));
    EXPECT_EQ(widget->text(), QStringLiteral("R&&D"));  // shown with its "&", no mnemonic
    EXPECT_EQ(button->caption(), u"R&D");
    clickAt(widget);
    EXPECT_EQ(clicks, 1);
    button->setEnabled(false);
    clickAt(widget);
    EXPECT_EQ(clicks, 1);
}

TEST_F(QtControls, LabelClickRunsTheHandlerAndLeavesTheFocus) {
    auto box = factory.createTextBox(nullptr, {}, {});
    box->setGeometry({0, 3000, 1500, 300});
    auto label = factory.createLabel(nullptr, count);
    label->setGeometry({1500, 1500, 540, 180});
    label->setCaption(u"变压器");
    box->setFocus();
    auto* widget = qt::QtFactory::widgetOf(*label);
    clickAt(widget);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(label->caption(), u"变压器");

    // Pressed on the label but released elsewhere: no click.
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    EXPECT_EQ(clicks, 1);

    // Hidden, it is not there to be clicked.
    const QPoint place = widget->geometry().center();
    label->setVisible(false);
    EXPECT_EQ(factory.clientArea()->childAt(place), nullptr);
}

TEST_F(QtControls, TextBoxTakesTheFocusBeforeItsHandlerRuns) {
    auto other = factory.createTextBox(nullptr, {}, {});
    other->setGeometry({0, 3000, 1500, 300});
    platform::TextBox* box = nullptr;
    bool focusedWhenClicked = false;
    auto made = factory.createTextBox(nullptr, {u"宋体", 9.0f}, [&] {
        focusedWhenClicked = box->hasFocus();
        ++clicks;
    });
    box = made.get();
    box->setGeometry({1500, 1500, 1335, 270});
    other->setFocus();
    clickAt(qt::QtFactory::widgetOf(*box));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(focusedWhenClicked);
    EXPECT_FALSE(other->hasFocus());
}

TEST_F(QtControls, TextBoxKeepsLongAndChineseTextWhole) {
    auto box = factory.createTextBox(nullptr, {}, {});
    const std::u16string texts[] = {u"", u"电路见图，\"引号\"", u" 前导空格",
                                    std::u16string(40000, u'电')};
    for (const auto& text : texts) {
        box->setText(text);
        EXPECT_EQ(box->text(), text) << text.size();
    }
}

TEST_F(QtControls, ScrollBarReportsChangesAndDragsButNotSetValue) {
    int changes = 0;
    int scrolls = 0;
    auto bar = factory.createScrollBar(
        nullptr, true, [&] { ++changes; }, [&] { ++scrolls; });
    bar->setGeometry({0, 3000, 4455, 255});
    bar->setMax(1000);
    bar->setSteps(30, 70);
    bar->setValue(500);
    EXPECT_EQ(bar->value(), 500);
    EXPECT_EQ(changes, 0);
    bar->setValue(5000);
    EXPECT_EQ(bar->value(), 1000);
    bar->setValue(0);

    auto* widget = qobject_cast<QScrollBar*>(qt::QtFactory::widgetOf(*bar));
    EXPECT_EQ(widget->singleStep(), 30);
    EXPECT_EQ(widget->pageStep(), 70);
    // A click on the track beyond the thumb pages forward.
    clickAt(widget, QPoint(widget->width() - 30, widget->height() / 2));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(bar->value(), 70);
    EXPECT_EQ(scrolls, 0);

    // Dragging the thumb: each move scrolls, value() follows the thumb, and letting go
    // changes the value once.
    changes = 0;
    QStyleOptionSlider option;
    option.initFrom(widget);
    option.orientation = Qt::Horizontal;
    option.minimum = widget->minimum();
    option.maximum = widget->maximum();
    option.sliderPosition = widget->sliderPosition();
    option.sliderValue = widget->value();
    option.pageStep = widget->pageStep();
    option.singleStep = widget->singleStep();
    const QPoint thumb =
        widget->style()
            ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, widget)
            .center();
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, thumb);
    QTest::mouseMove(widget, thumb + QPoint(40, 0));
    QTest::mouseMove(widget, thumb + QPoint(80, 0));
    EXPECT_GE(scrolls, 1);
    EXPECT_EQ(changes, 0);
    const int dragged = bar->value();
    EXPECT_GT(dragged, 70);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, thumb + QPoint(80, 0));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(bar->value(), dragged);
}

TEST_F(QtControls, ScrollBarWithANegativeMaximumStaysAtZero) {
    auto bar = factory.createScrollBar(nullptr, false, {}, {});
    bar->setMax(-200);
    EXPECT_EQ(bar->max(), -200);
    auto* widget = qobject_cast<QScrollBar*>(qt::QtFactory::widgetOf(*bar));
    EXPECT_EQ(widget->minimum(), 0);
    EXPECT_EQ(widget->maximum(), 0);
    bar->setValue(10);
    EXPECT_EQ(bar->value(), 0);
}

class QtImageTest : public QtControls {
protected:
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    std::filesystem::path fsPath(const char* name) const {
        return std::filesystem::path(path(name).toStdString());
    }
    QTemporaryDir folder;
};

TEST_F(QtImageTest, PictureIsShownAtItsOwnSize) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(path("图.png")));
    auto image = factory.createImage(nullptr);
    image->setGeometry({150, 300, 4455, 6855});
    const auto loaded = image->loadPicture(fsPath("图.png"));
    ASSERT_TRUE(loaded.ok()) << static_cast<int>(loaded.problem);
    EXPECT_EQ(loaded.widthPx, 40);
    EXPECT_EQ(loaded.heightPx, 30);
    EXPECT_TRUE(image->hasPicture());
    EXPECT_EQ(image->geometry(), (Geometry{150, 300, 600, 450}));
    auto* widget = qobject_cast<qt::PictureView*>(qt::QtFactory::widgetOf(*image));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), QRect(10, 20, 40, 30));
    EXPECT_EQ(widget->image().size(), QSize(40, 30));
    // What the widget paints is the picture, pixel for pixel.
    EXPECT_EQ(widget->grab().toImage().pixelColor(39, 29), QColor(Qt::red));

    image->clearPicture();
    EXPECT_FALSE(image->hasPicture());
    EXPECT_EQ(image->geometry(), (Geometry{150, 300, 0, 0}));
}

TEST_F(QtImageTest, RefusedPictureLeavesTheDisplayEmpty) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(path("good.png")));
    // A header that promises a picture, followed by no usable data.
    QFile good(path("good.png"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    QByteArray bytes = good.read(33) + QByteArray(64, '\x5a');
    QFile broken(path("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(bytes);
    broken.close();
    QFile text(path("note.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture at all");
    text.close();

    auto image = factory.createImage(nullptr);
    image->setGeometry({0, 0, 4455, 6855});
    ASSERT_TRUE(image->loadPicture(fsPath("good.png")).ok());
    for (const char* name : {"broken.png", "note.bmp", "missing.gif"}) {
        SCOPED_TRACE(name);
        const auto refused = image->loadPicture(fsPath(name));
        EXPECT_FALSE(refused.ok());
        EXPECT_FALSE(image->hasPicture());
        EXPECT_EQ(image->geometry().width, 0);
        ASSERT_TRUE(image->loadPicture(fsPath("good.png")).ok());
    }
}

TEST_F(QtControls, TabStripHasOneCaptionedTab) {
    auto strip = factory.createTabStrip(nullptr);
    strip->setCaption(u"词汇定制");
    auto* widget = qobject_cast<QTabWidget*>(qt::QtFactory::widgetOf(*strip));
    ASSERT_EQ(widget->count(), 1);
    EXPECT_EQ(widget->tabText(0), QStringLiteral("词汇定制"));
    EXPECT_EQ(strip->caption(), u"词汇定制");
    EXPECT_TRUE(widget->autoFillBackground());
}

TEST_F(QtControls, ToolbarButtonsLineUpInTheBandFromLeftToRight) {
    auto first = factory.createToolbarButton(u"open", u"打开", u"打开文本文件", count);
    auto second = factory.createToolbarButton(u"save", u"保存", u"保存您的稿子", {});
    QApplication::processEvents();
    auto* left = qobject_cast<QToolButton*>(qt::QtFactory::widgetOf(*first));
    auto* right = qobject_cast<QToolButton*>(qt::QtFactory::widgetOf(*second));
    EXPECT_EQ(left->parentWidget(), factory.toolbarBand());
    EXPECT_LT(left->geometry().right(), right->x());
    EXPECT_EQ(first->key(), u"open");
    EXPECT_EQ(left->text(), QStringLiteral("打开"));
    EXPECT_EQ(first->toolTip(), u"打开文本文件");
    EXPECT_EQ(left->toolTip(), QStringLiteral("打开文本文件"));
    clickAt(left);
    EXPECT_EQ(clicks, 1);
}

TEST_F(QtControls, MenuItemsActAndSubmenusOnlyOpen) {
    int fontClicks = 0;
    int saveAsClicks = 0;
    int rtfClicks = 0;
    auto file = factory.createMenuItem(nullptr, u"文件", {});
    auto open = factory.createMenuItem(file.get(), u"打开", count);
    auto saveAs = factory.createMenuItem(file.get(), u"另存为", [&] { ++saveAsClicks; });
    auto rtf = factory.createMenuItem(saveAs.get(), u"rtf文档", [&] { ++rtfClicks; });
    auto exit = factory.createMenuItem(file.get(), u"退出", {});
    auto font = factory.createMenuItem(nullptr, u"文本字体", [&] { ++fontClicks; });

    // The submenu took the place of the plain item.
    QStringList items;
    for (QAction* action : qt::QtFactory::menuOf(*file)->actions()) items << action->text();
    EXPECT_EQ(items, (QStringList{"打开", "另存为", "退出"}));
    EXPECT_EQ(qt::QtFactory::menuOf(*saveAs), qt::QtFactory::actionOf(*saveAs)->menu());
    EXPECT_EQ(qt::QtFactory::menuOf(*font), nullptr);

    chooseMenu(factory.menuBar(), {u"文本字体"});
    EXPECT_EQ(fontClicks, 1);
    chooseMenu(factory.menuBar(), {u"文件", u"打开"});
    EXPECT_EQ(clicks, 1);
    chooseMenu(factory.menuBar(), {u"文件", u"另存为", u"rtf文档"});
    EXPECT_EQ(rtfClicks, 1);
    EXPECT_EQ(saveAsClicks, 0);

    open->setEnabled(false);
    EXPECT_FALSE(qt::QtFactory::actionOf(*open)->isEnabled());
    chooseMenu(factory.menuBar(), {u"文件", u"打开"});
    EXPECT_EQ(clicks, 1);
    rtf->setCaption(u"R&TF");
    EXPECT_EQ(qt::QtFactory::actionOf(*rtf)->text(), QStringLiteral("R&&TF"));
    EXPECT_EQ(rtf->caption(), u"R&TF");
}

TEST_F(QtControls, SubmenuKeepsTheStateItHadAsAnItem) {
    auto code = factory.createMenuItem(nullptr, u"文稿加密", {});
    auto entry = factory.createMenuItem(code.get(), u"入口", {});
    entry->setEnabled(false);
    entry->setAccessibleName(u"入口");
    auto child = factory.createMenuItem(entry.get(), u"文稿加密", {});
    EXPECT_FALSE(entry->enabled());
    EXPECT_FALSE(qt::QtFactory::actionOf(*entry)->isEnabled());
    EXPECT_EQ(qt::QtFactory::menuOf(*entry)->accessibleName(), QStringLiteral("入口"));
}

class QtWindowEvents : public QtControls {
protected:
    QtWindowEvents() {
        factory.setWindowEvents({[this] { ++resizes; },
                                 [this] {
                                     ++prompts;
                                     return cancelClose;
                                 }});
        factory.setProgramEnded([this] { return ended; });
    }
    int resizes = 0;
    int prompts = 0;
    bool cancelClose = false;
    bool ended = false;
};

TEST_F(QtWindowEvents, CancelledCloseKeepsTheWindowOpen) {
    cancelClose = true;
    EXPECT_FALSE(factory.mainWindow()->close());
    EXPECT_EQ(prompts, 1);
    EXPECT_TRUE(factory.mainWindow()->isVisible());
    cancelClose = false;
    EXPECT_TRUE(factory.mainWindow()->close());
    EXPECT_EQ(prompts, 2);
    EXPECT_FALSE(factory.mainWindow()->isVisible());
}

TEST_F(QtWindowEvents, EndedProgramClosesWithoutThePrompt) {
    cancelClose = true;
    ended = true;
    EXPECT_TRUE(factory.mainWindow()->close());
    EXPECT_EQ(prompts, 0);
}

TEST_F(QtWindowEvents, ResizeAndStateChangesRaiseTheResizeHandler) {
    resizes = 0;
    factory.window().setGeometry({0, 0, 7500, 4500});
    EXPECT_TRUE(QTest::qWaitFor([this] { return factory.window().clientWidth() == 7500; }));
    EXPECT_GE(resizes, 1);
    EXPECT_EQ(factory.window().clientHeight(), 4500);
    EXPECT_EQ(factory.toolbarBand()->width(), 500);
    resizes = 0;
    factory.mainWindow()->showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([this] { return factory.window().minimized(); }));
    EXPECT_GE(resizes, 1);
    resizes = 0;
    factory.mainWindow()->showNormal();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !factory.window().minimized(); }));
    EXPECT_GE(resizes, 1);
}

TEST_F(QtWindowEvents, CaptionIsTheTitle) {
    factory.window().setCaption(u"Pennory --新建空白文档");
    EXPECT_EQ(factory.mainWindow()->windowTitle(), QStringLiteral("Pennory --新建空白文档"));
    EXPECT_EQ(factory.window().caption(), u"Pennory --新建空白文档");
}

}  // namespace
}  // namespace pennory::testing
