#pragma once

#include <QByteArray>
#include <QString>

namespace kestrum::cli {

// One transfer with its bar on a terminal: into `fileName`, an empty file the
// command made for it alone, or (with `body`) into memory. The grabber's reason when it fails, else
// nothing.
QString Fetch(const QString& url, const QString& fileName, QByteArray* body = nullptr);

} // namespace kestrum::cli
