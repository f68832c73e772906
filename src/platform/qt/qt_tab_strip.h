#pragma once
// A tab strip with one tab and an empty page; its caption is the tab's. It has no behaviour.

#include <QTabWidget>

#include "platform/qt/qt_control.h"

namespace pennory::platform::qt {

class QtTabStrip : public QtControl<TabStrip, QTabWidget> {
public:
    explicit QtTabStrip(QWidget* parent);
    void setCaption(std::u16string_view caption) override;
};

}  // namespace pennory::platform::qt
