// The store's label printer, as the screens see it: one call sends one job.
// The program prints through CUPS, the printing system of the workstation;
// tests print through the same class to a private CUPS server whose queue
// they read back.
#pragma once

#include <QByteArray>
#include <QString>

namespace ui {

// What became of a job: printed (handed to the printing system, which queues
// it for the printer) or not, with the Italian text that tells the operator why.
struct PrintResult {
    bool ok = false;
    QString message;     // empty when ok
    QString destination; // the queue the job went to, or would have gone to
};

class Printer {
public:
    virtual ~Printer() = default;
    // Sends `bytes` unchanged, as one job named `title`. Nothing to send is
    // not an error: it creates no job and succeeds.
    virtual PrintResult print(const QString& title, const QByteArray& bytes) = 0;
};

// Sends the bytes as one raw job (no filter, no driver: the printer gets them
// byte for byte) to the first destination of the system's printer list: the
// default destination when there is one (LPDEST or PRINTER, then the user's
// and the system's lpoptions, then the server's default set with
// `lpadmin -d`), otherwise the first installed queue in name order. Printers
// that CUPS merely sees on the network, without a queue, are never chosen,
// not even as the default.
class CupsPrinter : public Printer {
public:
    // The CUPS server the workstation uses (CUPS_SERVER, client.conf, the local
    // scheduler), or the one named: a socket path or host[:port].
    explicit CupsPrinter(QString server = {});
    PrintResult print(const QString& title, const QByteArray& bytes) override;

private:
    QString server_;
};

} // namespace ui
