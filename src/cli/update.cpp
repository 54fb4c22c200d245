#include "commands.h"
#include "data/catalogue.h"
#include "data/rate_store.h"
#include "output.h"
#include "progress_bar.h"
#include "settings/configuration.h"
#include "settings/options.h"
#include "update/fill_download.h"
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
const QString kFillUrl = QStringLiteral("fill-url");

// The page lives only as long as the command, as it lives only as long as
// the window.
struct PageFileRemover {
    ~PageFileRemover() { QFile::remove(PageFilePath()); }
};

// One transfer with its bar: into the page file, or (no file name) into
// `body`. The grabber's reason when it fails, else nothing.
QString Fetch(const QString& url, const QString& fileName, QByteArray* body = nullptr) {
    THttpUrlGrabber grabber;
    grabber.SetUrl(url);
    grabber.SetFileName(fileName);
    grabber.SetOutputMode(body ? TOutputMode::omStream : TOutputMode::omFile);

    ProgressBar bar;
    QEventLoop loop;
    QString error;
    bool done = false;
    QObject::connect(&grabber, &THttpUrlGrabber::OnProgress,
                     [&bar](qint64 position, qint64 total, const QString&, bool&) {
                         bar.Show(position, total);
                     });
    const auto finish = [&] {
        done = true;
        loop.quit();
    };
    QObject::connect(&grabber, &THttpUrlGrabber::OnDoneFile, &loop, finish);
    QObject::connect(&grabber, &THttpUrlGrabber::OnDoneStream, &loop,
                     [&](const QByteArray& stream) {
                         *body = stream;
                         finish();
                     });
    QObject::connect(&grabber, &THttpUrlGrabber::OnError, &loop, [&](const QString& message) {
        error = message;
        loop.quit();
    });
    grabber.StartTransfer();
    loop.exec();
    bar.Close();
    return done ? QString() : (error.isEmpty() ? QStringLiteral("no answer") : error);
}

// The other service's answer goes into the history before the primary's is
// stored, so "rt.dt" is filled from it; any failure is one sentence and
// leaves the primary's download alone.
void FetchFillAnswer(const Arguments& arguments) {
    if (!FillFromOtherSource())
        return;
    QFile page(PageFilePath());
    QString address = arguments.Value(kFillUrl);
    if (address.isEmpty() && page.open(QIODevice::ReadOnly))
        address = FillAddress(page.read(4096));
    if (address.isEmpty())
        return;
    QByteArray body;
    if (const QString error = Fetch(address, QString(), &body); !error.isEmpty()) {
        PrintErrorLine(FillFailedSentence(address, error));
        return;
    }
    if (const QString problem = KeepFillAnswer(body, address); !problem.isEmpty())
        PrintErrorLine(problem);
}

} // namespace

int FetchAndStore(const Arguments& arguments) {
    ExpectArguments(arguments, 0, "update [--url URL] [--fill-url URL]");
    const bool configExists = LoadSettings();
    const QString url =
        arguments.IsSet(kUrl) ? arguments.Value(kUrl) : RatePageUrl(Configuration());
    if (url.trimmed().isEmpty())
        Fail(kFetchError, QStringLiteral("No rate-page address is configured; give one "
                                         "with --url."));

    QFile::remove(PageFilePath());
    const PageFileRemover remover;
    const QString error = Fetch(url, PageFilePath());
    const bool done = error.isEmpty();
    if (done)
        FetchFillAnswer(arguments);
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
