#include "platform/qt/qt_text_box.h"

#include <QMouseEvent>
#include <limits>

#include "platform/qt/qt_file_drops.h"
#include "platform/qt/qt_fonts.h"

namespace pennory::platform::qt {

ClickableLineEdit::ClickableLineEdit(QWidget* parent, Callback clicked)
    : QLineEdit(parent), m_click(std::move(clicked)) {}

void ClickableLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    m_click.doubleClicked(*event);
}

void ClickableLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    m_click.released(*event, rect().contains(event->position().toPoint()));
}

QtTextBox::QtTextBox(QWidget* parent, const text::CharFormat& font, Callback clicked)
    : QtControl(new ClickableLineEdit(parent, std::move(clicked))) {
    m_widget->setFont(toQFont(font));
    usePaperColours(m_widget);
    // QLineEdit would cut a longer phrase at 32767 characters.
    m_widget->setMaxLength(std::numeric_limits<int>::max());
}

std::u16string QtTextBox::text() const { return toU16(m_widget->text()); }

void QtTextBox::setText(std::u16string_view text) {
    m_widget->setText(toQString(text));
    m_widget->setCursorPosition(0);
}

}  // namespace pennory::platform::qt
