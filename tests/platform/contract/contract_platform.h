#pragma once
// What the contract suites need of an implementation of the controls. Each test binary gives
// one type per implementation, of this shape:
//
//     struct SomeControls {
//         platform::ControlFactory& factory();
//         // The steps last given to setSteps, which the interface does not read back.
//         static std::pair<int, int> steps(platform::ScrollBar& bar);
//     };
//
// and instantiates the suites with it:
//
//     INSTANTIATE_TYPED_TEST_SUITE_P(Some, RichTextBoxContract, SomeControls);
//     INSTANTIATE_TYPED_TEST_SUITE_P(Some, ControlContract, SomeControls);
//
// The cases state what controls.h promises, with values written from it; the same cases pass
// on every implementation, so the in-memory twin is shown to behave like the real controls.

#include "platform/control_factory.h"
#include "platform/controls.h"
#include "platform/text/styled_text.h"

namespace pennory::testing::contract {

// The font command's one call. The box takes a whole font at once; a change of the font's
// type is a change of this function alone.
inline void applyFont(platform::RichTextBox& box, const text::CharFormat& font) {
    box.setSelFont(platform::FontAttributes{font.fontName, font.sizePt, font.bold, font.italic,
                                            font.strikethrough, font.underline});
}

}  // namespace pennory::testing::contract
