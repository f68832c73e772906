#pragma once
// The contract of the other controls, run over every implementation (see
// contract_platform.h): the common properties of each kind, the text box, the scroll bar
// and the image.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "platform/contract/contract_platform.h"
#include "platform/files/temp_folder.h"
#include "support/picture_files.h"

namespace pennory::testing::contract {

using platform::Geometry;
using platform::PictureProblem;

template <typename Platform>
class ControlContract : public ::testing::Test {
protected:
    platform::ControlFactory& factory() { return impl.factory(); }

    // One of each kind whose common part the window uses.
    std::vector<std::pair<const char*, std::unique_ptr<platform::Control>>> oneOfEachKind() {
        const text::CharFormat font{u"宋体", 9.0f, false, false, false, false, 0};
        std::vector<std::pair<const char*, std::unique_ptr<platform::Control>>> out;
        out.emplace_back("rich-text box", factory().createRichTextBox(nullptr, font, {}));
        out.emplace_back("text box", factory().createTextBox(nullptr, font, {}));
        out.emplace_back("scroll bar", factory().createScrollBar(nullptr, false, {}, {}));
        out.emplace_back("image", factory().createImage(nullptr));
        return out;
    }

    std::unique_ptr<platform::ScrollBar> scrollBar() {
        return factory().createScrollBar(
            nullptr, true, [this] { ++changed; }, [this] { ++scrolled; });
    }

    Platform impl;
    files::testing::TempFolder folder;
    int changed = 0;
    int scrolled = 0;
};

TYPED_TEST_SUITE_P(ControlContract);

TYPED_TEST_P(ControlContract, ANewControlIsVisibleAndEnabledWithoutCaptionOrTip) {
    for (auto& [kind, control] : this->oneOfEachKind()) {
        SCOPED_TRACE(kind);
        EXPECT_TRUE(control->visible());
        EXPECT_TRUE(control->enabled());
        EXPECT_EQ(control->caption(), u"");
        EXPECT_EQ(control->toolTip(), u"");
    }
}

TYPED_TEST_P(ControlContract, CommonPropertiesReadBackAsSet) {
    const Geometry places[] = {
        {0, 0, 1500, 300}, {120, 7490, 500, 320}, {4920, 720, 6740, 6690}, {-300, -45, 600, 450}};
    for (auto& [kind, control] : this->oneOfEachKind()) {
        SCOPED_TRACE(kind);
        control->setVisible(false);
        EXPECT_FALSE(control->visible());
        control->setVisible(true);
        EXPECT_TRUE(control->visible());
        control->setEnabled(false);
        EXPECT_FALSE(control->enabled());
        control->setEnabled(true);
        EXPECT_TRUE(control->enabled());
        control->setCaption(u"参考图片");
        EXPECT_EQ(control->caption(), u"参考图片");
        control->setToolTip(u"单击插入");
        EXPECT_EQ(control->toolTip(), u"单击插入");
        control->setToolTip(u"");
        EXPECT_EQ(control->toolTip(), u"");
        for (const auto& place : places) {
            control->setGeometry(place);
            EXPECT_EQ(control->geometry(), place);
        }
    }
}

TYPED_TEST_P(ControlContract, TextBoxTextReadsBackAsSet) {
    auto box = this->factory().createTextBox(nullptr, {}, {});
    EXPECT_EQ(box->text(), u"");
    const std::u16string rows[] = {u"常用语", u"a b  c", u"\U00020000与", u"", u"，。；"};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row));
        box->setText(row);
        EXPECT_EQ(box->text(), row);
    }
}

TYPED_TEST_P(ControlContract, ScrollBarValueStaysBetweenZeroAndTheMax) {
    auto bar = this->scrollBar();
    bar->setMax(100);
    EXPECT_EQ(bar->max(), 100);
    struct Row {
        int set, value;
    };
    for (const Row row : {Row{0, 0}, Row{50, 50}, Row{100, 100}, Row{150, 100}, Row{-5, 0}}) {
        SCOPED_TRACE(row.set);
        bar->setValue(row.set);
        EXPECT_EQ(bar->value(), row.value);
    }
}

