#pragma once
// The one window: a menu bar over the client area. The client area holds the toolbar band
// along its top and, in front of it, the controls. Size and state changes of the window
// and requests to close it go to the window's handlers.

#include <QMainWindow>
#include <functional>

#include "platform/control_factory.h"
#include "platform/qt/qt_control.h"

class QSessionManager;

namespace pennory::platform::qt {

// The toolbar band's height: the top 615 twips of the client area.
inline constexpr int kToolbarBandTwips = 615;

class ClientArea : public QWidget {
public:
    explicit ClientArea(QWidget* parent);
    QWidget* toolbarBand() const { return m_band; }
    void onResize(Callback resized) { m_resized = std::move(resized); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_band;
    Callback m_resized;
};

class QtMainWindow : public QMainWindow {
public:
    QtMainWindow();

    ClientArea* clientArea() const { return m_client; }
    void setWindowEvents(WindowEvents events) { m_events = std::move(events); }
    // Once the program has been ended, the window closes without its close prompt.
    void setProgramEnded(std::function<bool()> ended) { m_ended = std::move(ended); }

    // The client area on the screen, in pixels. Setting it moves and sizes the window around
    // it; the menu bar stays above it.
    QRect clientRect() const;
    void setClientRect(const QRect& rect);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void notifyResized();
    // Runs the close prompt; true keeps the window open.
    bool closeCancelled();
    void commitSession(QSessionManager& manager);

    ClientArea* m_client;
    WindowEvents m_events;
    std::function<bool()> m_ended;
    bool m_closeApproved = false;
};

// The window as a control: its caption is the title bar's text, its geometry the client area
// on the screen in twips.
class QtWindow : public QtControl<Window, QtMainWindow> {
public:
    QtWindow();

    void setCaption(std::u16string_view caption) override;
    Geometry geometry() const override;
    void setGeometry(const Geometry& geometry) override;
    void setFocus() override;
    bool hasFocus() const override;
    int clientWidth() const override;
    int clientHeight() const override;
    bool minimized() const override;
};

}  // namespace pennory::platform::qt
