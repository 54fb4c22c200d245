#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

namespace kestrum::test {

// Runs action on the next dialog of type T to be shown, as soon as its modal
// loop runs: before a stray-dialog watchdog could take it for one.
template <typename T> void WhenShown(std::function<void(T*)> action) {
    struct Hook final : QObject {
        std::function<void(T*)> act;
        bool eventFilter(QObject* watched, QEvent* event) override {
            auto* dialog = qobject_cast<T*>(watched);
            if (event->type() == QEvent::Show && dialog && act) {
                QTimer::singleShot(0, dialog, [dialog, run = std::move(act)] { run(dialog); });
                deleteLater();
            }
            return false;
        }
    };
    auto* hook = new Hook;
    hook->act = std::move(action);
    qApp->installEventFilter(hook);
}

} // namespace kestrum::test
