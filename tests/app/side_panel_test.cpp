// The side panel's views after sequences of toolbar commands.

#include "input/phrase_grid.h"
#include "input/word_bank_table.h"
#include "support/working_folder.h"

namespace pennory::testing {
namespace {

// "selfdo" and "enter" read and write the phrase file in the working folder.
class SidePanel : public FormInTempFolder {
protected:
    bool allLabels(bool visible) {
        for (int i = 0; i < input::kWordBankSize; ++i) {
            if (form().Label2(i).visible() != visible) return false;
        }
        return true;
    }
    bool allPhraseBoxes(bool visible) {
        for (int i = 0; i < input::kPhraseCount; ++i) {
            if (form().Text1(i).visible() != visible) return false;
        }
        return true;
    }
    bool pictureViewControls(bool visible) {
        return form().Image1().visible() == visible && form().HScroll1().visible() == visible &&
               form().VScroll1().visible() == visible;
    }
};

TEST_F(SidePanel, WriteShowsTheWordBankOnly) {
    clickToolbar(u"write");
    EXPECT_TRUE(allLabels(true));
    EXPECT_FALSE(form().RichTextBox2().visible());
    EXPECT_TRUE(pictureViewControls(false));
    EXPECT_TRUE(allPhraseBoxes(false));
    EXPECT_EQ(form().RichTextBox2().toolTip(), u"请打开参考用文本、图片等");
}

TEST_F(SidePanel, StopAfterWriteHidesEveryLabel) {
    clickToolbar(u"write");
    clickToolbar(u"stop");
    EXPECT_TRUE(allLabels(false));
    EXPECT_TRUE(form().RichTextBox2().visible());
}

TEST_F(SidePanel, SelfdoCoversThePreviousViewAndEmptiesTheTooltipUntilStop) {
    clickToolbar(u"selfdo");
    EXPECT_TRUE(form().TabStrip1().visible());
    EXPECT_TRUE(allPhraseBoxes(true));
    EXPECT_TRUE(form().RichTextBox2().visible());  // still there, under the tab strip
    EXPECT_EQ(form().RichTextBox2().toolTip(), u"");

    clickToolbar(u"write");
    EXPECT_TRUE(allLabels(true));
    EXPECT_TRUE(allPhraseBoxes(false));
    EXPECT_FALSE(form().TabStrip1().visible());
    EXPECT_EQ(form().RichTextBox2().toolTip(), u"");

    clickToolbar(u"stop");
    EXPECT_EQ(form().RichTextBox2().toolTip(), u"请打开参考用文本、图片等");
}

TEST_F(SidePanel, SelfdoOverThePictureViewKeepsThePictureControlsBelow) {
    clickToolbar(u"image");  // dialog cancelled
    EXPECT_TRUE(pictureViewControls(true));
    EXPECT_FALSE(form().RichTextBox2().visible());
    clickToolbar(u"selfdo");
    EXPECT_TRUE(pictureViewControls(true));
    EXPECT_TRUE(allPhraseBoxes(true));
    clickToolbar(u"image");
    EXPECT_TRUE(allPhraseBoxes(false));
    EXPECT_FALSE(form().TabStrip1().visible());
}

TEST_F(SidePanel, ImageResetsTheScrollValues) {
    clickToolbar(u"image");
    hScroll().setMax(4000);
    hScroll().userSetValue(1200);
    vScroll().userSetValue(300);
    clickToolbar(u"image");
    EXPECT_EQ(form().HScroll1().value(), 0);
    EXPECT_EQ(form().VScroll1().value(), 0);
}

TEST_F(SidePanel, SwitchingViewsKeepsEveryText) {
    form().RichTextBox2().setText(u"参考");
    clickToolbar(u"selfdo");
    phraseBox(7).type(u"晶体管");
    for (auto key : {u"write", u"image", u"stop", u"selfdo", u"stop"}) clickToolbar(key);
    EXPECT_EQ(form().RichTextBox2().text(), u"参考");
    EXPECT_EQ(form().Text1(7).text(), u"晶体管");
}

TEST_F(SidePanel, OtherToolbarCommandsLeaveTheViewAlone) {
    clickToolbar(u"write");
    for (auto key : {u"copy", u"palse", u"back", u"enter"}) clickToolbar(key);
    EXPECT_TRUE(allLabels(true));
    EXPECT_FALSE(form().RichTextBox2().visible());
}

}  // namespace
}  // namespace pennory::testing
