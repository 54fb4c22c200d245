#include "url_grabber.h"

#include "rate_page_parser.h"
#include "settings/file_io.h"
#include "settings/language.h"
#include "settings/local_text.h"
#include "split_address.h"
#include "transfer_failure.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaMethod>
#include <QUrl>
#include <atomic>
#include <condition_variable>
#include <curl/curl.h>
#include <functional>
#include <mutex>

namespace kestrum {

namespace {

constexpr long kMaxRedirects = 10;
// curl's own default is 16 KiB; larger pieces mean fewer reads, callbacks
// and writes for a large answer, at a fixed cost in memory.
constexpr long kReceiveBuffer = 256 * 1024;
static_assert(THttpUrlGrabber::kMaxBodySize == kMaxPageSize,
              "a downloaded page must be one the parser reads");

bool CurlReady() {
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

// Everything a worker needs, copied on the owner's thread before it starts.
struct TransferRequest {
    QByteArray Address; // what curl is given, port and encoding applied
    QByteArray UserName;
    QByteArray Password;
    QByteArray Agent;
    QByteArray Referer;
    QString Url; // as reported in the events
    QString FileName;
    QString Proxy; // the proxy variable in effect and its value, for messages
    TOutputMode OutputMode = TOutputMode::omFile;
    bool ReportProgress = true; // someone listens to OnProgress
    long ConnectTimeout = 0;
    long StallTimeout = 0;
    std::chrono::seconds Deadline{0};
    qint64 MinimumSpeed = 0;
    std::chrono::seconds AveragedOver{0};
};

QByteArray RequestAddress(const AddressParts& parts) {
    QByteArray address = parts.Scheme.toLatin1() + "://" + parts.Host.toUtf8();
    if (parts.Port != 0)
        address += ':' + QByteArray::number(parts.Port);
    // curl refuses spaces and other raw characters that a browser would
    // encode; reserved characters and existing escapes are left alone.
    return address + '/' + QUrl::toPercentEncoding(parts.Object, "!#$%&'()*+,/:;=?@[]");
}

// True when `host` is named by a no_proxy list ("*", a name, or a domain
// with or without its leading dot).
bool Unproxied(const QString& host, const QByteArray& noProxy) {
    for (QByteArray entry : noProxy.split(',')) {
        entry = entry.trimmed();
        if (entry.startsWith('.'))
            entry.remove(0, 1);
        const QString name = QString::fromLatin1(entry);
        if (entry == "*" || (!name.isEmpty() && (host.compare(name, Qt::CaseInsensitive) == 0 ||
                                                 host.endsWith(u'.' + name, Qt::CaseInsensitive))))
            return true;
    }
    return false;
}

// The proxy libcurl takes from the environment for this address, as
// "https_proxy=http://proxy:3128"; empty when it goes direct. Plain http
// honours only the lower-case variable, as libcurl does.
QString ProxyInEffect(const AddressParts& parts) {
    if (Unproxied(parts.Host, qgetenv("no_proxy")) || Unproxied(parts.Host, qgetenv("NO_PROXY")))
        return {};
    const bool secure = parts.Scheme == QLatin1String("https");
    const char* names[] = {secure ? "https_proxy" : "http_proxy", secure ? "HTTPS_PROXY" : nullptr,
                           "all_proxy", "ALL_PROXY"};
    for (const char* name : names) {
        if (name == nullptr)
            continue;
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return QLatin1String(name) + u'=' + DisplayedAddress(QString::fromLocal8Bit(value));
    }
    return {};
}

} // namespace

// Shared by the grabber and one worker. The worker waits on handedBack for
// the owner to run each event; a stop request wakes it from that wait and from
// curl's poll, so stopping never waits on a server or on the owner's thread.
struct TransferControl {
    std::mutex mutex;
    std::condition_variable handedBack;
    std::atomic<bool> stopping = false;
    quint64 handled = 0;
    bool keepGoing = true;
    CURLM* multi = nullptr; // set while the worker drives a transfer

    void RequestStop() {
        std::lock_guard lock(mutex);
        stopping = true;
        if (multi != nullptr)
            curl_multi_wakeup(multi);
        handedBack.notify_all();
    }
};

namespace {

// Carries one worker event to the owner's thread. Qt deletes it there, so
// nothing the worker built is freed on the worker's side afterwards.
class HandOverEvent : public QEvent {
public:
    HandOverEvent(std::shared_ptr<TransferControl> control, quint64 ticket,
                  std::function<bool()> call)
        : QEvent(Type()), m_control(std::move(control)), m_ticket(ticket), m_call(std::move(call)) {
    }