TYPED_TEST_P(ControlContract, LoweringTheMaxBringsTheValueWithIt) {
    auto bar = this->scrollBar();
    bar->setMax(100);
    bar->setValue(80);
    bar->setMax(30);
    EXPECT_EQ(bar->max(), 30);
    EXPECT_EQ(bar->value(), 30);
    bar->setMax(200);
    EXPECT_EQ(bar->value(), 30);
    // A picture smaller than its frame: nothing to scroll.
    bar->setMax(-10);
    EXPECT_EQ(bar->max(), -10);
    EXPECT_EQ(bar->value(), 0);
    bar->setValue(5);
    EXPECT_EQ(bar->value(), 0);
}

TYPED_TEST_P(ControlContract, ScrollBarSettersCallNoHandler) {
    auto bar = this->scrollBar();
    bar->setMax(1000);
    bar->setValue(400);
    bar->setValue(2000);
    bar->setMax(10);
    bar->setSteps(15, 300);
    EXPECT_EQ(this->changed, 0);
    EXPECT_EQ(this->scrolled, 0);
    EXPECT_EQ(TypeParam::steps(*bar), std::make_pair(15, 300));
}

TYPED_TEST_P(ControlContract, APictureGivesTheImageItsSizeInTwips) {
    struct Row {
        const char* name;
        std::string bytes;
        int widthPx, heightPx;
    };
    const Row rows[] = {
        {"a.bmp", pictures::bmp(30, 20), 30, 20},
        {"a.png", pictures::png(24, 10), 24, 10},
        {"a.gif", pictures::gif(12, 36), 12, 36},
        {"a.jpg", pictures::decodableJpeg(), 16, 8},
    };
    auto image = this->factory().createImage(nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        image->setGeometry({300, 150, 45, 45});
        const auto result = image->loadPicture(pictures::write(this->folder / row.name, row.bytes));
        EXPECT_EQ(result.problem, PictureProblem::None);
        EXPECT_EQ(result.widthPx, row.widthPx);
        EXPECT_EQ(result.heightPx, row.heightPx);
        EXPECT_TRUE(image->hasPicture());
        EXPECT_EQ(image->geometry(), (Geometry{300, 150, row.widthPx * 15, row.heightPx * 15}));
    }
    image->clearPicture();
    EXPECT_FALSE(image->hasPicture());
    EXPECT_EQ(image->geometry(), (Geometry{300, 150, 0, 0}));
}

TYPED_TEST_P(ControlContract, ARefusedPictureLeavesTheImageEmpty) {
    std::string badCrc = pictures::png(8, 8);
    badCrc[29] = static_cast<char>(badCrc[29] ^ 0x01);  // the header's checksum
    struct Row {
        const char* what;
        std::function<std::filesystem::path(const std::filesystem::path&)> make;
        PictureProblem problem;
    };
    const Row rows[] = {
        {"missing", [](const auto& folder) { return folder / "missing.png"; },
         PictureProblem::NotFound},
        {"folder", [](const auto& folder) { return folder; }, PictureProblem::NotAFile},
        {"empty", [](const auto& folder) { return pictures::write(folder / "empty.png", ""); },
         PictureProblem::Empty},
        {"text",
         [](const auto& folder) { return pictures::write(folder / "words.png", "不是图片"); },
         PictureProblem::UnknownFormat},
        {"damaged header",
         [&](const auto& folder) { return pictures::write(folder / "bad.png", badCrc); },
         PictureProblem::Damaged},
    };
    auto image = this->factory().createImage(nullptr);
    const auto good = pictures::write(this->folder / "good.bmp", pictures::bmp(20, 10));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        image->setGeometry({60, 90, 0, 0});
        ASSERT_TRUE(image->loadPicture(good).ok());
        const auto result = image->loadPicture(row.make(this->folder.path()));
        EXPECT_EQ(result.problem, row.problem);
        EXPECT_EQ(result.widthPx, 0);
        EXPECT_EQ(result.heightPx, 0);
        EXPECT_FALSE(image->hasPicture());
        EXPECT_EQ(image->geometry(), (Geometry{60, 90, 0, 0}));
    }
}

REGISTER_TYPED_TEST_SUITE_P(ControlContract, ANewControlIsVisibleAndEnabledWithoutCaptionOrTip,
                            CommonPropertiesReadBackAsSet, TextBoxTextReadsBackAsSet,
                            ScrollBarValueStaysBetweenZeroAndTheMax,
                            LoweringTheMaxBringsTheValueWithIt, ScrollBarSettersCallNoHandler,
                            APictureGivesTheImageItsSizeInTwips,
                            ARefusedPictureLeavesTheImageEmpty);

}  // namespace pennory::testing::contract
