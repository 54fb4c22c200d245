#pragma once

#include <QUrl>

namespace kestrum {

// Shell "open" requests (a web page, a mail address, a local file) go through
// one instance, so tests see the address instead of starting a browser.
class ShellRequests {
public:
    virtual ~ShellRequests() = default;
    virtual bool Open(const QUrl& url) = 0;
};

// The instance in use: the desktop's handlers unless a test installed its own.
ShellRequests& Shell();
// Installs a replacement (not owned); nullptr restores the desktop's handlers.
void SetShellRequests(ShellRequests* requests);

} // namespace kestrum
