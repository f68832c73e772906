#pragma once
// Counts the events of one type that reach the objects it is installed on.

#include <QEvent>
#include <QObject>

namespace pennory::testing {

class EventCount : public QObject {
public:
    explicit EventCount(QEvent::Type type) : m_type(type) {}
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == m_type) ++count;
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type m_type;
};

}  // namespace pennory::testing
