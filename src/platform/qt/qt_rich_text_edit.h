#pragma once
// The rich-text box's widget: a click reports to the behaviour, and the clipboard and drag
// and drop carry plain text only, pasted with its line breaks as paragraph breaks. Keys that
// edit next to a soft break act on the text as the writer sees it.

#include <QTextEdit>
#include <functional>
#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/qt/qt_click.h"

namespace pennory::platform::qt {

class RichTextEdit : public QTextEdit {
public:
    // paste inserts text in the core's form (CR LF line breaks) at the selection; copy gives
    // the selection's plain text for the clipboard.
    RichTextEdit(QWidget* parent, Callback clicked, std::function<void(std::u16string_view)> paste,
                 std::function<std::u16string()> copy);

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
    std::function<void(std::u16string_view)> m_paste;
    std::function<std::u16string()> m_copy;
    FileDropped m_dropped;
    ZoomRequested m_zoomRequested;
    Callback m_figureMenu;
    int m_wheelTurned = 0;  // the part of a wheel notch not yet reported
};

}  // namespace pennory::platform::qt
