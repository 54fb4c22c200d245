#pragma once

#include "update/history_keeping.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace kestrum {

class THttpUrlGrabber;
namespace history {
class Store;
}

// The Graphs window's back-fill: the requests `kestrum history fetch` plans,
// fetched one after another through the grabber and stored one by one, with
// the progress window showing the whole job on the left and the current
// request on the right. Cancel ends the job at once, the request in flight
// included; what was stored stays.
class THistoryFetch : public QObject {
    Q_OBJECT
public:
    explicit THistoryFetch(QWidget* owner);
    ~THistoryFetch() override;

    // Replaces the services' addresses (tests point it at a loopback server).
    QString BaseAddress;

    bool Running() const { return !m_finished; }
    // Plans and starts a job for `source` from its first day to today. False,
    // with the reason shown, when nothing needs fetching or the store cannot
    // be opened.
    bool Start(const QString& source);
    void Cancel();
    // The days the last job added to the store.
    int DaysAdded() const { return m_added; }
    // The last job ended on an error, already shown.
    bool Failed() const { return m_failed; }
    // The user stopped the last job.
    bool Cancelled() const { return m_cancelled; }

signals:
    // The job ended: `stored` requests went into the store.
    void Finished(int stored);

private:
    void MakeGrabber();
    void FetchNext();
    void DoneStream(const QByteArray& body, qint64 size, const QString& url);
    void Error(const QString& message);
    void Continue();
    void Progress(qint64 position, qint64 total, const QString& url, bool& carryOn);
    void Finish();

    QWidget* m_owner = nullptr;
    THttpUrlGrabber* m_grabber = nullptr;
    std::unique_ptr<history::Store> m_store;
    QString m_source;
    std::vector<HistoryRequest> m_plan;
    std::size_t m_next = 0;
    int m_stored = 0;
    int m_days = 0;  // days stored by the job
    int m_empty = 0; // answers of the service that held nothing
    std::size_t m_daysBefore = 0;
    int m_added = 0;
    bool m_failed = false;
    bool m_cancelled = false;
    bool m_finished = true;
    QMetaObject::Connection m_cancelConnection;
};

} // namespace kestrum
