// The shared common dialog's font: one value proposed, the answer taken back.

#include "app/common_dialog.h"

#include <gtest/gtest.h>

#include "platform/headless/scripted_services.h"

namespace pennory::app {
namespace {

TEST(CommonDialogFont, EffectsComeBackOnlyWhenTheDialogOffersThem) {
    const text::Font held{u"宋体", 11.0f, false, false, true, false};  // underlined
    const text::Font answer{u"黑体", 10.5f, true, true, false, true};  // struck through
    struct Case {
        const char* name;
        int flags;
        text::Font after;
    };
    const Case cases[] = {
        {"without effects", 3, {u"黑体", 10.5f, true, true, true, false}},
        {"with effects", 3 | platform::kFontEffects, {u"黑体", 10.5f, true, true, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::headless::ScriptedDialogs dialogs;
        CommonDialog dialog(dialogs);
        dialog.Font = held;
        dialog.Flags = c.flags;
        dialogs.nextFont(answer);
        EXPECT_TRUE(dialog.ShowFont());
        EXPECT_EQ(dialog.Font, c.after);
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_EQ(dialogs.shown()[0].font, held);
    }
}

TEST(CommonDialogFont, CancelKeepsTheFont) {
    platform::headless::ScriptedDialogs dialogs;
    CommonDialog dialog(dialogs);
    dialog.Font = {u"楷体", 14.0f, true};
    dialogs.nextFont(std::nullopt);
    EXPECT_FALSE(dialog.ShowFont());
    EXPECT_EQ(dialog.Font, (text::Font{u"楷体", 14.0f, true}));
}

}  // namespace
}  // namespace pennory::app