    static QEvent::Type Type() {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

    void Deliver() {
        // A stopped transfer's events may still be queued; they are dropped.
        const bool keepGoing = !m_control->stopping && m_call();
        {
            std::lock_guard lock(m_control->mutex);
            m_control->handled = m_ticket;
            m_control->keepGoing = keepGoing;
        }
        m_control->handedBack.notify_all();
    }

private:
    std::shared_ptr<TransferControl> m_control;
    quint64 m_ticket = 0;
    std::function<bool()> m_call;
};

class HttpTransfer {
public:
    HttpTransfer(THttpUrlGrabber* owner, std::shared_ptr<TransferControl> control,
                 TransferRequest request)
        : m_owner(owner), m_control(std::move(control)), m_request(std::move(request)) {}

    void Run();

private:
    static size_t OnBody(char* data, size_t size, size_t count, void* self);
    static size_t OnHeader(char* data, size_t size, size_t count, void* self);
    static int OnTransferInfo(void* self, curl_off_t, curl_off_t received, curl_off_t, curl_off_t);
    bool WithinLimits(qint64 received);
    size_t TakeBody(const char* data, size_t length);
    // Opens where the body goes; false (after the error event) when it cannot.
    bool OpenTarget();
    // Hands the position over when it has reached another whole percent of
    // the announced length (of the largest body when none is announced), or
    // when `last` and the owner has not seen it yet. False when the transfer
    // is to end.
    bool ReportProgress(bool last);
    CURLcode Drive(CURLM* multi, CURL* easy);
    void Finish(CURLcode result, const char* errorText);
    void RaiseError(QString text); // by value: it may name what it releases
    // Runs event on the owner's thread and waits for it. False when the
    // transfer is to end: stopped by the owner or Continue cleared.
    bool HandOver(std::function<bool()> event);

    THttpUrlGrabber* m_owner = nullptr;
    std::shared_ptr<TransferControl> m_control;
    TransferRequest m_request;
    CURL* m_easy = nullptr;
    // The body streams into the file as it arrives; only omStream keeps it.
    std::unique_ptr<FileInProgress> m_file;
    QByteArray m_body;
    qint64 m_received = 0;
    QString m_writeFailure;
    QByteArray m_statusLine;
    qint64 m_size = 0;
    qint64 m_reportedPosition = 0;
    int m_reportedPercent = -1;
    quint64 m_posted = 0;
    bool m_tooLarge = false;
    bool m_abandoned = false;
    QString m_driveFailure; // the multi interface's own failure, rare
    QString m_limitFailure; // the deadline or the average speed was missed
    std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();
};

bool HttpTransfer::OpenTarget() {
    if (m_request.OutputMode == TOutputMode::omStream)
        return true;
    m_file = std::make_unique<FileInProgress>(m_request.FileName,
                                              m_request.OutputMode == TOutputMode::omPrivateFile
                                                  ? FileInProgress::Target::InPlace
                                                  : FileInProgress::Target::Replace);
    if (m_file->Status())
        return true;
    RaiseError(m_file->Status().error);
    return false;
}

void HttpTransfer::Run() {
    m_started = std::chrono::steady_clock::now();
    if (!OpenTarget())
        return;
    CURL* easy = CurlReady() ? curl_easy_init() : nullptr;
    CURLM* multi = easy != nullptr ? curl_multi_init() : nullptr;
    if (multi == nullptr) {
        curl_easy_cleanup(easy);
        RaiseError(QCoreApplication::translate("Transfer", "Cannot start the HTTP client"));
        return;
    }
    m_easy = easy;

    curl_slist* headers = curl_slist_append(nullptr, "Pragma: no-cache");
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
    char errorText[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(easy, CURLOPT_URL, m_request.Address.constData());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(easy, CURLOPT_USERAGENT, m_request.Agent.constData());
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    if (!m_request.UserName.isEmpty())
        curl_easy_setopt(easy, CURLOPT_USERNAME, m_request.UserName.constData());
    if (!m_request.Password.isEmpty())
        curl_easy_setopt(easy, CURLOPT_PASSWORD, m_request.Password.constData());
    if (!m_request.Referer.isEmpty())
        curl_easy_setopt(easy, CURLOPT_REFERER, m_request.Referer.constData());
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, m_request.ConnectTimeout);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, m_request.StallTimeout);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // A stop during a slow name lookup must not wait for the resolver thread.
    curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBuffer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpTransfer::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpTransfer::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &HttpTransfer::OnTransferInfo);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);

    curl_multi_add_handle(multi, easy);
    const CURLcode result = Drive(multi, easy);
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    curl_slist_free_all(headers);

