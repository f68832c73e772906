#pragma once
// Answers a modal dialog as a person would: the action runs once the dialog is shown.

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <functional>

namespace pennory::testing {

// Acts on the modal dialog of type Dialog as soon as it is shown. The returned timer is
// still polling until then; deleting it calls the action off.
template <typename Dialog>
QTimer* whenShown(std::function<void(Dialog*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
    return timer;
}

}  // namespace pennory::testing
