#include "fill_download.h"

#include "history_keeping.h"
#include "rate_sources.h"
#include "settings/message_table.h"
#include "settings/preferences.h"

#include <QCoreApplication>

namespace kestrum {

QStringList FillAddresses(QByteArrayView primaryBody) {
    QString other;
    if (sources::BodyStartsWith(primaryBody, '{'))
        other = QString::fromLatin1(kEcbRatesAddress);
    else if (sources::BodyStartsWith(primaryBody, '<') &&
             QByteArrayView(primaryBody).contains(QByteArrayView("gesmes:Envelope")))
        other = QString::fromLatin1(Message(msg::RatePageAddress));
    if (other.isEmpty())
        return {};
    const QString nbp = ReadPreference(QLatin1String(pref::kFillNbpUrl));
    return QStringList{ReadPreference(QLatin1String(pref::kFillUrl), other)} +
           (nbp.isEmpty() ? sources::SourceNamed(u"nbp")->latestAddresses()
                          : sources::NbpLatestUnder(nbp));
}

QString KeepFillAnswer(QByteArrayView body, const QString& address) {
    const HistoryAnswer read = ReadHistoryAnswer(body);
    if (!read.source || !read.answer.HasDays())
        return FillFailedSentence(
            address, QCoreApplication::translate("HistoryKeeping",
                                                 "the answer holds no rates Kestrum reads"));
    history::Store store;
    const history::OpenResult open = store.Open();
    if (!open.usable() || open.status == history::OpenStatus::ReadOnly)
        return open.message;
    const history::ImportResult imported = KeepAnswer(store, read.answer, address);
    return imported ? QString() : imported.error;
}

QString FillFailedSentence(const QString& address, const QString& reason) {
    return QCoreApplication::translate(
               "HistoryKeeping",
               "The rates that fill missing currencies could not be fetched from %1 "
               "(%2); those currencies stay unfilled.")
        .arg(address, reason);
}

} // namespace kestrum
