#pragma once
// Fonts of the window's controls.

#include <QFont>

#include "platform/text/styled_text.h"

namespace pennory::platform::qt {

// A character format's font: name, size in points, bold, italic, underline, strikethrough.
QFont toQFont(const text::CharFormat& format);

// SimSun at 9 points: the captions of the keypad, the word bank and the toolbar.
QFont captionFont();

// The window asks for "宋体" (SimSun), and the font dialog offers 黑体, 楷体 and 仿宋 as well,
// which Linux desktops do not have: Qt draws each, under its Chinese or English name, with an
// installed CJK face of its style. Call once, before any widget is made.
void installFontSubstitutions();

}  // namespace pennory::platform::qt
