#pragma once
// Where the resizable controls go for a client area of W x H twips: the side panel keeps its
// width, the manuscript editor takes the rest of the width, both take the height between
// the toolbar band and the keypad row, and the keypad row sits 400 above the bottom edge.

#include <optional>

namespace pennory::app {

struct Layout {
    int editorWidth;
    int editorHeight;
    int keypadTop;
    int hScrollTop;  // in the panel

    bool operator==(const Layout&) const = default;
};

// nullopt while the window is minimized: the last layout stays. Below the limits of the rule
// (W < 4900, H < 1200) sizes are clamped at zero.
std::optional<Layout> computeLayout(int clientWidth, int clientHeight, bool minimized);

}  // namespace pennory::app
