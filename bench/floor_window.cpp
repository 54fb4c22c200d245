// The floor for the window's first paint: a Qt Widgets program with one
// label and one button, reporting its first paint as the program does.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <cstdio>

namespace {

long long Now(auto clock) {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(decltype(clock)::now().time_since_epoch()).count();
}

class FirstPaint : public QObject {
public:
    explicit FirstPaint(long long mainNs) : m_mainNs(mainNs) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] {
                const long long steady = Now(std::chrono::steady_clock());
                const long long wall = Now(std::chrono::system_clock());
                const long long execNs = qEnvironmentVariable("KESTRUM_EXEC_NS").toLongLong();
                std::fprintf(stderr, "first paint: %.2f ms after main, %.2f ms after exec\n",
                             double(steady - m_mainNs) / 1e6, double(wall - execNs) / 1e6);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    long long m_mainNs = 0;
    bool m_seen = false;
};

} // namespace

int main(int argc, char** argv) {
    const long long mainNs = Now(std::chrono::steady_clock());
    QApplication app(argc, argv);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Kestrum")));
    layout->addWidget(new QPushButton(QStringLiteral("Convert")));
    FirstPaint watcher(mainNs);
    window.installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
