#pragma once
// A menu item: an action on the menu bar or in its parent's menu. An item starts as a plain
// action, which runs the handler when chosen (a top-level one straight from the menu bar);
// once it is given items of its own it becomes a submenu at the same place, which only opens.

#include <QAction>
#include <QMenu>
#include <QPointer>

#include "platform/controls.h"

namespace pennory::platform::qt {

class QtMenuItem : public MenuItem {
public:
    // container: the menu bar, or the menu of the parent item.
    QtMenuItem(QWidget* container, std::u16string_view caption, Callback clicked);
    ~QtMenuItem() override;
    QtMenuItem(const QtMenuItem&) = delete;
    QtMenuItem& operator=(const QtMenuItem&) = delete;

    // The action that stands for the item in its container.
    QAction* action() const { return m_action.data(); }
    // The menu the item opens; nullptr while it has no items.
    QMenu* menu() const { return m_menu.data(); }
    // The menu to put the item's own items in; made on first use.
    QMenu* makeMenu();

    bool visible() const override;
    void setVisible(bool visible) override;
    bool enabled() const override;
    void setEnabled(bool enabled) override;
    std::u16string caption() const override { return m_caption; }
    void setCaption(std::u16string_view caption) override;
    std::u16string toolTip() const override { return m_toolTip; }
    void setToolTip(std::u16string_view tip) override;
    Geometry geometry() const override { return {}; }  // menus place themselves
    void setGeometry(const Geometry&) override {}
    void setFocus() override {}
    bool hasFocus() const override { return false; }
    // Screen readers name a menu entry by its caption; the name is given to the item's menu.
    void setAccessibleName(std::u16string_view name) override;
    void setShortcut(std::u16string_view keys) override;
    std::u16string shortcut() const override { return m_shortcut; }

private:
    QPointer<QWidget> m_container;
    QPointer<QAction> m_action;
    QPointer<QMenu> m_menu;
    std::u16string m_caption;
    std::u16string m_toolTip;
    std::u16string m_accessibleName;
    std::u16string m_shortcut;
};

}  // namespace pennory::platform::qt
