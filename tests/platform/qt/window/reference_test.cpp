// The reference picture in the real window: real picture files of each format shown at their
// own size, panned by dragging the real scroll bars; and the help menu's commands.

#include <QImage>
#include <QImageWriter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "platform/qt/qt_conversions.h"
#include "qt_form_fixture.h"
#include "support/picture_files.h"

namespace pennory::testing {
namespace {

namespace pic = pictures;

// A picture with a known colour in each corner region, so that what is shown can be checked.
QImage samplePicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            image.setPixelColor(
                x, y, right ? (bottom ? Qt::blue : Qt::red) : (bottom ? Qt::green : Qt::white));
        }
    }
    return image;
}

QPoint thumbCentre(QScrollBar* bar) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.pageStep = bar->pageStep();
    option.singleStep = bar->singleStep();
    return bar->style()
        ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar)
        .center();
}

class QtReference : public QtFormTest {
protected:
    std::filesystem::path savedWithQt(const char* name, const char* format, int width, int height) {
        const auto path = m_dir / name;
        EXPECT_TRUE(samplePicture(width, height).save(qt::toQString(path.u16string()), format))
            << format;
        return path;
    }
    void openPicture(const std::filesystem::path& path) {
        dialogs().nextFileName(path.u16string());
        clickToolbar(u"image");
    }
    QImage shown() { return image()->grab().toImage(); }  // as painted

    QTemporaryDir m_temp;
    std::filesystem::path m_dir = m_temp.path().toStdString();
};

TEST_F(QtReference, RealPicturesOfEachFormatAreShownAtTheirOwnSize) {
    ASSERT_TRUE(QImageWriter::supportedImageFormats().contains("jpeg"));
    struct Case {
        const char* name;
        std::filesystem::path path;
        int width, height;
        bool exactColours;
    };
    const Case cases[] = {
        {"bmp", savedWithQt("a.bmp", "BMP", 300, 200), 300, 200, true},
        {"png", savedWithQt("a.png", "PNG", 90, 140), 90, 140, true},
        {"jpeg", savedWithQt("a.jpg", "JPEG", 123, 77), 123, 77, false},
        {"gif", pic::write(m_dir / "a.gif", pic::gif(64, 48)), 64, 48, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        openPicture(c.path);
        EXPECT_TRUE(messages().shown().empty());
        EXPECT_TRUE(image()->isVisible());
        EXPECT_FALSE(reference()->isVisible());
        EXPECT_EQ(image()->parentWidget(), panel());
        EXPECT_EQ(image()->geometry(), QRect(0, 0, c.width, c.height));  // never scaled
        ASSERT_FALSE(image()->image().isNull());
        EXPECT_EQ(shown().size(), QSize(c.width, c.height));
        EXPECT_EQ(hScroll()->maximum(), c.width * 15);
        EXPECT_EQ(vScroll()->maximum(), c.height * 15);
        if (c.exactColours) {
            EXPECT_EQ(shown().pixelColor(2, 2), QColor(Qt::white));
            EXPECT_EQ(shown().pixelColor(c.width - 3, c.height - 3), QColor(Qt::blue));
        }
    }
    // The hand-written GIF's frame colour, decoded by Qt.
    EXPECT_EQ(shown().pixelColor(0, 0), QColor(20, 20, 90));
}

TEST_F(QtReference, DraggingTheRealScrollBarsMovesThePicture) {
    openPicture(savedWithQt("wide.png", "PNG", 900, 800));
    ASSERT_EQ(hScroll()->maximum(), 13500);

    // Drag the horizontal thumb: the picture follows every move, before the thumb is let go.
    const QPoint thumb = thumbCentre(hScroll());
    QTest::mousePress(hScroll(), Qt::LeftButton, Qt::NoModifier, thumb);
    QTest::mouseMove(hScroll(), thumb + QPoint(30, 0));
    const int firstLeft = image()->x();
    EXPECT_LT(firstLeft, 0);
    EXPECT_EQ(form().Image1().geometry().left, -form().HScroll1().value());
    QTest::mouseMove(hScroll(), thumb + QPoint(60, 0));
    EXPECT_LT(image()->x(), firstLeft);
    QTest::mouseRelease(hScroll(), Qt::LeftButton, Qt::NoModifier, thumb + QPoint(60, 0));
    const int value = hScroll()->value();
    EXPECT_GT(value, 0);
    EXPECT_EQ(image()->x(), -qRound(value / 15.0));
    EXPECT_EQ(image()->y(), 0);
    EXPECT_EQ(image()->size(), QSize(900, 800));

    // A click on the vertical track pages down by 70 twips.
    QTest::mouseClick(vScroll(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(vScroll()->width() / 2, vScroll()->height() - 30));
    EXPECT_EQ(vScroll()->value(), 70);
    EXPECT_EQ(form().Image1().geometry().top, -70);
    EXPECT_EQ(image()->y(), -5);  // 70 twips, to the nearest pixel

    // At the far end nothing of the picture is left in the panel.
    hScroll()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(image()->x() + image()->width(), 0);

    // The next picture starts unpanned.
    openPicture(savedWithQt("small.bmp", "BMP", 40, 30));
    EXPECT_EQ(image()->geometry(), QRect(0, 0, 40, 30));
    EXPECT_EQ(hScroll()->value(), 0);
    EXPECT_EQ(vScroll()->value(), 0);
}

TEST_F(QtReference, CancelAndUndecodableFilesLeaveAnEmptyPanel) {
    openPicture(savedWithQt("a.png", "PNG", 60, 60));
    clickToolbar(u"image");  // cancelled
    EXPECT_TRUE(image()->image().isNull());
    EXPECT_EQ(image()->size(), QSize(0, 0));
    EXPECT_EQ(hScroll()->maximum(), 0);
    EXPECT_TRUE(messages().shown().empty());

    // A header that promises a picture, with its data cut off: only the decoder finds out.
    std::string cut = pic::png(200, 200);
    cut.resize(cut.size() / 2);
    const auto bomb =
        pic::write(m_dir / "bomb.png", pic::kPngSignature + pic::pngHeaderChunk(100000, 100000));
    const auto cutPath = pic::write(m_dir / "cut.png", cut);
    const std::pair<std::filesystem::path, std::u16string> cases[] = {
        {cutPath, u"无法显示图片“" + cutPath.u16string() + u"”：图片文件已损坏。"},
        {bomb, u"图片太大，无法显示"},
    };
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path.filename());
        openPicture(savedWithQt("b.bmp", "BMP", 20, 20));
        messages().forget();
        openPicture(path);
        EXPECT_TRUE(image()->image().isNull());
        EXPECT_EQ(vScroll()->maximum(), 0);
        ASSERT_EQ(messages().shown().size(), 1u);
        EXPECT_EQ(messages().shown()[0].prompt, message);
    }
    EXPECT_TRUE(image()->isVisible());  // still the picture view
}

