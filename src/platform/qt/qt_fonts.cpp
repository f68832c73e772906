#include "platform/qt/qt_fonts.h"

#include <QStringList>

#include "platform/qt/qt_conversions.h"

namespace pennory::platform::qt {

QFont toQFont(const text::CharFormat& format) {
    QFont font(toQString(format.fontName));
    if (format.sizePt > 0) font.setPointSizeF(format.sizePt);
    font.setBold(format.bold);
    font.setItalic(format.italic);
    font.setUnderline(format.underline);
    font.setStrikeOut(format.strikethrough);
    return font;
}

QFont captionFont() { return toQFont(text::CharFormat{u"宋体", 9.0f}); }

void installFontSubstitutions() {
    // Song (serif) faces first, as SimSun is one; the sans face only if no serif one is there.
    const QStringList song = {QStringLiteral("Noto Serif CJK SC"),
                              QStringLiteral("Source Han Serif SC"),
                              QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Sans CJK SC")};
    for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("SimSun")}) {
        QFont::insertSubstitutions(name, song);
    }
}

}  // namespace pennory::platform::qt
