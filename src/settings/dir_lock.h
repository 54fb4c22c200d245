#pragma once

#include <QString>
#include <chrono>

namespace kestrum {

// An advisory lock on the data directory, so two processes (the window and a
// command, two commands) never interleave a read-modify-write of the same
// files. Held briefly: never while waiting on the network or the user. The
// lock is `flock` on ".kestrum.lock" in the directory; the kernel drops it
// however the process ends. Nested locks in one thread share the outer one.
// When the lock file cannot be made (a read-only directory) the holder runs
// unlocked: its saves fail on their own.
//
// A lock another process keeps is waited for a few seconds at most (a stuck
// or stopped holder must not hang every later command); then TimedOut() holds
// and the caller saves nothing, saying FailureSentence().
class DirLock {
public:
    DirLock();
    ~DirLock();
    DirLock(const DirLock&) = delete;
    DirLock& operator=(const DirLock&) = delete;

    bool Held() const { return m_fd >= 0 || m_nested; }
    bool TimedOut() const { return m_timedOut; }

    // The lock file of the program directory.
    static QString LockPath();
    // "Nothing was saved: another program has held the lock ... for 5 seconds."
    static QString FailureSentence();

    // What the process does while another holds the lock: `waiting` is told
    // once, after the first second (a command says it on a terminal);
    // `retry`, when the wait has run out, may ask for another (the window's
    // box with Retry). Either may be null.
    struct WaitHandlers {
        void (*waiting)(const QString& sentence) = nullptr;
        bool (*retry)(const QString& sentence) = nullptr;
    };
    static void SetWaitHandlers(WaitHandlers handlers);
    // How long a lock is waited for; tests shorten it.
    static void SetWaitLimit(std::chrono::milliseconds limit);

private:
    int m_fd = -1;
    bool m_nested = false;
    bool m_timedOut = false;
};

} // namespace kestrum
