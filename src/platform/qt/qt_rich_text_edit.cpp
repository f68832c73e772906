#include "platform/qt/qt_rich_text_edit.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenu>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QWheelEvent>

#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_figures.h"
#include "platform/qt/qt_file_drops.h"
#include "platform/qt/qt_paragraph_format.h"
#include "platform/qt/qt_rich_text_document.h"
#include "platform/qt/qt_steady_caret.h"

namespace pennory::platform::qt {

RichTextEdit::RichTextEdit(QWidget* parent, Callback clicked, Paste paste,
                           std::function<files::ClipboardPassage()> copy)
    : QTextEdit(parent),
      m_click(std::move(clicked)),
      m_paste(std::move(paste)),
      m_copy(std::move(copy)) {}

bool RichTextEdit::takesFile(const QMimeData* data) const {
    return m_dropped && droppedFile(data).has_value();
}

void RichTextEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (takesFile(event->mimeData())) {
        event->acceptProposedAction();
        return;
    }
    QTextEdit::dragEnterEvent(event);
}

void RichTextEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (takesFile(event->mimeData())) {
        event->acceptProposedAction();
        return;
    }
    QTextEdit::dragMoveEvent(event);
}

void RichTextEdit::dropEvent(QDropEvent* event) {
    if (takesFile(event->mimeData())) {
        event->acceptProposedAction();
        // The caret goes where the file was let go, as for dropped text, so that a picture
        // goes in there.
        setTextCursor(cursorForPosition(event->position().toPoint()));
        m_dropped(toU16(*droppedFile(event->mimeData())));
        return;
    }
    QTextEdit::dropEvent(event);
}

void RichTextEdit::keyPressEvent(QKeyEvent* event) {
    SteadyCaret::typed();
    if (zoomKey(event)) {
        event->accept();
        return;
    }
    if (!isReadOnly() && editKey(event)) {
        event->accept();
        ensureCursorVisible();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void RichTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    SteadyCaret::typed();
    QTextEdit::inputMethodEvent(event);
}

void RichTextEdit::wheelEvent(QWheelEvent* event) {
    if (!m_zoomRequested || !(event->modifiers() & Qt::ControlModifier)) {
        QTextEdit::wheelEvent(event);
        return;
    }
    event->accept();
    // A wheel notch is 120; touchpads send it in smaller parts.
    constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;
    m_wheelTurned += event->angleDelta().y();
    while (m_wheelTurned >= kNotch || m_wheelTurned <= -kNotch) {
        const bool up = m_wheelTurned > 0;
        m_wheelTurned += up ? -kNotch : kNotch;
        m_zoomRequested(up ? ZoomRequest::In : ZoomRequest::Out);
    }
}

bool RichTextEdit::zoomKey(QKeyEvent* event) {
    if (!m_zoomRequested) return false;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    const bool shift = modifiers & Qt::ShiftModifier;
    switch (event->key()) {
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            m_zoomRequested(ZoomRequest::In);
            return true;
        case Qt::Key_Minus:
            if (shift) return false;
            m_zoomRequested(ZoomRequest::Out);
            return true;
        case Qt::Key_0:
            if (shift) return false;
            m_zoomRequested(ZoomRequest::Reset);
            return true;
        default:
            return false;
    }
}

void RichTextEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QTextEdit::mouseDoubleClickEvent(event);
    m_click.doubleClicked(*event);
}

void RichTextEdit::mouseReleaseEvent(QMouseEvent* event) {
    QTextEdit::mouseReleaseEvent(event);
    m_click.released(*event, true);
}

bool RichTextEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void RichTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText()) return;
    const QString type = QString::fromLatin1(kStyledMimeType);
    std::optional<std::string> styled;
    if (source->hasFormat(type)) styled = source->data(type).toStdString();
    m_paste(toU16(source->text()), styled);
    ensureCursorVisible();
}

QMimeData* RichTextEdit::createMimeDataFromSelection() const {
    const files::ClipboardPassage passage = m_copy();
    auto* data = new QMimeData;
    data->setText(toQString(passage.text));
    if (passage.styled) {
        data->setData(
            QString::fromLatin1(kStyledMimeType),
            QByteArray(passage.styled->data(), static_cast<qsizetype>(passage.styled->size())));
    }
    return data;
}

// Enter always makes a paragraph break, also inside a block after a soft break, whose format
// QTextEdit would copy: the new paragraph takes the whole format of the one it splits. Backspace and Delete next to a soft break remove the character beyond
// it rather than the break, which is no character of the text.
bool RichTextEdit::editKey(QKeyEvent* event) {
    QTextCursor cursor = textCursor();
    if (event->matches(QKeySequence::InsertParagraphSeparator)) {
        cursor.beginEditBlock();
        cursor.removeSelectedText();
        cursor.insertBlock(splitParagraphFormat(cursor.block()),
                           withoutStandIn(cursor.charFormat()));
        cursor.endEditBlock();
        setTextCursor(cursor);
        return true;
    }
    if (cursor.hasSelection()) return false;
    const bool backspace = event->key() == Qt::Key_Backspace &&
                           !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    if (backspace && cursor.atBlockStart() && isSoftBreak(cursor.block())) {
        while (cursor.atBlockStart() && isSoftBreak(cursor.block())) {
            cursor.movePosition(QTextCursor::PreviousCharacter);
        }
        if (cursor.position() > 0) cursor.deletePreviousChar();
        setTextCursor(cursor);
        return true;
    }
    if (event->matches(QKeySequence::Delete) && cursor.atBlockEnd() &&
        isSoftBreak(cursor.block().next())) {
        while (cursor.atBlockEnd() && isSoftBreak(cursor.block().next())) {
            cursor.movePosition(QTextCursor::NextCharacter);
        }
        if (!cursor.atEnd()) cursor.deleteChar();
        setTextCursor(cursor);
        return true;
    }
    return false;
}

}  // namespace pennory::platform::qt

namespace pennory::platform::qt {

void RichTextEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The figure under the pointer: the object character on either side of where it points.
    int figureAt = -1;
    if (m_figureMenu) {
        const int at = cursorForPosition(event->pos()).position();
        for (const int candidate : {at, at - 1}) {
            if (candidate >= 0 && document()->characterAt(candidate) == QChar(text::kObjectCharacter) &&
                figureOf(formatOfCharAt(*document(), candidate))) {
                figureAt = candidate;
                break;
            }
        }
    }
    if (figureAt >= 0) {
        QTextCursor cursor = textCursor();
        cursor.setPosition(figureAt);
        cursor.setPosition(figureAt + 1, QTextCursor::KeepAnchor);
        setTextCursor(cursor);
    }
    QMenu* menu = createStandardContextMenu(event->pos());
    if (figureAt >= 0) {
        menu->addSeparator();
        QAction* width = menu->addAction(QStringLiteral("图片宽度…"));
        QObject::connect(width, &QAction::triggered, this, [this] {
            if (m_figureMenu) m_figureMenu();
        });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

}  // namespace pennory::platform::qt
