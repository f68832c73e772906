#include "platform/qt/qt_fonts.h"

#include <QStringList>
#include <utility>

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
    // Each Chinese face under its Chinese and its English name, drawn with the installed faces
    // of its style, the first found first: Song (serif) for SimSun, Hei (sans) for SimHei, Kai
    // faces where installed for KaiTi, and for it and FangSong, which free desktops rarely
    // have, the Song faces they are closest to.
    const QStringList song = {QStringLiteral("Noto Serif CJK SC"),
                              QStringLiteral("Source Han Serif SC"),
                              QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Sans CJK SC")};
    const QStringList hei = {
        QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
        QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("WenQuanYi Micro Hei")};
    const QStringList kai =
        QStringList{QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL KaitiM GB")} + song;
    const std::pair<QStringList, QStringList> faces[] = {
        {{QStringLiteral("宋体"), QStringLiteral("SimSun")}, song},
        {{QStringLiteral("黑体"), QStringLiteral("SimHei")}, hei},
        {{QStringLiteral("楷体"), QStringLiteral("KaiTi")}, kai},
        {{QStringLiteral("仿宋"), QStringLiteral("FangSong")}, song},
    };
    for (const auto& [names, installed] : faces) {
        for (const QString& name : names) QFont::insertSubstitutions(name, installed);
    }
}

}  // namespace pennory::platform::qt
