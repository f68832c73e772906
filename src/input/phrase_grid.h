#pragma once
// The 51 phrase boxes: 17 rows of 3 over the side panel. Boxes 0 to 5 belong to the panel,
// the others to the window (they lie in front of the whole panel).

#include "platform/controls.h"

namespace pennory::input {

inline constexpr int kPhraseCount = 51;
inline constexpr int kPanelOwnedPhraseBoxes = 6;

// In the coordinates of the box's container (panel for 0 to 5, window otherwise).
inline constexpr platform::Geometry phraseBoxGeometry(int index) {
    const int row = index / 3;
    const int column = index % 3;
    const int panelLeft = 120 + 1440 * column;
    const int panelTop = 480 + 360 * row;
    if (index < kPanelOwnedPhraseBoxes) return {panelLeft, panelTop, 1335, 270};
    return {panelLeft + 120, panelTop + 720, 1335, 270};
}

}  // namespace pennory::input