    if (!m_control->stopping && !m_abandoned)
        Finish(result, errorText);
    curl_easy_cleanup(easy);
}

CURLcode HttpTransfer::Drive(CURLM* multi, CURL* easy) {
    {
        std::lock_guard lock(m_control->mutex);
        m_control->multi = multi;
    }
    CURLcode result = CURLE_OK;
    bool done = false;
    int running = 1;
    while (!done && running > 0 && !m_control->stopping) {
        CURLMcode code = curl_multi_perform(multi, &running);
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
                result = message->data.result;
                done = true;
            }
        }
        if (code == CURLM_OK && !done)
            code = curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
        if (code != CURLM_OK) {
            m_driveFailure = ShownLanguage() == kLanguageEnglish
                                 ? QString::fromUtf8(curl_multi_strerror(code))
                                 : QCoreApplication::translate(
                                       "Transfer", "The transfer failed (libcurl error %1)")
                                       .arg(QStringLiteral("M%1").arg(int(code)));
            break;
        }
    }
    std::lock_guard lock(m_control->mutex);
    m_control->multi = nullptr;
    return result;
}

void HttpTransfer::Finish(CURLcode result, const char* errorText) {
    long status = 0;
    curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
    if (!m_limitFailure.isEmpty())
        return RaiseError(m_limitFailure);
    if (m_tooLarge)
        return RaiseError(QCoreApplication::translate("Transfer", "Response too large"));
    if (!m_writeFailure.isEmpty())
        return RaiseError(m_writeFailure);
    if (status >= 400)
        return RaiseError(StatusText(status, m_statusLine));
    if (!m_driveFailure.isEmpty())
        return RaiseError(m_driveFailure);
    if (result != CURLE_OK)
        return RaiseError(TransferFailure(result, errorText, m_request.Proxy));
    if (!ReportProgress(true))
        return;

    // The file takes its place on the owner's thread, where the caller may
    // also touch it. The page is read once and deleted, so it is not synced.
    HandOver([this] {
        // A handler may end the transfer, and this object with it: the
        // events get copies.
        THttpUrlGrabber* const owner = m_owner;
        const QString url = m_request.Url;
        if (m_request.OutputMode == TOutputMode::omStream) {
            const QByteArray body = m_body;
            emit owner->OnDoneStream(body, body.size(), url);
            return true;
        }
        const QString fileName = m_request.FileName;
        const qint64 size = m_received;
        const IoResult saved = m_file->Commit(FileInProgress::Sync::Skip);
        if (saved)
            emit owner->OnDoneFile(fileName, size, url);
        else
            emit owner->OnError(Printable(saved.error));
        return true;
    });
}

void HttpTransfer::RaiseError(QString text) {
    // The partial file is gone before anyone hears of the failure.
    m_file.reset();
    // A status line or an error text may carry what a server chose to send.
    HandOver([owner = m_owner, message = Printable(text)] {
        emit owner->OnError(message);
        return true;
    });
}

size_t HttpTransfer::OnHeader(char* data, size_t size, size_t count, void* self) {
    const QByteArray line = QByteArray(data, qsizetype(size * count)).trimmed();
    // Each response of a redirect chain starts with a status line; the last
    // one describes the body.
    if (line.startsWith("HTTP/"))
        static_cast<HttpTransfer*>(self)->m_statusLine = line;
    return size * count;
}

int HttpTransfer::OnTransferInfo(void* self, curl_off_t, curl_off_t received, curl_off_t,
                                 curl_off_t) {
    return static_cast<HttpTransfer*>(self)->WithinLimits(qint64(received)) ? 0 : 1;
}

bool HttpTransfer::WithinLimits(qint64 received) {
    using namespace std::chrono;
    const auto elapsed = steady_clock::now() - m_started;
    if (elapsed >= m_request.Deadline) {
        m_limitFailure =
            QCoreApplication::translate("Transfer", "The transfer took longer than %1 s")
                .arg(m_request.Deadline.count());
        return false;
    }
    const double seconds = duration<double>(elapsed).count();
    if (elapsed >= m_request.AveragedOver && received < m_request.MinimumSpeed * seconds) {
        m_limitFailure = QCoreApplication::translate(
                             "Transfer", "The transfer is slower than %1 bytes per second")
                             .arg(m_request.MinimumSpeed);
        return false;
    }
    return true;
}

size_t HttpTransfer::OnBody(char* data, size_t size, size_t count, void* self) {
    return static_cast<HttpTransfer*>(self)->TakeBody(data, size * count);
}

