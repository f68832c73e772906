#pragma once
// A one-line editable text box (the phrase boxes). A click takes the focus as usual in Qt;
// releasing the left button over the box then runs the handler.

#include <QLineEdit>

#include "platform/qt/qt_click.h"
#include "platform/qt/qt_control.h"

namespace pennory::platform::qt {

class ClickableLineEdit : public QLineEdit {
public:
    ClickableLineEdit(QWidget* parent, Callback clicked);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ClickReporter m_click;
};

class QtTextBox : public QtControl<TextBox, ClickableLineEdit> {
public:
    QtTextBox(QWidget* parent, const text::CharFormat& font, Callback clicked);

    std::u16string text() const override;
    // Replaces the text; the caret goes to the start, so that a phrase longer than the box
    // shows its beginning, and the box's undo history is cleared.
    void setText(std::u16string_view text) override;
};

}  // namespace pennory::platform::qt
