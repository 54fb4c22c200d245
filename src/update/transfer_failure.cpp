#include "transfer_failure.h"

#include "settings/language.h"

#include <QCoreApplication>

namespace kestrum {

QString StatusText(long code, const QByteArray& statusLine) {
    // "HTTP/1.1 404 Not Found": the reason phrase follows the second space.
    const qsizetype first = statusLine.indexOf(' ');
    const qsizetype second = first < 0 ? -1 : statusLine.indexOf(' ', first + 1);
    const QByteArray reason = second < 0 ? QByteArray() : statusLine.mid(second + 1).trimmed();
    QString text = QStringLiteral("HTTP %1").arg(code);
    if (!reason.isEmpty())
        text += u' ' + QString::fromLatin1(reason);
    return text;
}

namespace {

// libcurl speaks English only: in another language its code is told in our
// own words.
QString CurlCodeSentence(CURLcode result) {
    switch (result) {
    case CURLE_UNSUPPORTED_PROTOCOL:
        return QCoreApplication::translate("Transfer", "The address's protocol is not supported");
    case CURLE_URL_MALFORMAT:
        return QCoreApplication::translate("Transfer", "The address is malformed");
    case CURLE_COULDNT_RESOLVE_PROXY:
        return QCoreApplication::translate("Transfer", "The proxy's name cannot be resolved");
    case CURLE_COULDNT_RESOLVE_HOST:
        return QCoreApplication::translate("Transfer", "The server's name cannot be resolved");
    case CURLE_COULDNT_CONNECT:
        return QCoreApplication::translate("Transfer", "The connection to the server failed");
    case CURLE_OPERATION_TIMEDOUT:
        return QCoreApplication::translate("Transfer", "The server did not answer in time");
    case CURLE_SSL_CONNECT_ERROR:
        return QCoreApplication::translate("Transfer",
                                           "The secure connection (SSL/TLS) to the server failed");
    case CURLE_PEER_FAILED_VERIFICATION:
        return QCoreApplication::translate("Transfer",
                                           "The server's certificate cannot be verified");
    case CURLE_GOT_NOTHING:
        return QCoreApplication::translate("Transfer",
                                           "The server closed the connection without an answer");
    case CURLE_PARTIAL_FILE:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
        return QCoreApplication::translate("Transfer",
                                           "The connection broke off during the transfer");
    case CURLE_TOO_MANY_REDIRECTS:
        return QCoreApplication::translate("Transfer", "The server redirects too many times");
    case CURLE_WRITE_ERROR:
        return QCoreApplication::translate("Transfer", "The answer could not be saved");
    default:
        return QCoreApplication::translate("Transfer", "The transfer failed (libcurl error %1)")
            .arg(int(result));
    }
}

} // namespace

QString TransferFailure(CURLcode result, const char* errorText, const QString& proxy) {
    QString text = QString::fromUtf8(*errorText != '\0' ? errorText : curl_easy_strerror(result));
    // libcurl says "Out of memory" for a header line beyond its limit, and
    // "Out of memory in chunked-encoding" for an endless chunk trailer: the
    // server's fault, not this machine's.
    if (text.endsWith(QLatin1String(" in chunked-encoding")))
        text = QCoreApplication::translate(
            "Transfer", "The answer is malformed (its chunked encoding cannot be read)");
    else if (result == CURLE_OUT_OF_MEMORY)
        text = QCoreApplication::translate("Transfer", "The answer is too large to read");
    else if (ShownLanguage() != kLanguageEnglish)
        text = CurlCodeSentence(result);
    if (!proxy.isEmpty())
        text =
            QCoreApplication::translate("Transfer", "%1 (through the proxy %2)").arg(text, proxy);
    return text;
}

} // namespace kestrum
