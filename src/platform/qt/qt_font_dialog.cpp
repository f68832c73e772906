#include "platform/qt/qt_font_dialog.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QGroupBox>

#include "platform/common_dialog.h"
#include "platform/qt/qt_conversions.h"

namespace pennory::platform::qt {

std::optional<FontChoice> showFontDialog(QWidget* owner, const FontChoice& initial, int flags) {
    QFont font;
    font.setFamilies(QStringList{toQString(initial.name)});
    if (initial.size > 0) font.setPointSizeF(initial.size);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setUnderline(initial.underline);
    font.setStrikeOut(initial.strikethrough);

    QFontDialog dialog(owner);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setCurrentFont(font);
    const bool effects = (flags & kFontEffects) != 0;
    if (!effects) {
        // The effects group is the one holding the strikeout and underline boxes.
        for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
            if (!group->findChildren<QCheckBox*>().isEmpty()) group->hide();
        }
    }
    // The dialog lists installed faces and whole sizes only: what the writer leaves as the
    // dialog first showed it keeps the value it came with ("宋体", 10.5).
    const QFont shown = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QFont chosen = dialog.selectedFont();

    FontChoice out = initial;
    if (chosen.family() != shown.family()) out.name = toU16(chosen.family());
    if (chosen.pointSizeF() != shown.pointSizeF())
        out.size = static_cast<float>(chosen.pointSizeF());
    if (chosen.bold() != shown.bold()) out.bold = chosen.bold();
    if (chosen.italic() != shown.italic()) out.italic = chosen.italic();
    if (effects) {
        out.underline = chosen.underline();
        out.strikethrough = chosen.strikeOut();
    }
    return out;
}

}  // namespace pennory::platform::qt
