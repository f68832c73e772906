#pragma once
// The desktop's services on Qt: Qt's own (non-native) dialogs, message and input boxes, the
// system clipboard, key events sent to the focused widget, the desktop's URL handlers, and
// the program's folders.

#include <QColor>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "platform/services.h"

namespace pennory::platform::qt {

// Qt name filters for the entries of a file dialog, in order. An entry shows its label and
// matches its patterns; a label that already ends in "(" + patterns + ")" is used as it is.
// "*.*" becomes "*", since on Linux a file need not have a dot in its name.
QStringList qtNameFilters(const std::vector<FileFilter>& entries);

// 0x00BBGGRR <-> QColor.
QColor toQColor(text::Colour colour);
text::Colour fromQColor(const QColor& colour);

class QtDialogs : public DialogService {
public:
    explicit QtDialogs(QWidget* owner) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    std::optional<std::u16string> showOpen(const FileDialogRequest& request) override;
    std::optional<std::u16string> showSave(const FileDialogRequest& request) override;
    // flags as the font dialog's: without 256 (effects) the effects group is hidden and the
    // choice keeps the initial underline and strikethrough.
    std::optional<FontChoice> showFont(const FontChoice& initial, int flags) override;
    std::optional<text::Colour> showColor(text::Colour initial, int flags) override;

private:
    std::optional<std::u16string> showFile(const FileDialogRequest& request, bool save);

    QWidget* m_owner;
};

class QtMessages : public MessageService {
public:
    explicit QtMessages(QWidget* owner) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    // No icon. Style 3: Yes (default), No, Cancel; Escape or the close box answer Cancel.
    // Style 4: Yes (default), No; Escape and the close box do nothing. Else OK alone.
    int msgBox(std::u16string_view prompt, int style, std::u16string_view title) override;
    // Caption "Pennory", empty field, hidden echo when masked; "" on Cancel.
    std::u16string inputBox(std::u16string_view prompt, bool masked) override;

private:
    QWidget* m_owner;
};

// The system clipboard, plain text only.
class QtClipboard : public ClipboardService {
public:
    bool clear() override;
    bool setText(std::u16string_view text) override;
    std::optional<std::u16string> text() override;
};

// "^{z}" and "{delete}" as key presses and releases sent synchronously to
// QApplication::focusWidget(); nothing without a focused widget.
class QtKeys : public KeyService {
public:
    void sendKeys(std::u16string_view keys) override;
};

// "open" of a URL with a scheme (mailto:...) or of an existing file relative to directory,
// through QDesktopServices. A missing file is ignored.
class QtShell : public ShellService {
public:
    // How a URL is handed to the desktop; QDesktopServices::openUrl unless given.
    using Opener = std::function<void(const QUrl&)>;
    explicit QtShell(Opener opener = {});

    void shellExecute(std::u16string_view operation, std::u16string_view file,
                      std::u16string_view parameters, const std::filesystem::path& directory,
                      int showCommand) override;

private:
    Opener m_open;
};

// end() marks the program as ended and leaves the event loop once the running handler has
// returned, without asking the windows to close: a window that closes all the same must
// check ended() and then skip its close prompt.
class QtProgram : public ProgramService {
public:
    void end() override;
    bool ended() const override { return m_ended; }
    std::filesystem::path executableDir() const override;
    std::filesystem::path dataDir() const override;
    // From $XDG_CONFIG_HOME or $HOME (platform/user_paths.h).
    std::filesystem::path passwordFile() const override;
    // From the working folder, $XDG_DATA_HOME or $HOME (platform/user_paths.h).
    std::filesystem::path phraseFile() const override;

private:
    bool m_ended = false;
};

// Owns one of each service. owner is the parent of the modal dialogs (the main window); it
// may be null at first and set later.
class QtServices {
public:
    explicit QtServices(QWidget* owner = nullptr);
    void setOwner(QWidget* owner);

    Services services() { return {m_dialogs, m_messages, m_clipboard, m_keys, m_shell, m_program}; }

    QtDialogs& dialogs() { return m_dialogs; }
    QtMessages& messages() { return m_messages; }
    QtClipboard& clipboard() { return m_clipboard; }
    QtKeys& keys() { return m_keys; }
    QtShell& shell() { return m_shell; }
    QtProgram& program() { return m_program; }

private:
    QtDialogs m_dialogs;
    QtMessages m_messages;
    QtClipboard m_clipboard;
    QtKeys m_keys;
    QtShell m_shell;
    QtProgram m_program;
};

}  // namespace pennory::platform::qt
