#pragma once
// A push button (the keypad): its caption in SimSun 9 pt; a click runs the handler.

#include <QPushButton>

#include "platform/qt/qt_control.h"

namespace pennory::platform::qt {

class QtButton : public QtControl<Button, QPushButton> {
public:
    QtButton(QWidget* parent, Callback clicked);
    void setCaption(std::u16string_view caption) override;
};

}  // namespace pennory::platform::qt
