#include "split_address.h"

namespace kestrum {

AddressParts SplitAddress(const QString& address, const QString& fallbackUserName,
                          const QString& fallbackPassword, quint32 fallbackPort) {
    AddressParts parts;
    QString rest = address;
    const QString secure = QStringLiteral("https://");
    const QString plain = QStringLiteral("http://");
    if (rest.startsWith(secure, Qt::CaseInsensitive)) {
        parts.Scheme = QStringLiteral("https");
        rest.remove(0, secure.size());
    } else if (rest.contains(plain, Qt::CaseInsensitive)) {
        // Deliberately the first seven characters, wherever the prefix was
        // found: stored addresses rely on this rule.
        rest.remove(0, plain.size());
    }

    QString hostPart = rest;
    const qsizetype slash = rest.indexOf(u'/');
    if (slash >= 0) {
        hostPart = rest.left(slash);
        parts.Object = rest.mid(slash + 1);
    }

    const qsizetype at = hostPart.indexOf(u'@');
    if (at >= 0) {
        const QString userInfo = hostPart.left(at);
        hostPart = hostPart.mid(at + 1);
        const qsizetype colon = userInfo.indexOf(u':');
        if (colon >= 0) {
            parts.UserName = userInfo.left(colon);
            parts.Password = userInfo.mid(colon + 1);
        } else {
            parts.UserName = userInfo;
        }
    }

    const qsizetype colon = hostPart.indexOf(u':');
    if (colon >= 0) {
        parts.Host = hostPart.left(colon);
        bool ok = false;
        const uint port = hostPart.mid(colon + 1).toUInt(&ok);
        parts.Port = ok ? port : 0;
    } else {
        parts.Host = hostPart;
    }

    if (parts.UserName.isEmpty())
        parts.UserName = fallbackUserName;
    if (parts.Password.isEmpty())
        parts.Password = fallbackPassword;
    if (parts.Port == 0)
        parts.Port = fallbackPort;
    return parts;
}

QString NormalizedAddress(const AddressParts& parts) {
    QString address = parts.Scheme + QStringLiteral("://");
    if (!parts.Host.isEmpty())
        address += parts.Host + u'/';
    return address + parts.Object;
}

} // namespace kestrum
