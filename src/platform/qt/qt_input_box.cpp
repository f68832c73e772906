#include <QInputDialog>

#include "platform/qt/qt_conversions.h"
#include "platform/qt/qt_messages.h"

namespace pennory::platform::qt {

std::u16string QtMessages::inputBox(std::u16string_view prompt, bool masked) {
    QInputDialog dialog(m_owner);
    dialog.setOption(QInputDialog::UsePlainTextEditForTextInput, false);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(QStringLiteral("Pennory"));
    dialog.setLabelText(toQString(prompt));
    dialog.setTextValue(QString());
    dialog.setTextEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    if (dialog.exec() != QDialog::Accepted) return {};
    return toU16(dialog.textValue());
}

}  // namespace pennory::platform::qt
