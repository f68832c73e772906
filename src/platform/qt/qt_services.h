#pragma once
// The desktop's services on Qt, one of each, owned together.

#include <QWidget>

#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_document_output.h"
#include "platform/qt/qt_find_panel.h"
#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_shell.h"
#include "platform/services.h"

namespace pennory::platform::qt {

// owner is the parent of the modal dialogs and the window whose focus widget takes the
// injected keys while no window is active (the main window).
class QtServices {
public:
    explicit QtServices(QWidget* owner = nullptr)
        : m_dialogs(owner), m_messages(owner), m_keys(owner), m_output(owner), m_findPanel(owner) {}

    Services services() {
        return {m_dialogs, m_messages, m_clipboard, m_keys, m_shell, m_program, nullptr, {},
                &m_output, &m_findPanel};
    }

    QtDialogs& dialogs() { return m_dialogs; }
    QtMessages& messages() { return m_messages; }
    QtClipboard& clipboard() { return m_clipboard; }
    QtKeys& keys() { return m_keys; }
    QtShell& shell() { return m_shell; }
    QtProgram& program() { return m_program; }
    QtDocumentOutput& output() { return m_output; }
    QtFindPanel& findPanel() { return m_findPanel; }

private:
    QtDialogs m_dialogs;
    QtMessages m_messages;
    QtClipboard m_clipboard;
    QtKeys m_keys;
    QtShell m_shell;
    QtProgram m_program;
    QtDocumentOutput m_output;
    QtFindPanel m_findPanel;
};

}  // namespace pennory::platform::qt
