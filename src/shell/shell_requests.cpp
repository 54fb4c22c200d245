#include "shell_requests.h"

#include <QDesktopServices>

namespace kestrum {

namespace {

class DesktopRequests final : public ShellRequests {
public:
    bool Open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

ShellRequests*& Installed() {
    static ShellRequests* requests = nullptr;
    return requests;
}

} // namespace

ShellRequests& Shell() {
    static DesktopRequests desktop;
    return Installed() ? *Installed() : desktop;
}

void SetShellRequests(ShellRequests* requests) {
    Installed() = requests;
}

} // namespace kestrum