TEST_F(QtReference, ClickingTheReferenceTextDirectsTheNextOpen) {
    click(reference());
    EXPECT_TRUE(form().openIntoReference);
    EXPECT_EQ(focusWidget(), reference());
    QTest::keyClicks(reference(), "note");  // the writer may type there
    EXPECT_EQ(form().RichTextBox2().text(), u"note");
}

TEST_F(QtReference, HelpCommandsCallTheShell) {
    std::filesystem::create_directories(m_dir / "bin");
    std::filesystem::create_directories(m_dir / "share");
    program().m_executableDir = m_dir / "bin";
    program().m_dataDir = m_dir / "share";
    std::ofstream(m_dir / "share" / u"Pennory帮助.htm") << "<html></html>";

    clickMenu({u"帮助", u"帮助"});
    clickMenu({u"帮助", u"给我写信"});
    ASSERT_EQ(shell().requests().size(), 2u);
    const auto& page = shell().requests()[0];
    EXPECT_EQ(page.operation, u"open");
    EXPECT_EQ(page.file, (m_dir / "share" / u"Pennory帮助.htm").u16string());
    EXPECT_EQ(page.parameters, u"");
    EXPECT_EQ(page.directory, m_dir / "bin");
    EXPECT_EQ(page.showCommand, 1);
    const auto& mail = shell().requests()[1];
    EXPECT_EQ(mail.operation, u"open");
    EXPECT_EQ(mail.file, u"mailto:editor@pennory.cn");
    EXPECT_EQ(mail.directory, m_dir / "bin");
    EXPECT_EQ(mail.showCommand, 1);

    clickMenu({u"帮助", u"关于本软件"});
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_EQ(messages().shown()[0].title, u"Pennory");
    EXPECT_EQ(messages().shown()[0].style, platform::vbOKOnly);
    EXPECT_NE(messages().shown()[0].prompt.find(u"1.5"), std::u16string::npos);
}

}  // namespace
}  // namespace pennory::testing
