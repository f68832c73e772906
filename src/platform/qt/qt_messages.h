#pragma once
// Message and input boxes on Qt, modal over the owner.

#include <QWidget>

#include "platform/services.h"

namespace pennory::platform::qt {

class QtMessages : public MessageService {
public:
    explicit QtMessages(QWidget* owner) : m_owner(owner) {}

    // No icon. Style 3: Yes (default), No, Cancel; Escape or the close box answer Cancel.
    // Style 4: Yes (default), No; Escape and the close box do nothing. Else OK alone.
    // (qt_message_box.cpp)
    int msgBox(std::u16string_view prompt, int style, std::u16string_view title) override;
    // Caption "Pennory", empty field, hidden echo when masked; "" on Cancel.
    // (qt_input_box.cpp)
    std::u16string inputBox(std::u16string_view prompt, bool masked) override;

private:
    QWidget* m_owner;
};

}  // namespace pennory::platform::qt
