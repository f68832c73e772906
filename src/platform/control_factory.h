#pragma once
// Creates the controls of the one window. The caller creates them back to front: a later
// sibling lies in front of an earlier one. parent nullptr means the window's client area.

#include <memory>
#include <vector>

#include "platform/controls.h"

namespace pennory::platform {

struct WindowEvents {
    Callback resized;                    // Form_Resize
    std::function<bool()> closeRequested;  // Form_QueryUnload: returns true to cancel
};

class ControlFactory {
public:
    virtual ~ControlFactory() = default;

    virtual Window& window() = 0;
    virtual void setWindowEvents(WindowEvents events) = 0;
    // The order in which Tab moves the keyboard focus, wrapping around; Shift+Tab goes back.
    // Hidden, disabled or unfocusable controls are passed over.
    virtual void setTabOrder(const std::vector<Control*>& order) = 0;

    virtual std::unique_ptr<Panel> createPanel(Control* parent) = 0;
    virtual std::unique_ptr<Button> createButton(Control* parent, Callback clicked) = 0;
    virtual std::unique_ptr<Label> createLabel(Control* parent, Callback clicked) = 0;
    virtual std::unique_ptr<TextBox> createTextBox(Control* parent, const text::CharFormat& font,
                                                   Callback clicked) = 0;
    // multiLine rich-text box with its default format
    virtual std::unique_ptr<RichTextBox> createRichTextBox(Control* parent,
                                                           const text::CharFormat& font,
                                                           Callback clicked) = 0;
    virtual std::unique_ptr<Image> createImage(Control* parent) = 0;
    // changed: every value change; scrolled: while the thumb is dragged
    virtual std::unique_ptr<ScrollBar> createScrollBar(Control* parent, bool horizontal,
                                                       Callback changed, Callback scrolled) = 0;
    virtual std::unique_ptr<TabStrip> createTabStrip(Control* parent) = 0;
    // A line of text along the window's bottom edge, below the client area: the window is as
    // much taller, and the client area keeps its size.
    virtual std::unique_ptr<Label> createStatusLine() = 0;

    // Menus: parent nullptr makes a menu of the menu bar. clicked may be empty for a menu that
    // only opens its items. A top-level menu without items runs clicked from the menu bar.
    virtual std::unique_ptr<MenuItem> createMenuItem(MenuItem* parent, std::u16string_view caption,
                                                     Callback clicked) = 0;
    // A separator line after the items parent has so far.
    virtual void addMenuSeparator(MenuItem& parent) = 0;
    // Toolbar buttons in order from left to right, in the toolbar band of the client area.
    virtual std::unique_ptr<ToolbarButton> createToolbarButton(std::u16string_view key,
                                                               std::u16string_view caption,
                                                               std::u16string_view toolTip,
                                                               Callback clicked) = 0;
};

}  // namespace pennory::platform
