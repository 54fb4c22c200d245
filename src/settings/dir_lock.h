#pragma once

#include <QString>

namespace kestrum {

// An advisory lock on the data directory, so two processes (the window and a
// command, two commands) never interleave a read-modify-write of the same
// files. Held briefly: never while waiting on the network or the user. The
// lock is `flock` on ".kestrum.lock" in the directory; the kernel drops it
// however the process ends. Nested locks in one thread share the outer one.
// When the lock file cannot be made (a read-only directory) the holder runs
// unlocked: its saves fail on their own.
class DirLock {
public:
    DirLock();
    ~DirLock();
    DirLock(const DirLock&) = delete;
    DirLock& operator=(const DirLock&) = delete;

    bool Held() const { return m_fd >= 0 || m_nested; }

    // The lock file of the program directory.
    static QString LockPath();

private:
    int m_fd = -1;
    bool m_nested = false;
};

} // namespace kestrum
