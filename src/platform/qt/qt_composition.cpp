#include "platform/qt/qt_composition.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>

namespace pennory::platform::qt {

void CompositionKeeper::watch(QWidget* box) { box->installEventFilter(this); }

bool CompositionKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::InputMethod) {
        const auto* input = static_cast<const QInputMethodEvent*>(event);
        if (!input->preeditString().isEmpty()) {
            m_box = qobject_cast<QWidget*>(watched);
            m_preedit = input->preeditString();
        } else if (watched == m_box) {
            m_box = nullptr;
            m_preedit.clear();
        }
    }
    return QObject::eventFilter(watched, event);
}

void CompositionKeeper::commit() {
    QGuiApplication::inputMethod()->commit();
    if (!m_box || m_preedit.isEmpty()) return;
    const QPointer<QWidget> box = m_box;
    QInputMethodEvent committed;
    committed.setCommitString(m_preedit);
    m_box = nullptr;
    m_preedit.clear();
    QCoreApplication::sendEvent(box, &committed);
    // The input method still holds the composition that is now text.
    QGuiApplication::inputMethod()->reset();
}

Callback CompositionKeeper::committingFirst(Callback action) {
    if (!action) return action;
    return [keeper = QPointer<CompositionKeeper>(this), action = std::move(action)] {
        if (keeper) keeper->commit();
        action();
    };
}

}  // namespace pennory::platform::qt
