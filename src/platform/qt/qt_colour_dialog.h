#pragma once
// The colour dialog: Qt's own, starting at the colour the common dialog holds.

#include <QColor>
#include <QWidget>
#include <optional>

#include "platform/qt/qt_conversions.h"
#include "platform/text/styled_text.h"

namespace pennory::platform::qt {

// The chosen colour, or nullopt when cancelled.
std::optional<text::Colour> showColourDialog(QWidget* owner, text::Colour initial);

}  // namespace pennory::platform::qt
