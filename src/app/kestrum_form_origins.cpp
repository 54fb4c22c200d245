// The source and day behind the result on screen, and the second download
// that fills from the other source.
#include "kestrum_form.h"

#include "data/catalogue.h"
#include "data/dates.h"
#include "data/rate_store.h"
#include "history/coverage.h"
#include "update/fill_download.h"
#include "update/progress_form.h"
#include "update/rate_page_parser.h"
#include "update/url_grabber.h"
#include "widgets/prism_bar.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>

namespace kestrum {

void TKestrumForm::ShowRateOrigins(int from, int to) {
    const history::RateOrigins origins = history::OriginsOfStoredRates(Rates());
    QStringList shown;
    QStringList detail;
    for (const int k : {from, to}) {
        const int d = CurrentRateDay(Rates(), k);
        if (k == 0 || d == 0 || (k == to && to == from))
            continue;
        const history::Origin& origin = origins[d - 1][k];
        if (origin.source.isEmpty())
            continue;
        const QString code = history::ShownCode(k, origin);
        shown << QStringLiteral("%1: %2, %3")
                     .arg(code, history::OriginLabel(origin), ShortDateText(origin.day));
        detail << QStringLiteral("%1: %2").arg(code, history::OriginSentence(origin));
    }
    const QString text = shown.join(QStringLiteral(" \u00b7 "));
    const QString before = RateOriginLabel->text();
    RateOriginLabel->setText(
        RateOriginLabel->fontMetrics().elidedText(text, Qt::ElideRight, RateOriginLabel->width()));
    RateOriginLabel->setToolTip(detail.join(QLatin1Char('\n')));
    // The whole line, not the cut one, is the label's name: setting it is
    // what screen readers hear as a change (a value event on a label never
    // reaches them).
    if (RateOriginLabel->text() != before || RateOriginLabel->accessibleName() != text)
        RateOriginLabel->setAccessibleName(text.isEmpty() ? tr("Where the rates come from") : text);
}

// The line speaks of the chosen pair from the start, result or not.
void TKestrumForm::ShowSelectedOrigins() {
    const int language = ShownLanguage();
    const int from = SelectedCurrency(FromComboBox, language);
    const int to = SelectedCurrency(ToComboBox, language);
    if (from >= 0 && to >= 0)
        ShowRateOrigins(from, to);
}

// The page's files are 1 + n: the bars show the page first, then each fill.
bool TKestrumForm::StartFillDownload() {
    if (!m_fillTried) {
        m_fillTried = true;
        m_fillProblems.clear();
        QFile page(PageFilePath());
        if (!m_fillExpected || !page.open(QIODevice::ReadOnly))
            return false;
        m_fillQueue = FillAddresses(page.read(4096));
        m_fillCount = int(m_fillQueue.size());
    }
    if (m_fillQueue.isEmpty()) {
        if (TProgressForm* progress = ProgressForm(); progress && m_fillCount > 0)
            progress->TotalPrismBar->SetProgress(100);
        return false;
    }
    if (!m_fillGrabber) {
        m_fillGrabber = new THttpUrlGrabber(this);
        m_fillGrabber->setObjectName(QStringLiteral("FillUrlGrabber"));
        m_fillGrabber->SetAgent(QStringLiteral("Kestrum"));
        m_fillGrabber->SetOutputMode(TOutputMode::omStream);
        connect(m_fillGrabber, &THttpUrlGrabber::OnDoneStream, this,
                [this](const QByteArray& body) {
                    FillDownloadEnded(KeepFillAnswer(body, m_fillQueue.value(0)));
                });
        connect(m_fillGrabber, &THttpUrlGrabber::OnError, this, [this](const QString& error) {
            FillDownloadEnded(FillFailedSentence(m_fillQueue.value(0), error));
        });
        connect(
            m_fillGrabber, &THttpUrlGrabber::OnProgress, this,
            [this](qint64 position, qint64 total, const QString&, bool&) {
                TProgressForm* progress = ProgressForm();
                if (total == 0 || !progress)
                    return;
                const auto percent = static_cast<std::int32_t>(position * 100 / total);
                const int files = m_fillCount + 1;
                const int done = files - int(m_fillQueue.size());
                progress->PrismBar->SetProgress(percent);
                progress->TotalPrismBar->SetProgress((done * 100 + percent) / files);
            },
            Qt::DirectConnection);
    }
    if (TProgressForm* progress = ProgressForm()) {
        const int files = m_fillCount + 1;
        progress->TotalPrismBar->SetProgress((files - int(m_fillQueue.size())) * 100 / files);
        progress->PrismBar->SetProgress(0);
    }
    m_fillGrabber->SetUrl(m_fillQueue.front());
    m_fillGrabber->StartTransfer();
    return true;
}

void TKestrumForm::FillDownloadEnded(const QString& problem) {
    if (!problem.isEmpty())
        m_fillProblems << problem;
    if (!m_fillQueue.isEmpty())
        m_fillQueue.removeFirst();
    HttpUrlGrabberDoneFile({}, 0, {});
}

} // namespace kestrum
