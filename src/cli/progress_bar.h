#pragma once

#include "output.h"

#include <cstdio>
#include <unistd.h>

namespace kestrum::cli {

// The download bar on standard error; redrawn in place, so it only makes
// sense on a terminal.
class ProgressBar {
public:
    ProgressBar() : m_shown(isatty(STDERR_FILENO) == 1) {}
    ~ProgressBar() { Close(); }

    bool Shown() const { return m_shown; }

    void Show(qint64 position, qint64 total) {
        if (!m_shown)
            return;
        WriteText(stderr, "\r" + ProgressLine(position, total));
        std::fflush(stderr);
        m_drawn = true;
    }
    void Close() {
        if (m_drawn)
            std::fputs("\n", stderr);
        m_drawn = false;
    }

private:
    bool m_shown = false;
    bool m_drawn = false;
};

} // namespace kestrum::cli
