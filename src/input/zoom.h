#pragma once
// Zoom of the two rich-text boxes, a view setting only: each box keeps its own, the status
// line shows the one of the box last zoomed, and nothing of it reaches the document, a saved
// file or the next run.

#include "platform/controls.h"

namespace pennory::app {
class Form1;
}

namespace pennory::input {

inline constexpr int kZoomStepPercent = 10;

// The zoom a request leads to from percent: In and Out one step of 10 % up or down, Reset
// 100 %; always within platform::kMinZoomPercent..kMaxZoomPercent.
int zoomAfter(int percent, platform::ZoomRequest request);

// Answers a zoom gesture over box (one of the form's rich-text boxes) and shows its new zoom.
void zoom(app::Form1& form, platform::RichTextBox& box, platform::ZoomRequest request);

}  // namespace pennory::input
