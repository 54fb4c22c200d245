#include "split_address.h"

#include "settings/local_text.h"

#include <QUrl>

namespace kestrum {

namespace {

QString Decoded(const QString& text) {
    return QUrl::fromPercentEncoding(text.toUtf8());
}

} // namespace

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

    // The host follows the last "@": a password may hold one of its own.
    const qsizetype at = hostPart.lastIndexOf(u'@');
    if (at >= 0) {
        const QString userInfo = hostPart.left(at);
        hostPart = hostPart.mid(at + 1);
        const qsizetype colon = userInfo.indexOf(u':');
        parts.UserName = Decoded(colon >= 0 ? userInfo.left(colon) : userInfo);
        if (colon >= 0)
            parts.Password = Decoded(userInfo.mid(colon + 1));
    }

    // An IPv6 literal keeps its brackets and colons; the port follows "]".
    const qsizetype bracket = hostPart.startsWith(u'[') ? hostPart.indexOf(u']') : -1;
    const qsizetype colon = hostPart.indexOf(u':', bracket < 0 ? 0 : bracket);
    if (colon >= 0) {
        parts.Host = hostPart.left(colon);
        const QString port = hostPart.mid(colon + 1);
        bool ok = !port.isEmpty();
        for (const QChar c : port)
            ok = ok && c >= u'0' && c <= u'9';
        const uint number = ok ? port.toUInt(&ok) : 0;
        parts.PortValid = ok && number >= 1 && number <= 65535;
        parts.Port = parts.PortValid ? number : 0;
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

QString DisplayedAddress(const QString& address) {
    const qsizetype scheme = address.indexOf(QLatin1String("://"));
    const qsizetype start = scheme < 0 ? 0 : scheme + 3;
    qsizetype end = address.size();
    for (const QChar stop : {u'/', u'?', u'#'}) {
        const qsizetype found = address.indexOf(stop, start);
        if (found >= 0 && found < end)
            end = found;
    }
    const qsizetype at = end > start ? address.lastIndexOf(u'@', end - 1) : -1;
    const qsizetype colon = at < start ? -1 : address.indexOf(u':', start);
    // An address may come from a damaged record or a planted file.
    if (colon < 0 || colon > at)
        return Printable(address);
    return Printable(address.left(colon + 1) + QStringLiteral("***") + address.mid(at));
}

} // namespace kestrum
