#pragma once
// A clickable label (the word bank): white background, SimSun 9 pt, its caption wrapped in
// its area from the top. Releasing the left button over it runs the handler; it never takes
// the focus.

#include <QLabel>

#include "platform/qt/qt_click.h"
#include "platform/qt/qt_control.h"

namespace pennory::platform::qt {

class ClickableLabel : public QLabel {
public:
    ClickableLabel(QWidget* parent, Callback clicked);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Lines one em apart, as SimSun sets them; the CJK faces that stand in for it have
    // taller lines and wider Latin letters, which would not fit a label measured for SimSun.
    void paintEvent(QPaintEvent* event) override;

private:
    ClickReporter m_click;
};

class QtLabel : public QtControl<Label, ClickableLabel> {
public:
    QtLabel(QWidget* parent, Callback clicked);
    void setCaption(std::u16string_view caption) override;
};

}  // namespace pennory::platform::qt
