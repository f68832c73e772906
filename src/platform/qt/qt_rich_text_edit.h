#pragma once
// The rich-text box's widget: a click reports to the behaviour, and the clipboard and drag
// and drop carry the selection's text and, beside it when the box gives it, Pennory's own
// form of the passage (kStyledMimeType); what comes in goes to the box to be pasted. Keys
// that edit next to a soft break act on the text as the writer sees it. The caret holds still
// while the writer types.

#include <QTextEdit>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/files/clipboard_passage.h"
#include "platform/qt/qt_click.h"

namespace pennory::platform::qt {

class RichTextEdit : public QTextEdit {
public:
    // Pastes the text offered (line breaks as they came) with the styled bytes beside it,
    // if any, at the selection.
    using Paste = std::function<void(std::u16string_view, const std::optional<std::string>&)>;
    // copy gives what the selection puts on the clipboard.
    RichTextEdit(QWidget* parent, Callback clicked, Paste paste,
                 std::function<files::ClipboardPassage()> copy);

    // A file from a file manager is reported by its path, the caret first put where it was
    // let go; anything else is dropped as text.
    void setFileDropped(FileDropped dropped) { m_dropped = std::move(dropped); }
    // Ctrl with the wheel over the box, and Ctrl+= (also Ctrl++ and Ctrl+Shift+=), Ctrl+- and
    // Ctrl+0 while it has the focus, are reported instead of QTextEdit's own zoom of the
    // default font only.
    void setZoomRequested(ZoomRequested requested) { m_zoomRequested = std::move(requested); }
    // The context menu over a figure selects it and offers "图片宽度…", which calls
    // figureMenu; without a handler the menu is the standard one.
    void setFigureMenu(Callback figureMenu) { m_figureMenu = std::move(figureMenu); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    bool editKey(QKeyEvent* event);
    bool zoomKey(QKeyEvent* event);
    bool takesFile(const QMimeData* data) const;

    ClickReporter m_click;
    Paste m_paste;
    std::function<files::ClipboardPassage()> m_copy;
    FileDropped m_dropped;
    ZoomRequested m_zoomRequested;
    Callback m_figureMenu;
    int m_wheelTurned = 0;  // the part of a wheel notch not yet reported
};

}  // namespace pennory::platform::qt