size_t HttpTransfer::TakeBody(const char* data, size_t length) {
    long status = 0;
    curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400)
        return 0; // an error page is not worth reading
    curl_off_t announced = -1;
    curl_easy_getinfo(m_easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    m_size = announced > 0 ? announced : 0;
    if (m_size > THttpUrlGrabber::kMaxBodySize ||
        m_received + qint64(length) > THttpUrlGrabber::kMaxBodySize) {
        m_tooLarge = true;
        return 0;
    }

    if (m_file) {
        if (const IoResult written = m_file->Append(data, qint64(length)); !written) {
            m_writeFailure = written.error;
            return 0;
        }
    } else {
        // One allocation for an announced body instead of a doubling per piece.
        if (m_body.isEmpty() && m_size > 0)
            m_body.reserve(m_size);
        m_body.append(data, qsizetype(length));
    }
    m_received += qint64(length);
    if (!ReportProgress(false)) {
        m_abandoned = true;
        return 0;
    }
    return length;
}

bool HttpTransfer::ReportProgress(bool last) {
    const qint64 position = m_received;
    const qint64 scale = m_size > 0 ? m_size : THttpUrlGrabber::kMaxBodySize;
    const int percent = int(position * 100 / scale);
    if (!m_request.ReportProgress || position == m_reportedPosition ||
        (!last && percent <= m_reportedPercent))
        return true;
    m_reportedPercent = percent;
    m_reportedPosition = position;
    return HandOver([owner = m_owner, position, total = m_size, url = m_request.Url] {
        bool proceed = true;
        emit owner->OnProgress(position, total, url, proceed);
        return proceed;
    });
}

bool HttpTransfer::HandOver(std::function<bool()> event) {
    if (m_control->stopping)
        return false;
    const quint64 ticket = ++m_posted;
    QCoreApplication::postEvent(m_owner, new HandOverEvent(m_control, ticket, std::move(event)));

    std::unique_lock lock(m_control->mutex);
    m_control->handedBack.wait(lock,
                               [&] { return m_control->handled == ticket || m_control->stopping; });
    return !m_control->stopping && m_control->keepGoing;
}

} // namespace

// libcurl is set up by the first transfer, so a window that never downloads
// never loads it.
THttpUrlGrabber::THttpUrlGrabber(QObject* parent) : QObject(parent) {}

THttpUrlGrabber::~THttpUrlGrabber() {
    StopWorker();
}

void THttpUrlGrabber::customEvent(QEvent* event) {
    if (event->type() == HandOverEvent::Type())
        static_cast<HandOverEvent*>(event)->Deliver();
    else
        QObject::customEvent(event);
}

void THttpUrlGrabber::SetUrl(const QString& address) {
    const AddressParts parts = SplitAddress(address);
    if (!parts.UserName.isEmpty())
        m_userName = parts.UserName;
    if (!parts.Password.isEmpty())
        m_password = parts.Password;
    if (parts.Port != 0)
        m_port = parts.Port;
    m_url = NormalizedAddress(parts);
}

void THttpUrlGrabber::SetTimeLimits(std::chrono::seconds connect, std::chrono::seconds stall) {
    m_connectTimeout = connect;
    m_stallTimeout = stall;
}

void THttpUrlGrabber::SetTransferLimits(std::chrono::seconds deadline, qint64 minimumSpeed,
                                        std::chrono::seconds averagedOver) {
    m_deadline = deadline;
    m_minimumSpeed = minimumSpeed;
    m_averagedOver = averagedOver;
}

void THttpUrlGrabber::StartTransfer() {
    StopWorker();

    const AddressParts parts = SplitAddress(m_url, m_userName, m_password, m_port);
    TransferRequest request;
    request.Address = RequestAddress(parts);
    request.UserName = parts.UserName.toUtf8();
    request.Password = parts.Password.toUtf8();
    request.Agent = m_agent.toUtf8();
    request.Referer = m_referer.toUtf8();
    request.Url = m_url;
    request.FileName = m_fileName;
    request.Proxy = ProxyInEffect(parts);
    request.OutputMode = m_outputMode;
    // Each event is a round trip between the threads: none for no listener.
    request.ReportProgress =
        isSignalConnected(QMetaMethod::fromSignal(&THttpUrlGrabber::OnProgress));
    request.ConnectTimeout = long(m_connectTimeout.count());
    request.StallTimeout = long(m_stallTimeout.count());
    request.Deadline = m_deadline;
    request.MinimumSpeed = m_minimumSpeed;
    request.AveragedOver = m_averagedOver;

    m_control = std::make_shared<TransferControl>();
    auto transfer = std::make_shared<HttpTransfer>(this, m_control, std::move(request));
    m_worker = std::thread([transfer] { transfer->Run(); });
}

void THttpUrlGrabber::StopTransfer() {
    StopWorker();
}

void THttpUrlGrabber::StopWorker() {
    if (m_control)
        m_control->RequestStop();
    if (m_worker.joinable())
        m_worker.join();
    m_control.reset();
}

} // namespace kestrum
