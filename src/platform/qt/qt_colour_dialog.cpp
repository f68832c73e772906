#include "platform/qt/qt_colour_dialog.h"

#include <QColorDialog>

namespace pennory::platform::qt {

QColor toQColor(text::Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

text::Colour fromQColor(const QColor& colour) {
    return text::rgb(colour.red(), colour.green(), colour.blue());
}

std::optional<text::Colour> showColourDialog(QWidget* owner, text::Colour initial) {
    QColorDialog dialog(toQColor(initial), owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQColor(dialog.selectedColor());
}

}  // namespace pennory::platform::qt
