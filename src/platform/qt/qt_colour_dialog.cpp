#include "platform/qt/qt_colour_dialog.h"

#include <QColorDialog>

namespace pennory::platform::qt {

std::optional<text::Colour> showColourDialog(QWidget* owner, text::Colour initial) {
    QColorDialog dialog(toQColor(initial), owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQColor(dialog.selectedColor());
}

}  // namespace pennory::platform::qt
