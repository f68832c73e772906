// The contract suites over the in-memory controls.

#include "platform/contract/controls_contract.h"
#include "platform/contract/edit_transaction_contract.h"
#include "platform/contract/figure_contract.h"
#include "platform/contract/paragraph_format_contract.h"
#include "platform/contract/rich_text_box_contract.h"
#include "platform/headless/headless_controls.h"
#include "platform/headless/headless_factory.h"

namespace pennory::testing::contract {
namespace {

struct HeadlessControls {
    platform::headless::HeadlessFactory m_factory;

    platform::ControlFactory& factory() { return m_factory; }
    static std::pair<int, int> steps(platform::ScrollBar& bar) {
        const auto& headless = dynamic_cast<const platform::headless::HeadlessScrollBar&>(bar);
        return {headless.smallStep(), headless.largeStep()};
    }
    void pressCtrlZ(platform::RichTextBox& box) {
        dynamic_cast<platform::headless::HeadlessRichTextBox&>(box).undo();
    }
    void pressEnter(platform::RichTextBox& box) {
        dynamic_cast<platform::headless::HeadlessRichTextBox&>(box).type(u"\r\n");
    }
    void pressDelete(platform::RichTextBox& box) {
        dynamic_cast<platform::headless::HeadlessRichTextBox&>(box).deleteForward();
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, RichTextBoxContract, HeadlessControls);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, ControlContract, HeadlessControls);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, EditTransactionContract, HeadlessControls);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, ParagraphFormatContract, HeadlessControls);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, FigureContract, HeadlessControls);

}  // namespace pennory::testing::contract
