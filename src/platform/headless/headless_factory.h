#pragma once
// Creates in-memory controls and keeps a view of them for tests (toolbar buttons by key,
// menu items by caption).

#include <map>

#include "platform/control_factory.h"
#include "platform/headless/headless_controls.h"

namespace pennory::platform::headless {

class HeadlessFactory : public ControlFactory {
public:
    HeadlessFactory() : m_window(m_focus, {}) {}

    Window& window() override { return m_window; }
    HeadlessWindow& headlessWindow() { return m_window; }
    void setWindowEvents(WindowEvents events) override { m_events = std::move(events); }
    const WindowEvents& windowEvents() const { return m_events; }
    FocusTracker& focus() { return m_focus; }
    void setTabOrder(const std::vector<Control*>& order) override { m_tabOrder = order; }
    const std::vector<Control*>& tabOrder() const { return m_tabOrder; }

    std::unique_ptr<Panel> createPanel(Control* parent) override;
    std::unique_ptr<Button> createButton(Control* parent, Callback clicked) override;
    std::unique_ptr<Label> createLabel(Control* parent, Callback clicked) override;
    std::unique_ptr<TextBox> createTextBox(Control* parent, const text::CharFormat& font,
                                           Callback clicked) override;
    std::unique_ptr<RichTextBox> createRichTextBox(Control* parent, const text::CharFormat& font,
                                                   Callback clicked) override;
    std::unique_ptr<Image> createImage(Control* parent) override;
    std::unique_ptr<ScrollBar> createScrollBar(Control* parent, bool horizontal, Callback changed,
                                               Callback scrolled) override;
    std::unique_ptr<TabStrip> createTabStrip(Control* parent) override;
    std::unique_ptr<Label> createStatusLine() override;
    std::unique_ptr<MenuItem> createMenuItem(MenuItem* parent, std::u16string_view caption,
                                             Callback clicked) override;
    void addMenuSeparator(MenuItem& parent) override;
    std::unique_ptr<ToolbarButton> createToolbarButton(std::u16string_view key,
                                                       std::u16string_view caption,
                                                       std::u16string_view toolTip,
                                                       Callback clicked) override;

    // The menu item with this caption under the given parent (nullptr: the menu bar).
    HeadlessMenuItem* menuItem(const MenuItem* parent, std::u16string_view caption) const;
    const MenuItem* menuParent(const MenuItem* item) const;
    // The captions of parent's items in their order, a separator line as kSeparatorLine.
    std::vector<std::u16string> menuLines(const MenuItem* parent) const;
    static constexpr std::u16string_view kSeparatorLine = u"-";

private:
    FocusTracker m_focus;
    HeadlessWindow m_window;
    WindowEvents m_events;
    std::vector<Control*> m_tabOrder;
    struct MenuEntry {
        const MenuItem* parent;
        std::u16string caption;
        HeadlessMenuItem* item;  // nullptr for a separator line
    };
    std::vector<MenuEntry> m_menus;
};

}  // namespace pennory::platform::headless
