#include "history_fetch.h"

#include "rate_series.h"

#include "data/dates.h"
#include "history/history_query.h"
#include "history/history_store.h"
#include "settings/configuration.h"
#include "update/progress_form.h"
#include "update/url_grabber.h"
#include "widgets/message_box.h"
#include "widgets/prism_bar.h"

#include <QPushButton>
#include <QWidget>
#include <limits>

namespace kestrum {

namespace {

std::size_t DaysStored(history::Store& store, const QString& source) {
    return history::StoredDays(store, source, std::numeric_limits<int>::min(),
                               std::numeric_limits<int>::max())
        .size();
}

} // namespace

THistoryFetch::THistoryFetch(QWidget* owner) : QObject(owner), m_owner(owner) {
    MakeGrabber();
}

void THistoryFetch::MakeGrabber() {
    m_grabber = new THttpUrlGrabber(this);
    m_grabber->SetOutputMode(TOutputMode::omStream);
    m_grabber->SetAgent(QStringLiteral("Kestrum"));
    connect(m_grabber, &THttpUrlGrabber::OnDoneStream, this, &THistoryFetch::DoneStream);
    connect(m_grabber, &THttpUrlGrabber::OnError, this, &THistoryFetch::Error);
    connect(m_grabber, &THttpUrlGrabber::OnProgress, this, &THistoryFetch::Progress,
            Qt::DirectConnection);
}

THistoryFetch::~THistoryFetch() {
    QObject::disconnect(m_cancelConnection);
    // The window closed during a job: the grabber's end stops the transfer,
    // and the progress window must not stay behind with its Cancel.
    if (!m_finished)
        HideProgress();
}

bool THistoryFetch::Start(const QString& source) {
    if (!m_finished)
        return false;
    if (FirstHistoryDay(source) < 0) {
        Messages().Information(m_owner, tr("Only the Bank of Canada's, the ECB's and the NBP's "
                                           "history can be fetched; choose one of the first two "
                                           "with \"kestrum source\"."));
        return false;
    }
    m_store = std::make_unique<history::Store>();
    const history::OpenResult opened = m_store->Open();
    if (!opened.usable() || opened.status == history::OpenStatus::ReadOnly) {
        Messages().Error(m_owner, opened.message);
        return false;
    }
    if (!opened.message.isEmpty())
        Messages().Information(m_owner, opened.message);
    const int today = static_cast<int>(TodayDateValue());
    m_source = source;
    try {
        m_plan = PlanHistoryFetch(*m_store, source, FirstHistoryDay(source), today, today,
                                  HistoryAddress(source, Configuration(), BaseAddress));
    } catch (const history::StoreError& error) {
        m_store.reset();
        Messages().Error(m_owner, error.sentence());
        return false;
    }
    if (m_plan.empty()) {
        Messages().Information(
            m_owner,
            tr("The history of the %1 is complete up to today.").arg(SourceDisplayName(source)));
        return false;
    }
    m_next = 0;
    m_stored = 0;
    m_days = 0;
    m_empty = 0;
    m_daysBefore = DaysStored(*m_store, source);
    m_cancelled = false;
    m_failed = false;
    m_finished = false;
    FetchNext();
    return true;
}

void THistoryFetch::FetchNext() {
    TProgressForm* progress = ProgressForm();
    const HistoryRequest& request = m_plan[m_next];
    if (progress) {
        // Short enough for the window's large face in either language.
        progress->ShowProgress(tr("History %1\u2013%2...")
                                   .arg(CalendarDate(request.fromDay).year())
                                   .arg(CalendarDate(request.toDay).year()));
        // Over the window that asked, not wherever the last download was.
        const QRect over = m_owner->window()->frameGeometry();
        progress->move(over.center() - progress->rect().center());
        progress->TotalPrismBar->SetProgress(
            static_cast<std::int32_t>(m_next * 100 / m_plan.size()));
        progress->CancelButton->show();
        QObject::disconnect(m_cancelConnection);
        m_cancelConnection =
            connect(progress->CancelButton, &QPushButton::clicked, this, &THistoryFetch::Cancel);
        progress->CancelButton->setEnabled(true);
    }
    ++m_next;
    m_grabber->SetUrl(request.url);
    m_grabber->StartTransfer();
}

void THistoryFetch::DoneStream(const QByteArray& body, qint64, const QString&) {
    const FetchedAnswer fetched = StoreHistoryAnswer(*m_store, m_source, m_plan[m_next - 1], body);
    if (!fetched.stored) {
        m_failed = true;
        Finish();
        Messages().Error(m_owner, fetched.stored.error);
        return;
    }
    ++m_stored;
    m_days += fetched.stored.days;
    m_empty += fetched.empty;
    Continue();
}

// The next request, or the end of the job; answers that all held nothing
// make it a failure.
void THistoryFetch::Continue() {
    if (!m_cancelled && m_next < m_plan.size()) {
        FetchNext();
        return;
    }
    bool failed = false;
    const QString summary = FetchSummary(m_source, m_days, m_empty, int(m_next),
                                         m_plan.front().fromDay, m_plan[m_next - 1].toDay, failed);
    m_failed = failed;
    Finish();
    if (failed)
        Messages().Error(m_owner, summary);
}

void THistoryFetch::Error(const QString& message) {
    if (IsEmptyStretchError(m_source, message)) {
        Continue();
        return;
    }
    m_failed = true;
    Finish();
    Messages().Error(m_owner, tr("The history could not be fetched: %1").arg(message));
}

// The request in flight is dropped at once: its grabber goes, and with it
// the transfer; a new one serves the next job.
void THistoryFetch::Cancel() {
    if (m_finished)
        return;
    m_cancelled = true;
    delete m_grabber;
    MakeGrabber();
    Finish();
}

void THistoryFetch::Progress(qint64 position, qint64 total, const QString&, bool&) {
    TProgressForm* progress = ProgressForm();
    if (!progress || total <= 0)
        return;
    progress->PrismBar->SetProgress(static_cast<std::int32_t>(position * 100 / total));
}

void THistoryFetch::Finish() {
    m_finished = true;
    QObject::disconnect(m_cancelConnection);
    if (TProgressForm* progress = ProgressForm()) {
        progress->TotalPrismBar->SetProgress(100);
        HideProgress();
    }
    const std::size_t after = m_store ? DaysStored(*m_store, m_source) : m_daysBefore;
    m_store.reset();
    m_added = static_cast<int>(after > m_daysBefore ? after - m_daysBefore : 0);
    emit Finished(m_stored);
}

} // namespace kestrum
