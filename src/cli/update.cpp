#include "commands.h"
#include "data/catalogue.h"
#include "data/rate_store.h"
#include "output.h"
#include "settings/configuration.h"
#include "settings/file_io.h"
#include "settings/options.h"
#include "settings/removed_on_signal.h"
#include "transfer.h"
#include "update/fill_download.h"
#include "update/history_keeping.h"
#include "update/rate_pipeline.h"
#include "update/rate_sources.h"
#include "update/split_address.h"

#include <QCoreApplication>
#include <QFile>
#include <optional>

namespace kestrum::cli {

namespace {

const QString kUrl = QStringLiteral("url");
const QString kFillUrl = QStringLiteral("fill-url");
const QString kNbpUrl = QStringLiteral("nbp-url");

// The page file is this command's own, so a concurrent download or a file
// planted under "temp.html" never mixes with it, and it lives only as long
// as the command, an interrupted one included. Pages that killed commands
// left are swept first.
class PrivatePageFile {
public:
    PrivatePageFile() {
        RemoveStaleTemporaries(PageFilePath());
        QString problem;
        path = CreatePrivateTemporary(PageFilePath(), problem);
        if (path.isEmpty())
            Fail(kDataFileError, problem + QLatin1Char('.'));
        m_removedOnSignal.emplace(path);
    }
    ~PrivatePageFile() { QFile::remove(path); }
    QString path;

private:
    std::optional<RemovedOnSignal> m_removedOnSignal;
};

// The other sources' answers go into the history before the primary's is
// stored, so "rt.dt" is filled from them; any failure is one sentence and
// leaves the primary's download alone.
void FetchFillAnswers(const Arguments& arguments, const QString& pagePath) {
    if (!FillFromOtherSource())
        return;
    QFile page(pagePath);
    QStringList addresses;
    if (page.open(QIODevice::ReadOnly))
        addresses = FillAddresses(page.read(4096));
    if (addresses.isEmpty())
        return;
    if (arguments.IsSet(kFillUrl))
        addresses[0] = arguments.Value(kFillUrl);
    if (arguments.IsSet(kNbpUrl))
        addresses = addresses.mid(0, 1) + sources::NbpLatestUnder(arguments.Value(kNbpUrl));
    for (const QString& address : addresses) {
        QByteArray body;
        if (const QString error = Fetch(address, QString(), &body); !error.isEmpty()) {
            PrintErrorLine(FillFailedSentence(DisplayedAddress(address), error));
            continue;
        }
        if (const QString problem = KeepFillAnswer(body, address); !problem.isEmpty())
            PrintErrorLine(problem);
    }
}

} // namespace

int FetchAndStore(const Arguments& arguments) {
    ExpectArguments(arguments, 0, "update [--url URL] [--fill-url URL] [--nbp-url URL]");
    const bool configExists = LoadSettings();
    QString url = RatePageUrl(Configuration());
    if (arguments.IsSet(kUrl)) {
        const std::optional<QString> given = RateSourceAddress(arguments.Value(kUrl));
        if (!given)
            Fail(kUsageError, QCoreApplication::translate(
                                  "Update", "\"%1\" is not boc, ecb or an http or https address "
                                            "that can be fetched.")
                                  .arg(DisplayedAddress(arguments.Value(kUrl))));
        url = *given;
    }
    if (url.trimmed().isEmpty())
        Fail(kFetchError,
             QCoreApplication::translate("Update", "No rate-page address is configured; give one "
                                                   "with --url."));
    const QString shown = DisplayedAddress(url);

    const PrivatePageFile page;
    const QString error = Fetch(url, page.path);
    if (!error.isEmpty())
        Fail(kFetchError, QCoreApplication::translate("Update", "The download of %1 failed: %2.")
                              .arg(shown, WithoutFullStop(error)));
    FetchFillAnswers(arguments, page.path);
    const PipelineResult stored = StoreRatePage(ProgramRates(), configExists, page.path);
    switch (stored.status) {
    case PipelineStatus::Stored:
        break;
    case PipelineStatus::Unreadable:
        Fail(kFetchError, WithoutFullStop(stored.error) + QLatin1Char('.'));
    case PipelineStatus::Unparsable:
        Fail(kFetchError, QCoreApplication::translate(
                              "Update", "The page at %1 is not a rate page in the layout "
                                        "Kestrum reads; nothing was changed.")
                              .arg(shown));
    case PipelineStatus::RateFileFailed:
    case PipelineStatus::ConfigFileFailed:
        Fail(kDataFileError, WithoutFullStop(stored.error) + QLatin1Char('.'));
    }
    NoteConfiguredAnswer(Configuration(), url, stored.source);
    if (!stored.history.isEmpty())
        PrintErrorLine(stored.history);
    for (const QString& note : stored.notes)
        PrintErrorLine(note);
    ReportStoredRates(shown);
    return kSuccess;
}

} // namespace kestrum::cli

// The network module's entry; every other symbol it uses resolves against the
// executable, so both share one configuration and rate store.
extern "C" int kestrum_run_update(const kestrum::cli::Arguments& arguments) {
    return kestrum::cli::FetchAndStore(arguments);
}
