#include "platform/qt/qt_status_line.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMainWindow>
#include <QPointer>
#include <QResizeEvent>
#include <QStatusBar>

#include "platform/qt/qt_fonts.h"

namespace pennory::platform::qt {

namespace {

// Qt's own interface for a label answers with the accessible name where one is set, and
// gives no value; a screen reader asking for the status line must hear the count itself.
class StatusLineAccessible : public QAccessibleWidget {
public:
    explicit StatusLineAccessible(StatusLineLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name || kind == QAccessible::Value) {
            return static_cast<const StatusLineLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* statusLineAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(StatusLineLabel::staticMetaObject.className())) return nullptr;
    return new StatusLineAccessible(static_cast<StatusLineLabel*>(object));
}

// The bar's place for the line. The line has a fixed size, the holder's, so that a new text
// does not ask the bar and the window to lay themselves out again, which would repaint the
// window around every keystroke; the line is only drawn again.
class StatusLineHolder : public QWidget {
public:
    explicit StatusLineHolder(QWidget* line) : m_line(line) { line->setParent(this); }
    QSize sizeHint() const override { return {0, m_line ? m_line->sizeHint().height() : 0}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        if (m_line) m_line->setFixedSize(event->size());
        QWidget::resizeEvent(event);
    }

private:
    QPointer<QWidget> m_line;
};

}  // namespace

StatusLineLabel::StatusLineLabel() {
    static const bool installed = [] {
        QAccessible::installFactory(statusLineAccessible);
        return true;
    }();
    (void)installed;
    setTextFormat(Qt::PlainText);
}

void StatusLineLabel::showLine(const QString& line) {
    if (line == text()) return;
    // QLabel announces the new name itself only while it has no accessible name of its own.
    setText(line);
    if (!accessibleName().isEmpty()) {
        QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nameChanged);
    }
    QAccessibleValueChangeEvent valueChanged(this, line);
    QAccessible::updateAccessibility(&valueChanged);
}

QtStatusLine::QtStatusLine(QMainWindow* window) : QtControl(new StatusLineLabel) {
    m_widget->setFont(captionFont());
    QStatusBar* bar = window->statusBar();
    bar->setSizeGripEnabled(true);
    bar->addWidget(new StatusLineHolder(m_widget), 1);
    // The bar's height is settled before the window is first sized around the client area;
    // one that changed on showing (style, text) would take it from the client area.
    bar->ensurePolished();
    m_widget->ensurePolished();
    m_widget->setText(QStringLiteral("字数 0"));
    bar->setFixedHeight(bar->sizeHint().height());
}

void QtStatusLine::setCaption(std::u16string_view caption) {
    QtControl::setCaption(caption);
    m_widget->showLine(toQString(caption));
}

}  // namespace pennory::platform::qt
