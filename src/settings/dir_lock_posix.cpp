#include "dir_lock.h"

#include "paths.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kestrum {

namespace {
// The depth of this thread's locks: flock on a second descriptor of the same
// file would wait on ourselves.
thread_local int t_depth = 0;
} // namespace

QString DirLock::LockPath() {
    return ProgramFile(QStringLiteral(".kestrum.lock"));
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
    int locked = -1;
    do
        locked = ::flock(fd, LOCK_EX);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        ::close(fd);
        return;
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
