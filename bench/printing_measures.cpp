// Printing: 1000 article labels (their stream built from the store's rows)
// sent through the program's CUPS printer to a raw queue whose device is a
// listener of this program, timed until the last byte arrived; beside the same
// bytes sent with CUPS's own C calls. Needs a CUPS server (bench/run runs the
// measures under scripts/with-cups.sh).
#include "data/database.h"
#include "documents/epl2_labels.h"
#include "harness.h"
#include "measures.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <cups/cups.h>

namespace bench {

namespace {

const char* const kQueue = "bench-etichette";

// A raw queue on the run's CUPS server that sends each job to a listener here.
class LabelQueue {
public:
    LabelQueue() {
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
            fail(QStringLiteral("no CUPS server of its own (run under scripts/with-cups.sh)"));
        if (!listener_.listen(QHostAddress::LocalHost))
            fail(QStringLiteral("no listener for the printer"));
        lpadmin({QStringLiteral("-p"), QString::fromLatin1(kQueue), QStringLiteral("-v"),
                 QStringLiteral("socket://127.0.0.1:%1").arg(listener_.serverPort()), QStringLiteral("-E")});
        lpadmin({QStringLiteral("-d"), QString::fromLatin1(kQueue)});
    }
    ~LabelQueue() { QProcess::execute(tool(), {QStringLiteral("-x"), QString::fromLatin1(kQueue)}); }

    // Waits until a job of `size` bytes has arrived whole.
    void receive(qsizetype size) {
        qsizetype got = 0;
        while (got < size) {
            if (!socket_ && !listener_.waitForNewConnection(60000))
                fail(QStringLiteral("the printer got no job"));
            if (!socket_)
                socket_.reset(listener_.nextPendingConnection());
            if (socket_->bytesAvailable() == 0 && !socket_->waitForReadyRead(60000))
                fail(QStringLiteral("the job stopped after %1 of %2 bytes").arg(got).arg(size));
            got += socket_->readAll().size();
            if (got < size && socket_->state() != QAbstractSocket::ConnectedState &&
                socket_->bytesAvailable() == 0)
                socket_.reset(); // the next job's connection
        }
        socket_.reset();
    }

private:
    static QString tool() {
        const QString t =
            QStandardPaths::findExecutable(QStringLiteral("lpadmin"), {QStringLiteral("/usr/sbin")});
        return t.isEmpty() ? QStringLiteral("lpadmin") : t;
    }
    static void lpadmin(const QStringList& args) {
        if (QProcess::execute(tool(), args) != 0)
            fail(QStringLiteral("lpadmin %1 failed").arg(args.join(QLatin1Char(' '))));
    }
    QTcpServer listener_;
    std::unique_ptr<QTcpSocket> socket_;
};

// The labels of 1000 articles, one each, as a delivered order line has them.
std::vector<documents::LabelLine> labelLines(Context& c) {
    auto p = c.program();
    data::Error e;
    const auto rows = p->store().rowsNative(
        QStringLiteral(
            "SELECT c.eanare, c.codare, a.desart FROM codean c JOIN listi01 a ON a.codart = c.codare "
            "WHERE c.codare < 2000 ORDER BY c.marbo_rid"),
        {}, &e);
    if (e)
        fail(e.message());
    std::vector<documents::LabelLine> lines;
    for (const auto& r : rows) {
        if (!lines.empty() && lines.back().articleCode == r.at(1).toLongLong())
            continue;
        documents::LabelLine l;
        l.ean = r.at(0).toString();
        l.orderNumber = 7;
        l.lineNumber = qint64(lines.size() + 1);
        l.packs = 1;
        l.articleCode = r.at(1).toLongLong();
        l.description = r.at(2).toString();
        lines.push_back(l);
    }
    return lines;
}

// Bytes per second of each run.
Samples rate(const Samples& us, qsizetype bytes) {
    Samples out;
    for (double u : us)
        out.push_back(double(bytes) / (u / 1e6));
    return out;
}

Samples printLabels(Context& c) {
    LabelQueue queue;
    const auto lines = labelLines(c);
    if (lines.size() != 1000)
        fail(QStringLiteral("%1 labels").arg(lines.size()));
    ui::CupsPrinter printer;
    qsizetype size = 0;
    const Samples us = timeRuns(3, {}, [&](int) {
        const QByteArray job = documents::epl2LabelRun(lines);
        size = job.size();
        const ui::PrintResult r = printer.print(QStringLiteral("Etichette"), job);
        if (!r.ok)
            fail(r.message);
        queue.receive(size);
    });
    return rate(us, size);
}

Samples printLabelsRawCups(Context& c) {
    LabelQueue queue;
    const QByteArray job = documents::epl2LabelRun(labelLines(c));
    const Samples us = timeRuns(3, {}, [&](int) {
        const int id = cupsCreateJob(CUPS_HTTP_DEFAULT, kQueue, "Etichette", 0, nullptr);
        if (id <= 0 ||
            cupsStartDocument(CUPS_HTTP_DEFAULT, kQueue, id, "Etichette", CUPS_FORMAT_RAW, 1) !=
                HTTP_STATUS_CONTINUE ||
            cupsWriteRequestData(CUPS_HTTP_DEFAULT, job.constData(), size_t(job.size())) !=
                HTTP_STATUS_CONTINUE ||
            cupsFinishDocument(CUPS_HTTP_DEFAULT, kQueue) != IPP_STATUS_OK)
            fail(QStringLiteral("raw CUPS: ") + QString::fromUtf8(cupsLastErrorString()));
        queue.receive(job.size());
    });
    return rate(us, job.size());
}

} // namespace

void registerPrintingMeasures() {
    add({QStringLiteral("Printing 1000 labels to a raw queue"),
         Figure::Rate,
         printLabels,
         printLabelsRawCups,
         printLabelsRawCups,
         {},
         QStringLiteral("the same bytes sent with CUPS's own C calls")});
}

} // namespace bench
