#pragma once
// Conversions between the core's values and Qt's: UTF-16 strings, colours, and twips (15 to a
// logical pixel) to pixels and back.

#include <QColor>
#include <QRect>
#include <QString>
#include <cmath>
#include <string>
#include <string_view>

#include "platform/controls.h"

namespace pennory::platform::qt {

inline constexpr int kTwipsPerPixel = 15;

// Not QString::fromUtf16, which would take a leading U+FEFF for a byte-order mark and drop it.
inline QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

inline std::u16string toU16(const QString& text) { return text.toStdU16String(); }

// A caption as Qt shows it on a button, tab or menu: "&" marks a mnemonic for Qt but is a
// plain character in our captions.
inline QString toQtCaption(std::u16string_view caption) {
    return toQString(caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The core's 0x00BBGGRR and QColor.
inline QColor toQColor(text::Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

inline text::Colour fromQColor(const QColor& colour) {
    return text::rgb(colour.red(), colour.green(), colour.blue());
}

inline int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

inline int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// The rectangle's edges are rounded, not its size, so that controls whose edges meet in
// twips also meet in pixels. A negative size becomes zero.
inline QRect toPixels(const Geometry& g) {
    const int left = twipsToPixels(g.left);
    const int top = twipsToPixels(g.top);
    const int right = twipsToPixels(g.left + g.width);
    const int bottom = twipsToPixels(g.top + g.height);
    return QRect(left, top, right > left ? right - left : 0, bottom > top ? bottom - top : 0);
}

inline Geometry toTwips(const QRect& r) {
    return {pixelsToTwips(r.x()), pixelsToTwips(r.y()), pixelsToTwips(r.width()),
            pixelsToTwips(r.height())};
}

}  // namespace pennory::platform::qt
