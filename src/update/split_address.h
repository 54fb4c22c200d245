#pragma once

#include <QString>

namespace kestrum {

// The pieces of a fetch address. Scheme is "http" or "https".
struct AddressParts {
    QString Scheme = QStringLiteral("http");
    QString Host;
    QString Object; // the path after the host, without its leading "/"
    QString UserName;
    QString Password;
    quint32 Port = 0;      // 0: the scheme's default
    bool PortValid = true; // false when a port is given but is not 1 to 65535
};

// Splits an address into host, object, credentials and port. An address
// beginning with "https://" keeps that scheme; any other one loses its first
// seven characters when it contains "http://" anywhere (a bare host name stays
// whole). The host ends at the last "@" before it; percent escapes in the
// user name and password are decoded. Credentials and port missing from the address come from the
// fallbacks.
AddressParts SplitAddress(const QString& address, const QString& fallbackUserName = {},
                          const QString& fallbackPassword = {}, quint32 fallbackPort = 0);

// The address as the grabber keeps it: scheme, "://", the host and "/" when
// there is a host, then the object. Credentials and port are left out.
QString NormalizedAddress(const AddressParts& parts);

// The address as it may be shown: a password replaced by "***". The whole
// address goes only into the request.
QString DisplayedAddress(const QString& address);

} // namespace kestrum
