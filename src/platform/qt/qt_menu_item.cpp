#include "platform/qt/qt_menu_item.h"

#include <QKeySequence>

#include "platform/qt/qt_conversions.h"

namespace pennory::platform::qt {

QtMenuItem::QtMenuItem(QWidget* container, std::u16string_view caption, Callback clicked)
    : m_container(container), m_action(new QAction(container)), m_caption(caption) {
    m_action->setText(toQtCaption(caption));
    if (clicked) QObject::connect(m_action, &QAction::triggered, [clicked] { clicked(); });
    container->addAction(m_action);
}

QtMenuItem::~QtMenuItem() {
    delete m_menu.data();  // with the items' actions, which it parents
    delete m_action.data();
}

QMenu* QtMenuItem::makeMenu() {
    if (m_menu) return m_menu;
    auto* menu = new QMenu(toQtCaption(m_caption), m_container);
    menu->setAccessibleName(toQString(m_accessibleName));
    QAction* opener = menu->menuAction();
    opener->setEnabled(m_action->isEnabled());
    opener->setVisible(m_action->isVisible());
    if (!m_toolTip.empty()) opener->setToolTip(toQString(m_toolTip));
    m_container->insertAction(m_action, opener);
    delete m_action.data();  // leaves the container with it
    m_action = opener;
    m_menu = menu;
    return menu;
}

bool QtMenuItem::visible() const { return m_action->isVisible(); }

void QtMenuItem::setVisible(bool visible) { m_action->setVisible(visible); }

bool QtMenuItem::enabled() const { return m_action->isEnabled(); }

void QtMenuItem::setEnabled(bool enabled) { m_action->setEnabled(enabled); }

void QtMenuItem::setCaption(std::u16string_view caption) {
    m_caption = caption;
    m_action->setText(toQtCaption(caption));
}

void QtMenuItem::setToolTip(std::u16string_view tip) {
    m_toolTip = tip;
    m_action->setToolTip(toQString(tip));
}

void QtMenuItem::setAccessibleName(std::u16string_view name) {
    m_accessibleName = name;
    if (m_menu) m_menu->setAccessibleName(toQString(name));
}

void QtMenuItem::setShortcut(std::u16string_view keys) {
    m_shortcut = keys;
    // The portable form, so that "Ctrl+P" reads the same whatever the desktop's language.
    m_action->setShortcut(QKeySequence(toQString(keys), QKeySequence::PortableText));
    // The window's shortcut, also while a dialog-less child (the editor) has the focus.
    m_action->setShortcutContext(Qt::WindowShortcut);
}

}  // namespace pennory::platform::qt
