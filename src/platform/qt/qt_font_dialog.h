#pragma once
// The font dialog, set up as the common dialog asks.

#include <QWidget>
#include <optional>

#include "platform/services.h"

namespace pennory::platform::qt {

// The chosen font, or nullopt when cancelled. flags as the common dialog's: without
// kFontEffects the effects group is hidden and the choice keeps the initial underline and
// strikethrough.
std::optional<FontChoice> showFontDialog(QWidget* owner, const FontChoice& initial, int flags);

}  // namespace pennory::platform::qt
