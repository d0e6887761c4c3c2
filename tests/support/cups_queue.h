// A raw print queue on the private CUPS server of the test run whose device is
// a listener of the test itself (socket://127.0.0.1:PORT): what a job sends
// arrives here byte for byte and nextJob() returns it. The queue is removed
// with the object. Tests that add queues or change the default hold the CTest
// lock "cups" (marbo_test(... LOCK cups)), so each sees the server alone.
// Needs Qt6::Network.
#pragma once

#include "cups_server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

namespace testing_support {

// Runs one of CUPS's command-line tools (lpadmin, cupsreject, lpstat) against
// the test run's server: empty on success, otherwise what went wrong.
inline QString runCupsTool(const QString& tool, const QStringList& args, QString* output = nullptr) {
    QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        program =
            QStandardPaths::findExecutable(tool, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
    if (program.isEmpty())
        return tool + QStringLiteral(" is not installed (Debian: cups-client)");
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return tool + QStringLiteral(" did not finish");
    }
    if (output)
        *output = QString::fromLocal8Bit(p.readAllStandardOutput());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return tool + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(": ") +
               QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    return {};
}

class CupsQueue {
public:
    // `tag` makes the name: marbo-<tag>-<process id>, so queues sort by tag.
    explicit CupsQueue(const QString& tag = QStringLiteral("etichette"))
        : name_(QStringLiteral("marbo-%1-%2").arg(tag).arg(QCoreApplication::applicationPid())) {
        if (!server_.listen(QHostAddress::LocalHost, 0)) {
            error_ = QStringLiteral("cannot listen on 127.0.0.1: ") + server_.errorString();
            return;
        }
        error_ = runCupsTool(QStringLiteral("lpadmin"),
                             {QStringLiteral("-p"), name_, QStringLiteral("-v"),
                              QStringLiteral("socket://127.0.0.1:%1").arg(server_.serverPort()),
                              QStringLiteral("-E")});
        created_ = error_.isEmpty();
    }
    ~CupsQueue() {
        if (created_)
            runCupsTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name_});
    }
    CupsQueue(const CupsQueue&) = delete;
    CupsQueue& operator=(const CupsQueue&) = delete;

    const QString& name() const { return name_; }
    // Empty when the queue is ready.
    const QString& error() const { return error_; }

    // The server's default destination from now on (lpadmin -d).
    QString makeDefault() { return runCupsTool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name_}); }
    // The queue stops accepting jobs (cupsreject), as a printer taken out of service.
    QString refuseJobs() { return runCupsTool(QStringLiteral("cupsreject"), {name_}); }
    // Jobs waiting in the queue, as lpstat lists them (lpstat's complaint
    // when it cannot tell, so that a test never takes that for "none").
    QStringList pendingJobs() const {
        QString out;
        const QString error = runCupsTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), name_}, &out);
        if (!error.isEmpty())
            return {error};
        return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // The bytes of the next job the printer receives: one connection of the
    // socket backend, read until it closes. Empty when none came in time.
    QByteArray nextJob(int timeoutMs = 30000) {
        QDeadlineTimer deadline(timeoutMs);
        if (!server_.hasPendingConnections() && !server_.waitForNewConnection(timeoutMs))
            return {};
        std::unique_ptr<QTcpSocket> socket(server_.nextPendingConnection());
        QByteArray bytes;
        while (socket->state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
            if (socket->waitForReadyRead(int(deadline.remainingTime())))
                bytes += socket->readAll();
        }
        bytes += socket->readAll();
        return bytes;
    }

private:
    QString name_;
    QTcpServer server_;
    QString error_;
    bool created_ = false;
};

} // namespace testing_support
