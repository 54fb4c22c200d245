#pragma once

#include <QByteArray>
#include <QString>
#include <curl/curl.h>

namespace kestrum {

// "HTTP 404 Not Found" from the code and the response's status line.
QString StatusText(long code, const QByteArray& statusLine);

// What a failed transfer says, in the language in use: libcurl's own text in
// English, our words for its code otherwise, and the proxy when one was used.
QString TransferFailure(CURLcode result, const char* errorText, const QString& proxy);

} // namespace kestrum
