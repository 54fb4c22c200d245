#pragma once

#include <QByteArray>
#include <QString>

namespace kestrum::cli {

// One transfer with its bar on a terminal: into the file `fileName`, or (with
// `body`) into memory. The grabber's reason when it fails, else nothing.
QString Fetch(const QString& url, const QString& fileName, QByteArray* body = nullptr);

} // namespace kestrum::cli
