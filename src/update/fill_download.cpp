#include "fill_download.h"

#include "history_keeping.h"
#include "rate_sources.h"
#include "settings/message_table.h"
#include "settings/preferences.h"

namespace kestrum {

QString FillAddress(QByteArrayView primaryBody) {
    QString address;
    if (sources::BodyStartsWith(primaryBody, '{'))
        address = QString::fromLatin1(kEcbRatesAddress);
    else if (sources::BodyStartsWith(primaryBody, '<') &&
             QByteArrayView(primaryBody).contains(QByteArrayView("gesmes:Envelope")))
        address = QString::fromLatin1(Message(msg::RatePageAddress));
    if (address.isEmpty())
        return {};
    return ReadPreference(QLatin1String(pref::kFillUrl), address);
}

QString KeepFillAnswer(QByteArrayView body, const QString& address) {
    const HistoryAnswer answer = ReadHistoryAnswer(body);
    if (answer.source.isEmpty() || answer.days.empty())
        return FillFailedSentence(address,
                                  QStringLiteral("the answer holds no rates Kestrum reads"));
    history::Store store;
    const history::OpenResult open = store.Open();
    if (!open.usable() || open.status == history::OpenStatus::ReadOnly)
        return open.message;
    const history::ImportResult imported = store.Import(answer.source, answer.days, address);
    return imported ? QString() : imported.error;
}

QString FillFailedSentence(const QString& address, const QString& reason) {
    return QStringLiteral("The rates that fill missing currencies could not be fetched from %1 "
                          "(%2); those currencies stay unfilled.")
        .arg(address, reason);
}

} // namespace kestrum
