#include "platform/qt/qt_factory.h"

#include <QMenuBar>

#include "platform/qt/qt_button.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/qt_label.h"
#include "platform/qt/qt_menu_item.h"
#include "platform/qt/qt_panel.h"
#include "platform/qt/qt_rich_text_box.h"
#include "platform/qt/qt_scroll_bar.h"
#include "platform/qt/qt_status_line.h"
#include "platform/qt/qt_tab_strip.h"
#include "platform/qt/qt_text_box.h"
#include "platform/qt/qt_toolbar_button.h"

namespace pennory::platform::qt {

namespace {

// Every control starts visible, also one made after the window was shown.
template <typename Control>
std::unique_ptr<Control> shown(std::unique_ptr<Control> control) {
    control->setVisible(true);
    return control;
}

}  // namespace

QtFactory::QtFactory()
    : m_window(std::make_unique<QtWindow>()),
      m_composition(new CompositionKeeper(m_window->widget())) {}

QtFactory::~QtFactory() = default;

Window& QtFactory::window() { return *m_window; }

void QtFactory::setWindowEvents(WindowEvents events) {
    mainWindow()->setWindowEvents(std::move(events));
}

void QtFactory::setTabOrder(const std::vector<Control*>& order) {
    // Qt keeps one ring of all the window's widgets; chaining these after one another puts
    // them in this order, and the widgets that take no focus close the ring.
    QWidget* previous = nullptr;
    for (Control* control : order) {
        QWidget* widget = control ? widgetOf(*control) : nullptr;
        if (!widget) continue;
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void QtFactory::setProgramEnded(std::function<bool()> ended) {
    mainWindow()->setProgramEnded(std::move(ended));
}

QtMainWindow* QtFactory::mainWindow() const { return m_window->widget(); }

QWidget* QtFactory::clientArea() const { return mainWindow()->clientArea(); }

QWidget* QtFactory::toolbarBand() const { return mainWindow()->clientArea()->toolbarBand(); }

QMenuBar* QtFactory::menuBar() const { return mainWindow()->menuBar(); }

QWidget* QtFactory::widgetOf(const Control& control) {
    const auto* own = dynamic_cast<const WidgetControl*>(&control);
    return own ? own->qwidget() : nullptr;
}

QAction* QtFactory::actionOf(const MenuItem& item) {
    const auto* own = dynamic_cast<const QtMenuItem*>(&item);
    return own ? own->action() : nullptr;
}

QMenu* QtFactory::menuOf(const MenuItem& item) {
    const auto* own = dynamic_cast<const QtMenuItem*>(&item);
    return own ? own->menu() : nullptr;
}

Callback QtFactory::committingFirst(Callback clicked) const {
    return m_composition ? m_composition->committingFirst(std::move(clicked)) : clicked;
}

QWidget* QtFactory::containerOf(Control* parent) const {
    if (!parent) return clientArea();
    QWidget* widget = widgetOf(*parent);
    return widget ? widget : clientArea();
}

std::unique_ptr<Panel> QtFactory::createPanel(Control* parent) {
    return shown(std::make_unique<QtPanel>(containerOf(parent)));
}

std::unique_ptr<Button> QtFactory::createButton(Control* parent, Callback clicked) {
    return shown(
        std::make_unique<QtButton>(containerOf(parent), committingFirst(std::move(clicked))));
}

std::unique_ptr<Label> QtFactory::createLabel(Control* parent, Callback clicked) {
    return shown(
        std::make_unique<QtLabel>(containerOf(parent), committingFirst(std::move(clicked))));
}

std::unique_ptr<TextBox> QtFactory::createTextBox(Control* parent, const text::CharFormat& font,
                                                  Callback clicked) {
    auto box =
        std::make_unique<QtTextBox>(containerOf(parent), font, committingFirst(std::move(clicked)));
    if (m_composition) m_composition->watch(box->widget());
    return shown(std::move(box));
}

std::unique_ptr<RichTextBox> QtFactory::createRichTextBox(Control* parent,
                                                          const text::CharFormat& font,
                                                          Callback clicked) {
    auto box = std::make_unique<QtRichTextBox>(containerOf(parent), font, std::move(clicked));
    if (m_composition) m_composition->watch(box->widget());
    return shown(std::move(box));
}

std::unique_ptr<Image> QtFactory::createImage(Control* parent) {
    return shown(std::make_unique<QtImage>(containerOf(parent)));
}

std::unique_ptr<ScrollBar> QtFactory::createScrollBar(Control* parent, bool horizontal,
                                                      Callback changed, Callback scrolled) {
    return shown(std::make_unique<QtScrollBar>(containerOf(parent), horizontal, std::move(changed),
                                               std::move(scrolled)));
}

std::unique_ptr<TabStrip> QtFactory::createTabStrip(Control* parent) {
    return shown(std::make_unique<QtTabStrip>(containerOf(parent)));
}

std::unique_ptr<Label> QtFactory::createStatusLine() {
    return shown(std::make_unique<QtStatusLine>(mainWindow()));
}

std::unique_ptr<MenuItem> QtFactory::createMenuItem(MenuItem* parent, std::u16string_view caption,
                                                    Callback clicked) {
    auto* owner = dynamic_cast<QtMenuItem*>(parent);
    QWidget* container = owner ? static_cast<QWidget*>(owner->makeMenu()) : menuBar();
    return std::make_unique<QtMenuItem>(container, caption, committingFirst(std::move(clicked)));
}

void QtFactory::addMenuSeparator(MenuItem& parent) {
    if (auto* owner = dynamic_cast<QtMenuItem*>(&parent)) owner->makeMenu()->addSeparator();
}

std::unique_ptr<ToolbarButton> QtFactory::createToolbarButton(std::u16string_view key,
                                                              std::u16string_view caption,
                                                              std::u16string_view toolTip,
                                                              Callback clicked) {
    auto button =
        std::make_unique<QtToolbarButton>(toolbarBand(), key, committingFirst(std::move(clicked)));
    button->setCaption(caption);
    button->setToolTip(toolTip);
    return shown(std::move(button));
}

}  // namespace pennory::platform::qt
