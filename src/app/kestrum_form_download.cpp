// The main window's download sequence: when to fetch, the transfer's events,
// and what the user sees at its end.
#include "kestrum_form.h"

#include "data/dates.h"
#include "data/rate_files.h"
#include "data/rate_store.h"
#include "settings/configuration.h"
#include "settings/file_io.h"
#include "settings/message_table.h"
#include "settings/options.h"
#include "update/history_keeping.h"
#include "update/platform.h"
#include "update/progress_form.h"
#include "update/publication_rule.h"
#include "update/rate_pipeline.h"
#include "update/rate_sources.h"
#include "update/url_grabber.h"
#include "widgets/message_box.h"
#include "widgets/prism_bar.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace kestrum {

namespace {

QString Text(int entry) {
    return MessageText(entry);
}

} // namespace

void TKestrumForm::CreateDownload() {
    HttpUrlGrabber = new THttpUrlGrabber(this);
    HttpUrlGrabber->setObjectName(QStringLiteral("HttpUrlGrabber"));
    HttpUrlGrabber->SetAgent(QStringLiteral("Kestrum"));
    HttpUrlGrabber->SetPort(0);
    connect(HttpUrlGrabber, &THttpUrlGrabber::OnDoneFile, this,
            &TKestrumForm::HttpUrlGrabberDoneFile);
    connect(HttpUrlGrabber, &THttpUrlGrabber::OnError, this, &TKestrumForm::HttpUrlGrabberError);
    // Direct: Continue is a reference the grabber reads after the handler.
    connect(HttpUrlGrabber, &THttpUrlGrabber::OnProgress, this,
            &TKestrumForm::HttpUrlGrabberProgress, Qt::DirectConnection);
    connect(DownloadButton, &QPushButton::clicked, this, &TKestrumForm::DownloadButtonClick);
}

bool TKestrumForm::RatesAvailableNow(bool showMessage) {
    const Platform& platform = CurrentPlatform();
    const QDateTime now = platform.Now();
    const RatePublisher publisher = PublisherOf(RatePageUrl(Configuration()));
    const PublicationCheck check =
        CheckPublication(publisher, now, platform.BaseBias(now), Configuration().DataDate);
    if (check.result == Publication::NotYet && showMessage)
        Messages().Information(this, HoursMessage(publisher, check.hoursRemaining));
    return check.result == Publication::Available;
}

void TKestrumForm::StartDownload() {
    QFile::remove(PageFilePath());
    RemoveStaleTemporaries(PageFilePath());
    m_fillTried = false;
    m_fillExpected = FillFromOtherSource();
    const QString address = RatePageUrl(Configuration());
    const double today = DateValueOf(CurrentPlatform().Now().date());
    const bool wanted = Configuration().AutoDownload != 0 || m_downloadPressed;
    if (!(today > Configuration().DataDate && RatesAvailableNow(false) && wanted)) {
        EndDownloadAttempt();
        return;
    }
    // Only a download about to start asks about the connection.
    if (!CurrentPlatform().Connected(address) &&
        Messages().Show(this, MessageBoxes::Kind::Information, Text(msg::NotConnected),
                        MessageBoxes::Buttons::RetryCancel) != MessageBoxes::Answer::Retry) {
        EndDownloadAttempt();
        return;
    }
    ShowProgress(Text(msg::Downloading));
    if (TProgressForm* progress = ProgressForm()) {
        progress->CancelButton->show();
        progress->CancelButton->setEnabled(true);
        disconnect(m_cancelDownload);
        m_cancelDownload = connect(progress->CancelButton, &QPushButton::clicked, this,
                                   &TKestrumForm::CancelDownload);
    }
    HttpUrlGrabber->SetUrl(address);
    HttpUrlGrabber->SetFileName(PageFilePath());
    HttpUrlGrabber->StartTransfer();
}

// Cancel, Esc or closing the progress window: the transfers stop where they
// are, and the rates stay as they were.
void TKestrumForm::CancelDownload() {
    disconnect(m_cancelDownload);
    HttpUrlGrabber->StopTransfer();
    if (m_fillGrabber)
        m_fillGrabber->StopTransfer();
    QFile::remove(PageFilePath()); // a first file waiting for the second
    HideProgress();
    EndDownloadAttempt();
}

void TKestrumForm::DownloadButtonClick() {
    if (!RatesAvailableNow(true))
        return;
    m_downloadPressed = true;
    StartDownload();
}

// The attempt is over without new rates: the button offers the next one.
void TKestrumForm::EndDownloadAttempt() {
    DownloadButton->setEnabled(true);
    m_downloadPressed = false;
}

void TKestrumForm::HttpUrlGrabberDoneFile(const QString&, qint64, const QString&) {
    if (QFile::exists(PageFilePath()) && StartFillDownload())
        return;
    disconnect(m_cancelDownload);
    HideProgress();
    if (!QFile::exists(PageFilePath())) {
        if (Messages().Show(this, MessageBoxes::Kind::Information, Text(msg::DownloadFailed),
                            MessageBoxes::Buttons::YesCancel) == MessageBoxes::Answer::Yes)
            DownloadTimer->start();
        else
            EndDownloadAttempt();
        return;
    }
    const PipelineResult stored = StoreRatePage(ProgramRates(), false);
    if (stored) {
        m_downloadPressed = false;
        DataDateLabel->setText(DataDateText(Configuration().DataDate));
        RefillCurrencyLists();
        NoteConfiguredAnswer(Configuration(), RatePageUrl(Configuration()), stored.source);
        if (!m_fillProblems.isEmpty())
            Messages().Information(this, m_fillProblems.join(QLatin1Char('\n')));
        ShowMessages(PipelineMessages(stored)); // only a history that could not take the page
        return;
    }
    ShowMessages(PipelineMessages(stored));
    EndDownloadAttempt();
}

void TKestrumForm::HttpUrlGrabberError(const QString& ErrorMsg) {
    disconnect(m_cancelDownload);
    HideProgress();
    const QString question = Text(msg::DownloadFailed) + QStringLiteral("\n\n") + ErrorMsg;
    if (Messages().Show(this, MessageBoxes::Kind::Information, question,
                        MessageBoxes::Buttons::YesCancel) == MessageBoxes::Answer::Yes) {
        DownloadTimer->start();
        return;
    }
    EndDownloadAttempt();
    ShowMessages(RateFileMessages(LoadRateFile(Rates(), Configuration())));
}

void TKestrumForm::HttpUrlGrabberProgress(qint64 Position, qint64 TotalSize, const QString&,
                                          bool&) {
    TProgressForm* progress = ProgressForm();
    if (TotalSize == 0 || !progress)
        return;
    const double percent = static_cast<double>(Position * 100) / static_cast<double>(TotalSize);
    progress->PrismBar->SetProgress(static_cast<std::int32_t>(percent));
    // With filling the job is the page and the fills, the page first; their
    // number is known once the page is in.
    if (m_fillExpected)
        progress->TotalPrismBar->SetProgress(static_cast<std::int32_t>(percent / 4));
}

} // namespace kestrum
