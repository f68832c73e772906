#pragma once
// The zoom of a rich-text box: its document is laid out for a device whose logical DPI is the
// screen's times the zoom. The layout turns point sizes into pixels and scales the document
// margin and the space around paragraphs by that DPI, as it does for a printer, while the
// document's own formats, its undo stack and its text stay untouched. (Qt 6.4 does not scale
// the left, right and first-line indents with it; the editor's layout does as Qt does.)

#include <QPaintDevice>
#include <QPointer>
#include <QTextEdit>

namespace pennory::platform::qt {

class ZoomDevice : public QPaintDevice {
public:
    // Measures as edit's screen does at percent.
    ZoomDevice(const QTextEdit& edit, int percent);

    // Nothing is ever painted on it: the box paints on its viewport with the layout's fonts.
    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int scaled(int value) const { return (value * m_percent + 50) / 100; }

    QPointer<const QWidget> m_screen;
    int m_percent;
};

// Lays edit's document out afresh for device (null: the screen itself), lazily: only what is
// shown is laid out at once. The document does not change: no contentsChange, no undo step, no
// modification.
void zoomLayout(QTextEdit& edit, ZoomDevice* device);

}  // namespace pennory::platform::qt
