#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <functional>

namespace kestrum::test {

// Runs action on the next dialog of type T to be shown, as soon as its modal
// loop runs: before a stray-dialog watchdog could take it for one.
template <typename T> void WhenShown(std::function<void(T*)> action) {
    class Hook final : public QObject {
    public:
        explicit Hook(std::function<void(T*)> act) : m_action(std::move(act)) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Show && !m_done) {
                if (auto* dialog = qobject_cast<T*>(watched)) {
                    m_done = true;
                    QTimer::singleShot(0, dialog, [dialog, act = m_action] { act(dialog); });
                    deleteLater();
                }
            }
            return false;
        }

    private:
        std::function<void(T*)> m_action;
        bool m_done = false;
    };
    qApp->installEventFilter(new Hook(std::move(action)));
}

} // namespace kestrum::test
