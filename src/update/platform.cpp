#include "platform.h"

#include "split_address.h"

#include <QTimeZone>
#include <QUrl>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>

namespace kestrum {

namespace {

bool NonLoopbackInterfaceUp() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return true; // nothing to ask: treat the network as up
    bool up = false;
    for (const ifaddrs* entry = list; entry && !up; entry = entry->ifa_next) {
        if (!entry->ifa_addr || !(entry->ifa_flags & IFF_UP) || (entry->ifa_flags & IFF_LOOPBACK))
            continue;
        const int family = entry->ifa_addr->sa_family;
        up = family == AF_INET || family == AF_INET6;
    }
    freeifaddrs(list);
    return up;
}

class PosixPlatform final : public Platform {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    int BaseBias(const QDateTime& now) const override {
        return -QTimeZone::systemTimeZone().standardTimeOffset(now) / 60;
    }
    bool Connected(const QString& address) const override {
        QString host = QUrl(address).host();
        if (host.isEmpty())
            host = SplitAddress(address).Host;
        return IsLoopbackHost(host) || NonLoopbackInterfaceUp();
    }
};

Platform*& Installed() {
    static Platform* platform = nullptr;
    return platform;
}

} // namespace

bool IsLoopbackHost(const QString& host) {
    QString name = host.toLower();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    if (name == QLatin1String("localhost"))
        return true;
    const QByteArray text = name.toLatin1();
    in_addr v4{};
    if (inet_pton(AF_INET, text.constData(), &v4) == 1)
        return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    return inet_pton(AF_INET6, text.constData(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

Platform& CurrentPlatform() {
    static PosixPlatform system;
    return Installed() ? *Installed() : system;
}

void SetPlatform(Platform* platform) {
    Installed() = platform;
}

} // namespace kestrum
