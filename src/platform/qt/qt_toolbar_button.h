#pragma once
// A toolbar button: its caption as text (no image), its key, its tooltip. The toolbar band
// lines its buttons up from left to right in the order they are made.

#include <QToolButton>

#include "platform/qt/qt_control.h"

namespace pennory::platform::qt {

class QtToolbarButton : public QtControl<ToolbarButton, QToolButton> {
public:
    // band: the toolbar band, whose layout the button joins at the right end.
    QtToolbarButton(QWidget* band, std::u16string_view key, Callback clicked);
    std::u16string key() const override { return m_key; }
    void setCaption(std::u16string_view caption) override;

private:
    std::u16string m_key;
};

}  // namespace pennory::platform::qt
