#pragma once
// The colour dialog: Qt's own, starting at the colour the common dialog holds.

#include <QColor>
#include <QWidget>
#include <optional>

#include "platform/text/styled_text.h"

namespace pennory::platform::qt {

// 0x00BBGGRR <-> QColor.
QColor toQColor(text::Colour colour);
text::Colour fromQColor(const QColor& colour);

// The chosen colour, or nullopt when cancelled.
std::optional<text::Colour> showColourDialog(QWidget* owner, text::Colour initial);

}  // namespace pennory::platform::qt
