#pragma once
// A container with a white background (the side panel); it clips its children.

#include <QWidget>

#include "platform/qt/qt_control.h"

namespace pennory::platform::qt {

class QtPanel : public QtControl<Panel, QWidget> {
public:
    explicit QtPanel(QWidget* parent);
};

}  // namespace pennory::platform::qt
