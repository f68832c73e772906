#pragma once
// Keystrokes sent to the focused widget.

#include "platform/services.h"

namespace pennory::platform::qt {

// "^{z}" and "{delete}" (qt_key_strings.h) as key presses and releases sent synchronously to
// QApplication::focusWidget(); nothing without a focused widget.
class QtKeys : public KeyService {
public:
    void sendKeys(std::u16string_view keys) override;
};

}  // namespace pennory::platform::qt
