#include "dir_lock.h"

#include "paths.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace kestrum {

namespace {
// The depth of this thread's locks: flock on a second descriptor of the same
// file would wait on ourselves.
thread_local int t_depth = 0;

// Every holder finishes in milliseconds; seconds mean it is stuck or stopped.
std::chrono::milliseconds g_waitLimit{5000};
constexpr std::chrono::seconds kSayWaitingAfter{1};
DirLock::WaitHandlers g_handlers;

QString WaitingSentence() {
    return QCoreApplication::translate(
               "DirLock", "Waiting for the lock \"%1\", which another program holds...")
        .arg(DirLock::LockPath());
}

QString HeldSentence(bool nothingSaved) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(g_waitLimit).count();
    const QString sentence =
        seconds == 1
            ? QCoreApplication::translate("DirLock",
                                          "another program has held the lock \"%1\" for 1 second")
                  .arg(DirLock::LockPath())
            : QCoreApplication::translate("DirLock",
                                          "another program has held the lock \"%1\" for %2 seconds")
                  .arg(DirLock::LockPath())
                  .arg(seconds);
    if (nothingSaved)
        return QCoreApplication::translate("DirLock", "Nothing was saved: %1.").arg(sentence);
    return sentence.at(0).toUpper() + sentence.mid(1) + QLatin1Char('.');
}
} // namespace

QString DirLock::LockPath() {
    return ProgramFile(QStringLiteral(".kestrum.lock"));
}

QString DirLock::FailureSentence() {
    return HeldSentence(true);
}

void DirLock::SetWaitHandlers(WaitHandlers handlers) {
    g_handlers = handlers;
}

void DirLock::SetWaitLimit(std::chrono::milliseconds limit) {
    g_waitLimit = limit;
}

DirLock::DirLock() {
    if (t_depth > 0) {
        m_nested = true;
        ++t_depth;
        return;
    }
    // O_NOFOLLOW: a link planted under the name locks nothing of anyone's.
    const int fd = ::open(QFile::encodeName(LockPath()).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0)
        return;
    using Clock = std::chrono::steady_clock;
    auto started = Clock::now();
    bool told = false;
    std::chrono::milliseconds pause{1};
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK) {
            ::close(fd);
            return;
        }
        const auto waited = Clock::now() - started;
        if (!told && waited >= kSayWaitingAfter && g_handlers.waiting) {
            g_handlers.waiting(WaitingSentence());
            told = true;
        }
        if (waited >= g_waitLimit) {
            if (g_handlers.retry && g_handlers.retry(HeldSentence(false))) {
                started = Clock::now();
                continue;
            }
            ::close(fd);
            m_timedOut = true;
            return;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    m_fd = fd;
    ++t_depth;
}

DirLock::~DirLock() {
    if (m_nested) {
        --t_depth;
        return;
    }
    if (m_fd < 0)
        return;
    --t_depth;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
}

} // namespace kestrum
