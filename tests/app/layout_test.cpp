// The layout rule on resize, its worked values and its limits.

#include "app/layout.h"

#include "support/design_literals.h"
#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using Layout = FormTest;

TEST_F(Layout, DesignClientSizeGivesTheWorkedValues) {
    EXPECT_EQ(form().RichTextBox1().geometry(), (platform::Geometry{4920, 720, 6740, 6690}));
    EXPECT_EQ(form().Picture1().geometry(), (platform::Geometry{120, 720, 4695, 6690}));
    EXPECT_EQ(form().Command1(0).geometry().top, 7490);
    EXPECT_EQ(form().HScroll1().geometry(), (platform::Geometry{0, 6390, 4455, 255}));
    EXPECT_EQ(form().VScroll1().geometry(), (platform::Geometry{4440, 0, 255, 6690}));
    EXPECT_EQ(form().RichTextBox2().geometry(), (platform::Geometry{0, 0, 4695, 6690}));
}

TEST_F(Layout, MaximizingWidensOnlyTheEditor) {
    resizeClient(19200, 11000);
    EXPECT_EQ(form().RichTextBox1().geometry(), (platform::Geometry{4920, 720, 14300, 9800}));
    EXPECT_EQ(form().Picture1().geometry(), (platform::Geometry{120, 720, 4695, 9800}));
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(form().Command1(i).geometry().top, 10600);
        EXPECT_EQ(form().Command1(i).geometry().left, 120 + 480 * design::kKeypadButtons[i].slot);
    }
    EXPECT_EQ(form().HScroll1().geometry().top, 9500);
    EXPECT_EQ(form().TabStrip1().geometry().height, 7095);
    EXPECT_EQ(form().Text1(50).geometry().top, 6960);
}

TEST_F(Layout, MinimizingKeepsTheLastLayout) {
    resizeClient(9000, 5000);
    const auto before = form().RichTextBox1().geometry();
    platform().factory.headlessWindow().setMinimized(true);
    resizeClient(0, 0);
    EXPECT_EQ(form().RichTextBox1().geometry(), before);
    platform().factory.headlessWindow().setMinimized(false);
    resizeClient(11640, 7890);
    EXPECT_EQ(form().RichTextBox1().geometry().height, 6690);
}

TEST(LayoutRule, SizesAreClampedAtZeroBelowTheLimits) {
    for (auto [w, h] : {std::pair{0, 0}, {4899, 1199}, {100, 9000}, {9000, 100}}) {
        const auto layout = app::computeLayout(w, h, false);
        ASSERT_TRUE(layout);
        EXPECT_GE(layout->editorWidth, 0);
        EXPECT_GE(layout->editorHeight, 0);
    }
    EXPECT_EQ(app::computeLayout(4900, 1200, false)->editorWidth, 0);
    EXPECT_FALSE(app::computeLayout(11640, 7890, true));
}

}  // namespace
}  // namespace pennory::testing
