// The contract suites over the Qt controls, made by a QtFactory whose window is not shown.

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include "platform/contract/controls_contract.h"
#include "platform/contract/edit_transaction_contract.h"
#include "platform/contract/figure_contract.h"
#include "platform/contract/paragraph_format_contract.h"
#include "platform/contract/rich_text_box_contract.h"
#include "platform/qt/qt_factory.h"
#include "platform/qt/qt_keys.h"

namespace pennory::testing::contract {
namespace {

struct QtControls {
    platform::qt::QtFactory m_factory;

    platform::ControlFactory& factory() { return m_factory; }
    static std::pair<int, int> steps(platform::ScrollBar& bar) {
        const auto* widget =
            qobject_cast<const QScrollBar*>(platform::qt::QtFactory::widgetOf(bar));
        return widget ? std::make_pair(widget->singleStep(), widget->pageStep())
                      : std::make_pair(-1, -1);
    }
    // The key goes where the writer's would: the window is shown and active, the box focused.
    void pressCtrlZ(platform::RichTextBox& box) { press(box, u"^{z}"); }
    void pressEnter(platform::RichTextBox& box) { press(box, u"{enter}"); }
    void pressDelete(platform::RichTextBox& box) { press(box, u"{del}"); }
    void press(platform::RichTextBox& box, std::u16string_view keys) {
        QWidget* window = m_factory.mainWindow();
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        box.setFocus();
        platform::qt::QtKeys(window).sendKeys(keys);
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, RichTextBoxContract, QtControls);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, ControlContract, QtControls);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, EditTransactionContract, QtControls);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, ParagraphFormatContract, QtControls);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, FigureContract, QtControls);

}  // namespace pennory::testing::contract
