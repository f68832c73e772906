#include "app/layout.h"

#include <algorithm>

namespace pennory::app {

std::optional<Layout> computeLayout(int clientWidth, int clientHeight, bool minimized) {
    if (minimized) return std::nullopt;
    // The rule works in single precision; on whole twips the results are exact.
    const float w = static_cast<float>(clientWidth);
    const float h = static_cast<float>(clientHeight);
    const int editorWidth = std::max(0, static_cast<int>(w - 4900.0f));
    const int editorHeight = std::max(0, static_cast<int>(h - 1200.0f));
    return Layout{editorWidth, editorHeight, static_cast<int>(h - 400.0f), editorHeight - 300};
}

}  // namespace pennory::app
