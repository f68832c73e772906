#pragma once
// What the contract suites need of an implementation of the controls. Each test binary gives
// one type per implementation, of this shape:
//
//     struct SomeControls {
//         platform::ControlFactory& factory();
//         // The steps last given to setSteps, which the interface does not read back.
//         static std::pair<int, int> steps(platform::ScrollBar& bar);
//         // Ctrl+Z pressed in a box made by factory().
//         void pressCtrlZ(platform::RichTextBox& box);
//     };
//
// and instantiates the suites with it:
//
//     INSTANTIATE_TYPED_TEST_SUITE_P(Some, RichTextBoxContract, SomeControls);
//     INSTANTIATE_TYPED_TEST_SUITE_P(Some, ControlContract, SomeControls);
//     INSTANTIATE_TYPED_TEST_SUITE_P(Some, EditTransactionContract, SomeControls);
//
// The cases state what controls.h promises, with values written from it; the same cases pass
// on every implementation, so the in-memory twin is shown to behave like the real controls.

#include "platform/control_factory.h"
#include "platform/controls.h"
#include "platform/text/styled_text.h"

namespace pennory::testing::contract {

// The font command's one call: the box takes a whole font at once, the font part of a format.
inline void applyFont(platform::RichTextBox& box, const text::CharFormat& format) {
    box.setSelFont(static_cast<const text::Font&>(format));
}

}  // namespace pennory::testing::contract
