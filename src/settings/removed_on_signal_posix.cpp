#include "removed_on_signal.h"

#include <QFile>

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace kestrum {

namespace {

// A handler may only touch what needs no lock, so the paths wait in fixed
// slots. A process has a file or two in flight at a time.
constexpr int kSlots = 16;
enum SlotState : int { kFree, kFilling, kArmed };
struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX] = {};
};
Slot g_slots[kSlots];
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void RemoveArmedFiles(int signal) {
    for (Slot& slot : g_slots)
        if (slot.state.load() == kArmed)
            ::unlink(slot.path);
    // Ended by the signal itself, so the parent sees why.
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(signal, &standard, nullptr);
    ::raise(signal);
}

void InstallHandlers() {
    for (const int signal : kSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
            (current.sa_flags & SA_SIGINFO) != 0)
            continue;
        struct sigaction handler {};
        handler.sa_handler = RemoveArmedFiles;
        sigemptyset(&handler.sa_mask);
        for (const int other : kSignals)
            sigaddset(&handler.sa_mask, other);
        ::sigaction(signal, &handler, nullptr);
    }
}

} // namespace

RemovedOnSignal::RemovedOnSignal(const QString& path) {
    static std::once_flag installed;
    std::call_once(installed, InstallHandlers);
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.size() >= PATH_MAX)
        return;
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (!g_slots[i].state.compare_exchange_strong(expected, kFilling))
            continue;
        std::memcpy(g_slots[i].path, bytes.constData(), size_t(bytes.size()) + 1);
        g_slots[i].state.store(kArmed);
        m_slot = i;
        return;
    }
}

RemovedOnSignal::~RemovedOnSignal() {
    if (m_slot >= 0)
        g_slots[m_slot].state.store(kFree);
}

} // namespace kestrum
