#include "ui/printer.h"

#include <QtGlobal>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cups/cups.h>
#include <memory>
#include <mutex>

namespace ui {

namespace {

// Seconds a connection to the CUPS server may stay silent before the job is
// given up: the handheld's operator waits for the answer.
constexpr double kServerTimeoutSeconds = 10.0;
constexpr int kConnectTimeoutMs = 5000;

QString noPrinterMessage() {
    return QStringLiteral(
        "ATTENZIONE !!!. Nessuna stampante installata: le etichette non sono state stampate");
}
QString serverDownMessage() {
    return QStringLiteral(
        "ATTENZIONE !!!. Il servizio di stampa non risponde: le etichette non sono state stampate");
}
QString refusedMessage(const QString& destination) {
    return QStringLiteral("ATTENZIONE !!!. La stampante %1 non accetta lavori: le etichette non sono state "
                          "stampate")
        .arg(destination);
}
QString sendFailedMessage(const QString& destination) {
    return QStringLiteral("ATTENZIONE !!!. Invio alla stampante %1 non riuscito: le etichette non sono state "
                          "stampate")
        .arg(destination);
}

struct HttpClose {
    void operator()(http_t* h) const { httpClose(h); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

class Destinations {
public:
    explicit Destinations(http_t* http)
        : count_(cupsGetDests2(http, &dests_)) {}
    ~Destinations() { cupsFreeDests(count_, dests_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;

    int count() const { return count_; }
    // The default destination when there is one, otherwise the first queue
    // of the server in name order (the list comes sorted by name).
    const cups_dest_t* first() const {
        for (int i = 0; i < count_; ++i)
            if (dests_[i].is_default && isQueue(dests_[i]))
                return &dests_[i];
        for (int i = 0; i < count_; ++i)
            if (!dests_[i].instance && isQueue(dests_[i]))
                return &dests_[i];
        return nullptr;
    }

private:
    // A printer found on the network without a queue of its own is not an
    // installed printer: an office printer must never get a label job.
    static bool isQueue(const cups_dest_t& d) {
        const char* type = cupsGetOption("printer-type", d.num_options, d.options);
        return !type || !(strtoul(type, nullptr, 0) & CUPS_PRINTER_DISCOVERED);
    }
    cups_dest_t* dests_ = nullptr;
    int count_ = 0;
};

Connection connect(const QString& server) {
    QByteArray host;
    int port = ippPort();
    if (server.isEmpty()) {
        host = cupsServer();
    } else if (server.startsWith(QLatin1Char('/'))) {
        host = server.toLocal8Bit();
    } else {
        host = server.toUtf8();
        const qsizetype colon = host.lastIndexOf(':');
        bool ok = false;
        const int p = colon > 0 ? host.mid(colon + 1).toInt(&ok) : 0;
        if (ok && p > 0) {
            port = p;
            host.truncate(colon);
        }
    }
    Connection http(httpConnect2(host.constData(), port, nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                 kConnectTimeoutMs, nullptr));
    if (http)
        httpSetTimeout(
            http.get(), kServerTimeoutSeconds, [](http_t*, void*) { return 0; }, nullptr);
    return http;
}

bool failed(ipp_status_t s) {
    return s > IPP_STATUS_OK_CONFLICTING;
}

void logFailure(const char* step, const QString& destination) {
    qWarning("printing to %s: %s failed: %s", qPrintable(destination), step, cupsLastErrorString());
}

} // namespace

CupsPrinter::CupsPrinter(QString server)
    : server_(std::move(server)) {
    // A CUPS server that drops the connection while a job is being written
    // must give an error, not end the program with SIGPIPE.
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

PrintResult CupsPrinter::print(const QString& title, const QByteArray& bytes) {
    PrintResult result;
    if (bytes.isEmpty()) {
        result.ok = true;
        return result;
    }
    Connection http = connect(server_);
    if (!http) {
        qWarning("printing: no CUPS server at %s", server_.isEmpty() ? cupsServer() : qPrintable(server_));
        result.message = serverDownMessage();
        return result;
    }
    Destinations dests(http.get());
    const cups_dest_t* dest = dests.first();
    if (!dest) {
        const ipp_status_t s = cupsLastError();
        const bool serverFailed = dests.count() == 0 && failed(s) && s != IPP_STATUS_ERROR_NOT_FOUND;
        if (serverFailed)
            logFailure("listing the printers", QString());
        result.message = serverFailed ? serverDownMessage() : noPrinterMessage();
        return result;
    }
    const QByteArray name = dest->name;
    result.destination = QString::fromUtf8(name);
    const QByteArray jobTitle = title.toUtf8();

    const int job = cupsCreateJob(http.get(), name.constData(), jobTitle.constData(), 0, nullptr);
    if (job == 0) {
        const ipp_status_t s = cupsLastError();
        logFailure("creating the job", result.destination);
        result.message = s == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS || s == IPP_STATUS_ERROR_NOT_POSSIBLE
                             ? refusedMessage(result.destination)
                             : sendFailedMessage(result.destination);
        return result;
    }
    bool sent = cupsStartDocument(http.get(), name.constData(), job, jobTitle.constData(), CUPS_FORMAT_RAW,
                                  1) == HTTP_STATUS_CONTINUE;
    constexpr qsizetype chunk = 64 * 1024;
    for (qsizetype at = 0; sent && at < bytes.size(); at += chunk)
        sent = cupsWriteRequestData(http.get(), bytes.constData() + at,
                                    size_t(std::min(chunk, bytes.size() - at))) == HTTP_STATUS_CONTINUE;
    if (sent)
        sent = !failed(cupsFinishDocument(http.get(), name.constData()));
    if (!sent) {
        logFailure("sending the job", result.destination);
        // Nothing of a job that did not arrive whole may reach the printer.
        Connection again = connect(server_);
        cupsCancelJob2(again ? again.get() : http.get(), name.constData(), job, 0);
        result.message = sendFailedMessage(result.destination);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace ui
