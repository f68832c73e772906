// The reference panel: the click that directs Open and Copy to the reference text, the
// picture dialog of "image", the scroll ranges and the panning of the picture.

#include "reference/reference_panel.h"

#include <string>

#include "app/common_dialog.h"
#include "support/form_fixture.h"
#include "support/picture_files.h"

namespace pennory::testing {
namespace {

namespace pic = pictures;

class ReferencePanel : public FormTest {
protected:
    // Writes the file and answers the next picture dialog with it.
    std::u16string choosePicture(const std::string& name, const std::string& bytes) {
        const auto path = pic::write(m_dir / name, bytes);
        const std::u16string chosen = path.u16string();
        dialogs().nextFileName(chosen);
        return chosen;
    }
    void openPicture(const std::string& name, const std::string& bytes) {
        choosePicture(name, bytes);
        clickToolbar(u"image");
    }
    platform::Geometry picture() { return form().Image1().geometry(); }
    const headless::ScriptedDialogs::Shown& lastDialog() { return dialogs().shown().back(); }

    TempDir m_dir;
};

TEST_F(ReferencePanel, ClickingTheReferenceTextOnlySetsOpenIntoReference) {
    form().RichTextBox2().setText(u"参考资料");
    editor().type(u"稿子");
    reference().click();
    EXPECT_TRUE(form().openIntoReference);
    EXPECT_TRUE(reference().hasFocus());
    EXPECT_EQ(form().RichTextBox2().text(), u"参考资料");
    EXPECT_EQ(form().RichTextBox1().text(), u"稿子");
    EXPECT_FALSE(form().saveTargetChosen || form().mayEncrypt || form().mayDecrypt ||
                 form().phrasesReady);
    reference().click();  // a second click keeps it set
    EXPECT_TRUE(form().openIntoReference);
}

TEST_F(ReferencePanel, AReferencePassageTravelsIntoTheManuscript) {
    const auto path = pic::write(m_dir / "资料.txt", "电阻R1为10K，电容C1为100μF。");
    reference().click();
    dialogs().nextFileName(path.u16string());
    clickToolbar(u"open");
    EXPECT_EQ(form().RichTextBox2().text(), u"电阻R1为10K，电容C1为100μF。");
    EXPECT_EQ(form().RichTextBox2().content().runs().front().format,
              (text::CharFormat{u"宋体", 10.5f}));
    EXPECT_FALSE(form().openIntoReference);  // the load ended the reference mode

    reference().click();
    form().RichTextBox2().setSelStart(0);
    form().RichTextBox2().setSelLength(5);
    clickToolbar(u"copy");
    EXPECT_FALSE(form().openIntoReference);
    editor().click();
    clickToolbar(u"palse");
    EXPECT_EQ(form().RichTextBox1().text(), u"电阻R1为");
}

TEST_F(ReferencePanel, TheWriterMayTypeIntoTheReferenceText) {
    reference().click();
    reference().type(u"批注");
    EXPECT_EQ(form().RichTextBox2().text(), u"批注");
}

TEST_F(ReferencePanel, PicturesLeaveOpenIntoReferenceAlone) {
    reference().click();
    openPicture("a.bmp", pic::bmp(10, 10));
    clickToolbar(u"image");  // cancelled
    EXPECT_TRUE(form().openIntoReference);
}

TEST_F(ReferencePanel, ThePictureDialogAsksWithItsOwnSettings) {
    form().CommonDialog1().FileName = u"/home/writer/稿子.rtf";  // left by an earlier dialog
    form().CommonDialog1().Flags = 4;
    clickToolbar(u"image");

    ASSERT_EQ(dialogs().shown().size(), 1u);
    const auto& shown = lastDialog();
    EXPECT_EQ(shown.kind, headless::ScriptedDialogs::Shown::Open);
    EXPECT_EQ(shown.request.title, u"看图");
    EXPECT_EQ(shown.request.fileName, u"");
    EXPECT_EQ(shown.request.filterIndex, 1);
    EXPECT_EQ(shown.request.flags, 4);  // not the picture dialog's business
    const std::vector<platform::FileFilter> filters = {{u"*.bmp文件", u"*.bmp"},
                                                       {u"*.gif文件", u"*gif"},
                                                       {u"*.jpg文件", u"*.jpg"},
                                                       {u"所有文件", u"*.*"}};
    EXPECT_EQ(shown.request.filters, filters);
    EXPECT_EQ(form().CommonDialog1().Filter,
              u"*.bmp文件|*.bmp|*.gif文件|*gif|*.jpg文件|*.jpg|所有文件|*.*|");
    EXPECT_EQ(form().CommonDialog1().FileName, u"");
}

TEST_F(ReferencePanel, TheDialogRemembersThePicturesPath) {
    const auto chosen = choosePicture("电路图.bmp", pic::bmp(3, 3));
    clickToolbar(u"image");
    EXPECT_EQ(form().CommonDialog1().FileName, chosen);
}

TEST_F(ReferencePanel, APictureIsShownAtItsOwnSizeWithTheRangesInTwips) {
    openPicture("a.bmp", pic::bmp(300, 200));
    EXPECT_TRUE(form().Image1().hasPicture());
    EXPECT_TRUE(form().Image1().visible());
    EXPECT_FALSE(form().RichTextBox2().visible());
    EXPECT_EQ(picture(), (platform::Geometry{0, 0, 4500, 3000}));
    EXPECT_EQ(form().HScroll1().max(), 4500);
    EXPECT_EQ(form().VScroll1().max(), 3000);
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(ReferencePanel, EveryFormatIsShown) {
    struct Case {
        const char* name;
        std::string bytes;
        int widthPx, heightPx;
    };
    const Case cases[] = {
        {"a.bmp", pic::bmp(41, 23), 41, 23},
        {"a.gif", pic::gif(64, 48), 64, 48},
        {"a.jpg", pic::jpegHeader(800, 600), 800, 600},
        {"a.png", pic::png(12, 34), 12, 34},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        openPicture(c.name, c.bytes);
        EXPECT_TRUE(form().Image1().hasPicture());
        EXPECT_EQ(picture(), (platform::Geometry{0, 0, c.widthPx * 15, c.heightPx * 15}));
        EXPECT_EQ(form().HScroll1().max(), c.widthPx * 15);
        EXPECT_EQ(form().VScroll1().max(), c.heightPx * 15);
    }
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(ReferencePanel, ScrollingPansThePicture) {
    openPicture("a.bmp", pic::bmp(300, 200));
    hScroll().userSetValue(1200);
    vScroll().userSetValue(70);
    EXPECT_EQ(picture().left, -1200);
    EXPECT_EQ(picture().top, -70);
    EXPECT_EQ(picture().width, 4500);  // panning never resizes it

    // Dragging a thumb pans at every step, before the value settles.
    for (int value : {30, 600, 2999}) {
        vScroll().userDrag(value);
        EXPECT_EQ(picture().top, -value);
    }
    hScroll().userDrag(4500);
    EXPECT_EQ(picture().left + picture().width, 0);  // at the maximum nothing is left in view
}

TEST_F(ReferencePanel, TheScrollBarsStepBy30And70Twips) {
    EXPECT_EQ(hScroll().smallStep(), 30);
    EXPECT_EQ(hScroll().largeStep(), 70);
    EXPECT_EQ(vScroll().smallStep(), 30);
    EXPECT_EQ(vScroll().largeStep(), 70);
}

TEST_F(ReferencePanel, ASecondPictureIsShownUnpanned) {
    openPicture("a.bmp", pic::bmp(300, 200));
    hScroll().userSetValue(2000);
    vScroll().userDrag(1000);
    openPicture("b.gif", pic::gif(100, 60));
    EXPECT_EQ(form().HScroll1().value(), 0);
    EXPECT_EQ(form().VScroll1().value(), 0);
    EXPECT_EQ(picture(), (platform::Geometry{0, 0, 1500, 900}));
    EXPECT_EQ(form().HScroll1().max(), 1500);
    EXPECT_EQ(form().VScroll1().max(), 900);
}

TEST_F(ReferencePanel, CancellingClearsThePictureAndItsRanges) {
    openPicture("a.bmp", pic::bmp(300, 200));
    hScroll().userSetValue(100);
    clickToolbar(u"image");  // cancelled
    EXPECT_FALSE(form().Image1().hasPicture());
    EXPECT_TRUE(form().Image1().visible());
    EXPECT_TRUE(form().HScroll1().visible());
    EXPECT_FALSE(form().RichTextBox2().visible());
    EXPECT_EQ(picture(), (platform::Geometry{0, 0, 0, 0}));
    EXPECT_EQ(form().HScroll1().max(), 0);
    EXPECT_EQ(form().VScroll1().max(), 0);
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(ReferencePanel, StopAndWriteKeepThePictureLoaded) {
    openPicture("a.bmp", pic::bmp(30, 20));
    clickToolbar(u"stop");
    clickToolbar(u"write");
    EXPECT_FALSE(form().Image1().visible());
    EXPECT_TRUE(form().Image1().hasPicture());
}

TEST_F(ReferencePanel, OversizePicturesAreShownWithTheRangeClipped) {
    openPicture("wide.png", pic::png(3000, 10));
    EXPECT_TRUE(form().Image1().hasPicture());
    EXPECT_EQ(picture().width, 45000);
    EXPECT_EQ(form().HScroll1().max(), 32767);
    EXPECT_EQ(form().VScroll1().max(), 150);

    openPicture("tall.gif", pic::gif(4, 2185));
    EXPECT_EQ(form().HScroll1().max(), 60);
    EXPECT_EQ(form().VScroll1().max(), 32767);

    openPicture("edge.png", pic::png(1, 2184));  // 32760 twips still fits
    EXPECT_EQ(form().VScroll1().max(), 32760);
}

TEST_F(ReferencePanel, UndecodableFilesAreReportedAndLeaveAnEmptyPicture) {
    std::string bomb = pic::kPngSignature + pic::pngHeaderChunk(100000, 100000);
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string_view reason;
    };
    const Case cases[] = {
        {"garbage.bmp", "这不是图片，只是几个字。", u"无法识别的图片格式"},
        {"truncated.bmp", pic::bmp(30, 20).substr(0, 20), u"图片文件已损坏"},
        {"truncated.gif", pic::gif(30, 20).substr(0, 9), u"图片文件已损坏"},
        {"empty.jpg", "", u"图片文件是空的"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        openPicture("shown.bmp", pic::bmp(300, 200));
        messages().forget();
        const auto chosen = choosePicture(c.name, c.bytes);
        clickToolbar(u"image");

        EXPECT_FALSE(form().Image1().hasPicture());
        EXPECT_EQ(picture(), (platform::Geometry{0, 0, 0, 0}));
        EXPECT_EQ(form().HScroll1().max(), 0);
        EXPECT_EQ(form().VScroll1().max(), 0);
        EXPECT_TRUE(form().Image1().visible());
        ASSERT_EQ(messages().shown().size(), 1u);
        const auto& shown = messages().shown()[0];
        EXPECT_EQ(shown.prompt,
                  u"无法显示图片“" + chosen + u"”：" + std::u16string(c.reason) + u"。");
        EXPECT_EQ(shown.style, platform::vbOKOnly);
        EXPECT_EQ(shown.title, u"Pennory");
    }
}

TEST_F(ReferencePanel, APictureTooLargeToShowIsSaidToBeSo) {
    // Headers only, each declaring more pixels than may be decoded: 100000 x 100000, and
    // 9000 x 9000 in a run-length BMP of 1080 bytes.
    std::string rle = pic::bmp(1, 1).substr(0, 54);
    rle.replace(18, 8, std::string("\x28\x23\0\0\x28\x23\0\0", 8));
    rle.replace(28, 4, std::string("\x08\0\x01\0", 4));
    rle.replace(10, 4, std::string("\x36\x04\0\0", 4));
    rle += std::string(1024, '\0') + std::string("\0\1", 2);
    ASSERT_EQ(rle.size(), 1080u);
    const std::pair<const char*, std::string> bombs[] = {
        {"bomb.png", pic::kPngSignature + pic::pngHeaderChunk(100000, 100000)},
        {"bomb.bmp", rle},
    };
    for (const auto& [name, bytes] : bombs) {
        SCOPED_TRACE(name);
        openPicture("shown.bmp", pic::bmp(300, 200));
        messages().forget();
        choosePicture(name, bytes);
        clickToolbar(u"image");
        EXPECT_FALSE(form().Image1().hasPicture());
        EXPECT_EQ(form().HScroll1().max(), 0);
        ASSERT_EQ(messages().shown().size(), 1u);
        EXPECT_EQ(messages().shown()[0].prompt, u"图片太大，无法显示");
        EXPECT_EQ(messages().shown()[0].style, platform::vbOKOnly);
    }
}

TEST_F(ReferencePanel, AMissingFileIsReported) {
    dialogs().nextFileName((m_dir / "不见了.jpg").u16string());
    clickToolbar(u"image");
    ASSERT_EQ(messages().shown().size(), 1u);
    EXPECT_NE(messages().shown()[0].prompt.find(u"不见了.jpg"), std::u16string::npos);
    EXPECT_NE(messages().shown()[0].prompt.find(u"找不到图片文件"), std::u16string::npos);
    EXPECT_FALSE(form().Image1().hasPicture());
}

TEST(ScrollRange, RoundsHalvesToEvenAndStaysInTheScrollBarsRange) {
    const struct {
        double twips;
        int range;
    } cases[] = {
        {0, 0},           {4500, 4500},   {0.4, 0},  {0.5, 0},         {1.5, 2},
        {2.5, 2},         {2.5001, 3},    {3.49, 3}, {32766.5, 32766}, {32767, 32767},
        {32767.5, 32767}, {45000, 32767}, {-15, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.twips);
        EXPECT_EQ(reference::scrollRange(c.twips), c.range);
    }
}

}  // namespace
}  // namespace pennory::testing
