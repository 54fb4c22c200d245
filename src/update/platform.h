#pragma once

#include <QDateTime>
#include <QString>

namespace kestrum {

// What downloads ask of the system: the local clock, the time zone's base
// offset and whether a network is up. Tests install their own.
class Platform {
public:
    virtual ~Platform() = default;
    virtual QDateTime Now() const = 0;
    // Minutes west of UTC of the zone's standard time at `now`; no daylight
    // correction.
    virtual int BaseBias(const QDateTime& now) const = 0;
    // Whether `address` can be reached: some network interface is up.
    virtual bool Connected(const QString& address) const = 0;
};

// A host on this machine: "localhost" or a loopback IPv4 or IPv6 address.
bool IsLoopbackHost(const QString& host);

// The instance in use: the system's unless a test installed its own.
Platform& CurrentPlatform();
// Installs a replacement (not owned); nullptr restores the system's.
void SetPlatform(Platform* platform);

} // namespace kestrum
