#pragma once
// The common part of the Qt controls: each control shows itself in one widget, whose own
// flags are the control's visible and enabled state. Geometry is given in twips; the widget
// stands at the nearest pixels, and reading the geometry back gives the twips last set as
// long as the widget has not been moved since.

#include <QPointer>
#include <QWidget>
#include <optional>

#include "platform/controls.h"
#include "platform/qt/qt_conversions.h"

namespace pennory::platform::qt {

// Lets the factory and the tests find the widget of any control.
class WidgetControl {
public:
    virtual ~WidgetControl() = default;
    virtual QWidget* qwidget() const = 0;
};

template <typename Interface, typename Widget>
class QtControl : public Interface, public WidgetControl {
public:
    // Takes the widget over: it is deleted with the control, so that no event can reach a
    // handler of a control that is gone.
    explicit QtControl(Widget* widget) : m_widget(widget) {}
    ~QtControl() override { delete m_widget.data(); }
    QtControl(const QtControl&) = delete;
    QtControl& operator=(const QtControl&) = delete;

    Widget* widget() const { return m_widget.data(); }
    QWidget* qwidget() const override { return m_widget.data(); }

    // The widget's own flag: a child of a hidden panel keeps its value.
    bool visible() const override { return !m_widget->isHidden(); }
    void setVisible(bool visible) override { m_widget->setVisible(visible); }
    bool enabled() const override { return m_widget->isEnabled(); }
    void setEnabled(bool enabled) override { m_widget->setEnabled(enabled); }
    // Controls that show no caption keep it only as a value; the others override these.
    std::u16string caption() const override { return m_caption; }
    void setCaption(std::u16string_view caption) override { m_caption = caption; }
    std::u16string toolTip() const override { return toU16(m_widget->toolTip()); }
    void setToolTip(std::u16string_view tip) override { m_widget->setToolTip(toQString(tip)); }
    Geometry geometry() const override {
        const QRect now = m_widget->geometry();
        return m_twips && now == toPixels(*m_twips) ? *m_twips : toTwips(now);
    }
    void setGeometry(const Geometry& geometry) override {
        m_twips = geometry;
        m_widget->setGeometry(toPixels(geometry));
    }
    void setFocus() override { m_widget->setFocus(Qt::OtherFocusReason); }
    // The window's focus widget, so that the answer holds while another application or one
    // of our own dialogs is active.
    bool hasFocus() const override { return m_widget->window()->focusWidget() == m_widget; }
    void setAccessibleName(std::u16string_view name) override {
        m_widget->setAccessibleName(toQString(name));
        m_widget->setObjectName(toQString(name));
    }

protected:
    QPointer<Widget> m_widget;

private:
    std::u16string m_caption;
    std::optional<Geometry> m_twips;
};

}  // namespace pennory::platform::qt
