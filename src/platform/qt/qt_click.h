#pragma once
// A click as the window's handlers know it: the left button released over the widget. A
// double-click is still one click: Qt reports its second press as a double-click event, and
// the release that follows it reports nothing more, so one gesture inserts a term once.

#include <QMouseEvent>
#include <utility>

#include "platform/controls.h"

namespace pennory::platform::qt {

class ClickReporter {
public:
    explicit ClickReporter(Callback clicked) : m_clicked(std::move(clicked)) {}

    // From the widget's mouseDoubleClickEvent.
    void doubleClicked(const QMouseEvent& event) {
        if (event.button() == Qt::LeftButton) m_secondPress = true;
    }
    // From the widget's mouseReleaseEvent; over: whether the release counts as over the widget.
    void released(const QMouseEvent& event, bool over) {
        if (event.button() != Qt::LeftButton) return;
        const bool second = std::exchange(m_secondPress, false);
        if (over && !second && m_clicked) m_clicked();
    }

private:
    Callback m_clicked;
    bool m_secondPress = false;
};

}  // namespace pennory::platform::qt
