#include "platform/headless/headless_factory.h"

namespace pennory::platform::headless {

std::unique_ptr<Panel> HeadlessFactory::createPanel(Control*) {
    return std::make_unique<HeadlessPanel>(m_focus, Callback{});
}

std::unique_ptr<Button> HeadlessFactory::createButton(Control*, Callback clicked) {
    return std::make_unique<HeadlessButton>(m_focus, std::move(clicked));
}

std::unique_ptr<Label> HeadlessFactory::createLabel(Control*, Callback clicked) {
    return std::make_unique<HeadlessLabel>(m_focus, std::move(clicked));
}

std::unique_ptr<TextBox> HeadlessFactory::createTextBox(Control*, const text::CharFormat&,
                                                        Callback clicked) {
    return std::make_unique<HeadlessTextBox>(m_focus, std::move(clicked));
}

std::unique_ptr<RichTextBox> HeadlessFactory::createRichTextBox(Control*,
                                                                const text::CharFormat& font,
                                                                Callback clicked) {
    return std::make_unique<HeadlessRichTextBox>(m_focus, font, std::move(clicked));
}

std::unique_ptr<Image> HeadlessFactory::createImage(Control*) {
    return std::make_unique<HeadlessImage>(m_focus, Callback{});
}

std::unique_ptr<ScrollBar> HeadlessFactory::createScrollBar(Control*, bool, Callback changed,
                                                            Callback scrolled) {
    return std::make_unique<HeadlessScrollBar>(m_focus, std::move(changed), std::move(scrolled));
}

std::unique_ptr<TabStrip> HeadlessFactory::createTabStrip(Control*) {
    return std::make_unique<HeadlessTabStrip>(m_focus, Callback{});
}

std::unique_ptr<Label> HeadlessFactory::createStatusLine() {
    return std::make_unique<HeadlessLabel>(m_focus, Callback{});
}

std::unique_ptr<MenuItem> HeadlessFactory::createMenuItem(MenuItem* parent,
                                                          std::u16string_view caption,
                                                          Callback clicked) {
    auto item = std::make_unique<HeadlessMenuItem>(m_focus, std::move(clicked));
    item->setCaption(caption);
    m_menus.push_back({parent, std::u16string(caption), item.get()});
    return item;
}

void HeadlessFactory::addMenuSeparator(MenuItem& parent) {
    m_menus.push_back({&parent, std::u16string(kSeparatorLine), nullptr});
}

std::unique_ptr<ToolbarButton> HeadlessFactory::createToolbarButton(std::u16string_view key,
                                                                    std::u16string_view caption,
                                                                    std::u16string_view toolTip,
                                                                    Callback clicked) {
    auto button =
        std::make_unique<HeadlessToolbarButton>(m_focus, std::u16string(key), std::move(clicked));
    button->setCaption(caption);
    button->setToolTip(toolTip);
    return button;
}

HeadlessMenuItem* HeadlessFactory::menuItem(const MenuItem* parent,
                                            std::u16string_view caption) const {
    for (const auto& entry : m_menus) {
        if (entry.item && entry.parent == parent && entry.caption == caption) return entry.item;
    }
    return nullptr;
}

const MenuItem* HeadlessFactory::menuParent(const MenuItem* item) const {
    for (const auto& entry : m_menus) {
        if (entry.item && entry.item == item) return entry.parent;
    }
    return nullptr;
}

std::vector<std::u16string> HeadlessFactory::menuLines(const MenuItem* parent) const {
    std::vector<std::u16string> lines;
    for (const auto& entry : m_menus) {
        if (entry.parent == parent) lines.push_back(entry.caption);
    }
    return lines;
}

}  // namespace pennory::platform::headless
