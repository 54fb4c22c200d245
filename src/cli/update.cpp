#include "commands.h"
#include "data/catalogue.h"
#include "data/rate_store.h"
#include "output.h"
#include "progress_bar.h"
#include "settings/configuration.h"
#include "update/rate_pipeline.h"
#include "update/rate_sources.h"
#include "update/url_grabber.h"

#include <QEventLoop>
#include <QFile>
#include <cstdio>
#include <unistd.h>

namespace kestrum::cli {

namespace {

const QString kUrl = QStringLiteral("url");

// The page lives only as long as the command, as it lives only as long as
// the window.
struct PageFileRemover {
    ~PageFileRemover() { QFile::remove(PageFilePath()); }
};

} // namespace

int FetchAndStore(const Arguments& arguments) {
    ExpectArguments(arguments, 0, "update [--url URL]");
    const bool configExists = LoadSettings();
    const QString url =
        arguments.IsSet(kUrl) ? arguments.Value(kUrl) : RatePageUrl(Configuration());
    if (url.trimmed().isEmpty())
        Fail(kFetchError, QStringLiteral("No rate-page address is configured; give one "
                                         "with --url."));

    QFile::remove(PageFilePath());
    const PageFileRemover remover;
    THttpUrlGrabber grabber;
    grabber.SetUrl(url);
    grabber.SetFileName(PageFilePath());
    grabber.SetOutputMode(TOutputMode::omFile);

    ProgressBar bar;
    QEventLoop loop;
    QString error;
    bool done = false;
    QObject::connect(&grabber, &THttpUrlGrabber::OnProgress,
                     [&bar](qint64 position, qint64 total, const QString&, bool&) {
                         bar.Show(position, total);
                     });
    QObject::connect(&grabber, &THttpUrlGrabber::OnDoneFile, &loop, [&] {
        done = true;
        loop.quit();
    });
    QObject::connect(&grabber, &THttpUrlGrabber::OnError, &loop, [&](const QString& message) {
        error = message;
        loop.quit();
    });
    grabber.StartTransfer();
    loop.exec();
    bar.Close();

    if (!done)
        Fail(kFetchError, QStringLiteral("The download of %1 failed: %2.").arg(url, error));
    const PipelineResult stored = StoreRatePage(ProgramRates(), configExists);
    switch (stored.status) {
    case PipelineStatus::Stored:
        break;
    case PipelineStatus::Unreadable:
        Fail(kFetchError, stored.error + QLatin1Char('.'));
    case PipelineStatus::Unparsable:
        Fail(kFetchError, QStringLiteral("The page at %1 is not a rate page in the layout "
                                         "Kestrum reads; nothing was changed.")
                              .arg(url));
    case PipelineStatus::RateFileFailed:
    case PipelineStatus::ConfigFileFailed:
        Fail(kDataFileError, stored.error + QLatin1Char('.'));
    }
    if (!stored.history.isEmpty())
        PrintErrorLine(stored.history);
    ReportStoredRates(url);
    return kSuccess;
}

} // namespace kestrum::cli

// The network module's entry; every other symbol it uses resolves against the
// executable, so both share one configuration and rate store.
extern "C" int kestrum_run_update(const kestrum::cli::Arguments& arguments) {
    return kestrum::cli::FetchAndStore(arguments);
}
