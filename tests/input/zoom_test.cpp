#include "input/zoom.h"

#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace pennory::testing {
namespace {

using platform::ZoomRequest;

TEST(ZoomSteps, TenPercentAStepFromFiftyToFourHundred) {
    struct Row {
        int from;
        ZoomRequest request;
        int to;
    };
    const Row rows[] = {
        {100, ZoomRequest::In, 110},    {100, ZoomRequest::Out, 90},
        {390, ZoomRequest::In, 400},    {400, ZoomRequest::In, 400},
        {60, ZoomRequest::Out, 50},     {50, ZoomRequest::Out, 50},
        {50, ZoomRequest::In, 60},      {400, ZoomRequest::Out, 390},
        {250, ZoomRequest::Reset, 100}, {50, ZoomRequest::Reset, 100},
        {100, ZoomRequest::Reset, 100},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.from << " request " << int(row.request));
        EXPECT_EQ(input::zoomAfter(row.from, row.request), row.to);
    }
}

class ZoomTest : public FormTest {
protected:
    std::u16string shown() { return form().StatusLine().caption(); }
};

TEST_F(ZoomTest, EachBoxKeepsItsOwnAndTheStatusLineShowsTheLastZoomed) {
    editor().type(u"电阻");
    const auto content = editor().content();
    for (int i = 0; i < 3; ++i) editor().userZoom(ZoomRequest::In);
    EXPECT_EQ(editor().zoomPercent(), 130);
    EXPECT_EQ(reference().zoomPercent(), 100);
    EXPECT_EQ(shown(), u"字数 2  字符 2（不计空格）  缩放 130%");

    reference().userZoom(ZoomRequest::Out);
    EXPECT_EQ(reference().zoomPercent(), 90);
    EXPECT_EQ(editor().zoomPercent(), 130);
    EXPECT_EQ(shown(), u"字数 2  字符 2（不计空格）  缩放 90%");

    editor().userZoom(ZoomRequest::Reset);
    EXPECT_EQ(editor().zoomPercent(), 100);
    EXPECT_EQ(shown(), u"字数 2  字符 2（不计空格）");
    EXPECT_EQ(editor().content(), content);
    // Undo still takes back the typing, not a zoom.
    editor().undo();
    EXPECT_EQ(editor().text(), u"");
}

TEST_F(ZoomTest, StopsAtTheEndsOfTheRange) {
    for (int i = 0; i < 40; ++i) editor().userZoom(ZoomRequest::In);
    EXPECT_EQ(editor().zoomPercent(), 400);
    for (int i = 0; i < 40; ++i) editor().userZoom(ZoomRequest::Out);
    EXPECT_EQ(editor().zoomPercent(), 50);
    EXPECT_EQ(shown(), u"字数 0  字符 0（不计空格）  缩放 50%");
}

}  // namespace
}  // namespace pennory::testing
