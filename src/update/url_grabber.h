#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <memory>
#include <thread>

namespace kestrum {

// omFile: the body streams into a temporary beside FileName that takes its
// place when the transfer has ended, so a failed, stopped or killed transfer
// never leaves a partial FileName. omPrivateFile: it streams straight into
// FileName, an empty file the caller made for this transfer alone (see
// CreatePrivateTemporary), emptied again when the transfer fails. omStream:
// the body is kept in memory and handed over whole.
enum class TOutputMode { omFile, omStream, omPrivateFile };

struct TransferControl;

// Fetches one address over HTTP(S) on a worker thread into a file or into
// memory (see TOutputMode); a file's memory does not grow with the body. Every event is raised on
// the owner's thread while the worker waits for the handler to return, so handlers never run
// concurrently with each other or with the owner's other work.
class THttpUrlGrabber : public QObject {
    Q_OBJECT

public:
    explicit THttpUrlGrabber(QObject* parent = nullptr);
    ~THttpUrlGrabber() override; // stops and joins a running transfer

    QString Url() const { return m_url; }
    // Keeps the address in normal form; credentials and a port found in it
    // replace UserName, Password and Port.
    void SetUrl(const QString& address);
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    TOutputMode OutputMode() const { return m_outputMode; }
    void SetOutputMode(TOutputMode mode) { m_outputMode = mode; }
    QString Agent() const { return m_agent; }
    void SetAgent(const QString& agent) { m_agent = agent; }
    quint32 Port() const { return m_port; }
    void SetPort(quint32 port) { m_port = port; }
    QString UserName() const { return m_userName; }
    void SetUserName(const QString& userName) { m_userName = userName; }
    QString Password() const { return m_password; }
    void SetPassword(const QString& password) { m_password = password; }
    QString Referer() const { return m_referer; }
    void SetReferer(const QString& referer) { m_referer = referer; }

    // How long a connection may take, and how long a transfer may go without
    // receiving a byte, before it fails. Applies to transfers started later.
    void SetTimeLimits(std::chrono::seconds connect, std::chrono::seconds stall);
    // A trickle of bytes never stalls; these bound it. A transfer fails once
    // it has run for `deadline`, or when, after `averagedOver`, it has
    // received fewer than `minimumSpeed` bytes per second on average.
    void SetTransferLimits(std::chrono::seconds deadline, qint64 minimumSpeed,
                           std::chrono::seconds averagedOver);

    // Ends a running transfer without its done event, then starts a new one
    // and returns at once.
    void StartTransfer();
    // Ends a running transfer without a done or error event; its partial file
    // is gone when this returns.
    void StopTransfer();

    static constexpr qint64 kMaxBodySize = 32 * 1024 * 1024;

signals:
    void OnDoneFile(QString FileName, qint64 FileSize, QString Url);
    void OnDoneStream(QByteArray Stream, qint64 StreamSize, QString Url);
    void OnError(QString ErrorMsg);
    // At most one event per whole percent of TotalSize, and one for the
    // last byte; TotalSize is 0 when the server announced no length (an
    // event per percent of kMaxBodySize then). Clearing Continue abandons the transfer
    // without a done or error event.
    void OnProgress(qint64 Position, qint64 TotalSize, QString Url, bool& Continue);

protected:
    void customEvent(QEvent* event) override;

private:
    void StopWorker();

    QString m_url;
    QString m_fileName = QStringLiteral("output.txt");
    TOutputMode m_outputMode = TOutputMode::omFile;
    QString m_agent = QStringLiteral("Kestrum");
    quint32 m_port = 0;
    QString m_userName;
    QString m_password;
    QString m_referer;
    std::chrono::seconds m_connectTimeout{30};
    std::chrono::seconds m_stallTimeout{60};
    std::chrono::seconds m_deadline{120};
    qint64 m_minimumSpeed = 256;
    std::chrono::seconds m_averagedOver{30};

    std::thread m_worker;
    std::shared_ptr<TransferControl> m_control;
};

} // namespace kestrum
