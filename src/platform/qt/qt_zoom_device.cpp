#include "platform/qt/qt_zoom_device.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

namespace pennory::platform::qt {

namespace {

// QAbstractTextDocumentLayout::documentChanged is protected; a layout told that the whole
// document was inserted starts the same lazy layout QTextDocument::setPlainText starts, where
// QTextDocument::markContentsDirty would relayout every block at once and report a change.
struct LayoutAccess : QAbstractTextDocumentLayout {
    static void relayout(QAbstractTextDocumentLayout& layout, int length) {
        auto changed = &LayoutAccess::documentChanged;
        (layout.*changed)(0, 0, length);
    }
};

}  // namespace

ZoomDevice::ZoomDevice(const QTextEdit& edit, int percent)
    : m_screen(edit.viewport()), m_percent(percent) {}

int ZoomDevice::metric(PaintDeviceMetric metric) const {
    const QWidget* screen = m_screen.data();
    switch (metric) {
        case PdmDpiX:
            return scaled(screen ? screen->logicalDpiX() : 96);
        case PdmDpiY:
            return scaled(screen ? screen->logicalDpiY() : 96);
        case PdmPhysicalDpiX:
            return scaled(screen ? screen->physicalDpiX() : 96);
        case PdmPhysicalDpiY:
            return scaled(screen ? screen->physicalDpiY() : 96);
        case PdmDevicePixelRatio:
            return screen ? qRound(screen->devicePixelRatio()) : 1;
        case PdmDevicePixelRatioScaled:
            return qRound((screen ? screen->devicePixelRatio() : 1.0) * devicePixelRatioFScale());
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        // The layout never asks for the size; the viewport's will do.
        case PdmWidth:
            return screen ? screen->width() : 0;
        case PdmHeight:
            return screen ? screen->height() : 0;
        case PdmWidthMM:
            return screen ? screen->widthMM() : 0;
        case PdmHeightMM:
            return screen ? screen->heightMM() : 0;
        default:
            return 0;
    }
}

void zoomLayout(QTextEdit& edit, ZoomDevice* device) {
    QTextDocument* document = edit.document();
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    layout->setPaintDevice(device);
    LayoutAccess::relayout(*layout, document->characterCount());
    edit.viewport()->update();
}

}  // namespace pennory::platform::qt
