#pragma once

#include <QByteArray>
#include <QFile>
#include <stdexcept>

namespace kestrum::test {

// The complete 55-currency page in tests/update/fixtures, as raw bytes.
inline QByteArray RatePageFixture() {
    QFile file(QStringLiteral(KESTRUM_RATE_PAGE_FIXTURE));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the rate page fixture");
    return file.readAll();
}

} // namespace kestrum::test
