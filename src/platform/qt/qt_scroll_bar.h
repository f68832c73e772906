#pragma once
// A scroll bar from 0 to its maximum. While the writer drags the thumb, each move runs the
// "scrolled" handler and value() follows the thumb; when the value has changed (a click on
// an arrow or the track, a key, the end of a drag) the "changed" handler runs. setValue()
// runs neither.

#include <QScrollBar>

#include "platform/qt/qt_control.h"

namespace pennory::platform::qt {

class QtScrollBar : public QtControl<ScrollBar, QScrollBar> {
public:
    QtScrollBar(QWidget* parent, bool horizontal, Callback changed, Callback scrolled);

    int value() const override;
    void setValue(int value) override;  // clamped to 0..max
    int max() const override;
    void setMax(int max) override;  // below 0 the bar keeps 0
    void setSteps(int smallStep, int largeStep) override;

private:
    int m_max = 32767;
};

}  // namespace pennory::platform::qt
