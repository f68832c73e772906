#pragma once
// Makes the window's controls as Qt widgets in one QMainWindow. A control is a child widget
// of its parent's widget (the client area for parent nullptr), in front of the siblings made
// before it. The factory owns the window; every control must be destroyed before it.
// Before a click of a button, label, text box, menu item or toolbar button reaches its
// handler, the input method's open composition is committed into the box it belongs to.

#include <QMainWindow>
#include <functional>
#include <memory>

#include "platform/control_factory.h"
#include "platform/qt/qt_composition.h"
#include "platform/qt/qt_main_window.h"

class QAction;
class QWidget;
class QMenu;
class QMenuBar;

namespace pennory::platform::qt {

class QtFactory : public ControlFactory {
public:
    QtFactory();
    ~QtFactory() override;

    Window& window() override;
    void setWindowEvents(WindowEvents events) override;
    void setTabOrder(const std::vector<Control*>& order) override;
    // Tells the window whether ProgramService::end() has been called: closing after that
    // does not raise the close prompt.
    void setProgramEnded(std::function<bool()> ended);

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

    // The real widgets, for main() and for tests.
    QtMainWindow* mainWindow() const;
    QWidget* clientArea() const;
    QWidget* toolbarBand() const;
    QMenuBar* menuBar() const;
    // The widget that shows a control made here (the main window for window()); nullptr for
    // a menu item or a control made elsewhere.
    static QWidget* widgetOf(const Control& control);
    // A menu item's action on the menu bar or in its parent's menu, and the menu it opens
    // (nullptr while it has no items); nullptr for an item made elsewhere.
    static QAction* actionOf(const MenuItem& item);
    static QMenu* menuOf(const MenuItem& item);

private:
    QWidget* containerOf(Control* parent) const;
    Callback committingFirst(Callback clicked) const;

    std::unique_ptr<QtWindow> m_window;
    QPointer<CompositionKeeper> m_composition;  // a child of the main window
};

}  // namespace pennory::platform::qt
