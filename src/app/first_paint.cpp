#include "first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace kestrum {

namespace {

long long g_mainStartedNs = 0;

double MillisecondsSince(long long ns, long long nowNs) {
    return static_cast<double>(nowNs - ns) / 1e6;
}

class FirstPaintWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || m_seen)
            return QObject::eventFilter(watched, event);
        m_seen = true;
        // After the paint has been handled, so its cost is counted.
        QTimer::singleShot(0, this, [] {
            using namespace std::chrono;
            const long long steady =
                duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
            const long long wall =
                duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
            std::fprintf(stderr, "first paint: %.2f ms after main",
                         MillisecondsSince(g_mainStartedNs, steady));
            const long long execNs = qEnvironmentVariable("KESTRUM_EXEC_NS").toLongLong();
            if (execNs > 0)
                std::fprintf(stderr, ", %.2f ms after exec", MillisecondsSince(execNs, wall));
            std::fprintf(stderr, "\n");
            QCoreApplication::quit();
        });
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

void NoteMainStarted(long long steadyNs) {
    g_mainStartedNs = steadyNs;
}

void WatchFirstPaint(QWidget* window) {
    if (qEnvironmentVariableIsSet("KESTRUM_FIRST_PAINT_REPORT"))
        window->installEventFilter(new FirstPaintWatcher(window));
}

} // namespace kestrum
