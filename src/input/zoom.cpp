#include "input/zoom.h"

#include <algorithm>

#include "app/form1.h"

namespace pennory::input {

int zoomAfter(int percent, platform::ZoomRequest request) {
    using platform::ZoomRequest;
    int next = 100;
    switch (request) {
        case ZoomRequest::In:
            next = percent + kZoomStepPercent;
            break;
        case ZoomRequest::Out:
            next = percent - kZoomStepPercent;
            break;
        case ZoomRequest::Reset:
            next = 100;
            break;
    }
    return std::clamp(next, platform::kMinZoomPercent, platform::kMaxZoomPercent);
}

void zoom(app::Form1& form, platform::RichTextBox& box, platform::ZoomRequest request) {
    box.setZoomPercent(zoomAfter(box.zoomPercent(), request));
    form.setZoomShown(box.zoomPercent());
}

}  // namespace pennory::input
