// The real CUPS printer against the private CUPS server of the test run: a
// label run arrives at the printer as one raw job byte for byte, the default
// queue wins over the first one, and a missing printer, a printer that refuses
// jobs or a server that is not there give the operator's message.
#include "cups_queue.h"
#include "documents/epl2_labels.h"
#include "ui/printer.h"

#include <gtest/gtest.h>

using testing_support::CupsQueue;

namespace {

QByteArray labelRun() {
    return documents::epl2LabelRun({
        {QStringLiteral("8001234567890"), 12, 5, QStringLiteral("3"), 4711,
         QStringLiteral("CAFFÈ \"MOKA\" 250 G")},
        {QStringLiteral("8000000000017"), 12, 6, QVariant(), 52, QStringLiteral("OLIO EXTRAVERGINE")},
        {QStringLiteral("8000000000024"), 12, 7, 2, 99, std::nullopt},
    });
}

} // namespace

TEST(CupsPrinter, LabelRunReachesTheDefaultQueueAsOneRawJobByteForByte) {
    MARBO_NEEDS_CUPS();
    CupsQueue queue;
    ASSERT_EQ(queue.error(), QString());
    ASSERT_EQ(queue.makeDefault(), QString());
    const QByteArray job = labelRun();
    ASSERT_EQ(job.count("P1\r\n"), 4); // 3 labels for line 5, 1 for line 6, none for line 7

    ui::CupsPrinter printer;
    const ui::PrintResult r = printer.print(QStringLiteral("Etichette ordine 12"), job);
    EXPECT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.message, QString());
    EXPECT_EQ(r.destination, queue.name());
    // The whole run in the first connection the printer gets: one job, and the
    // bytes of the accented letters as they left.
    EXPECT_EQ(queue.nextJob(), job);
}

TEST(CupsPrinter, DefaultQueueWinsAndWithoutOneTheFirstQueueByName) {
    MARBO_NEEDS_CUPS();
    CupsQueue first(QStringLiteral("a"));
    CupsQueue second(QStringLiteral("b"));
    ASSERT_EQ(first.error(), QString());
    ASSERT_EQ(second.error(), QString());
    ui::CupsPrinter printer;

    const ui::PrintResult noDefault = printer.print(QStringLiteral("prova"), "N\r\nP1\r\n");
    EXPECT_TRUE(noDefault.ok) << noDefault.message.toStdString();
    EXPECT_EQ(noDefault.destination, first.name());
    EXPECT_EQ(first.nextJob(), QByteArray("N\r\nP1\r\n"));

    ASSERT_EQ(second.makeDefault(), QString());
    const ui::PrintResult toDefault = printer.print(QStringLiteral("prova"), "N\r\nP2\r\n");
    EXPECT_TRUE(toDefault.ok) << toDefault.message.toStdString();
    EXPECT_EQ(toDefault.destination, second.name());
    EXPECT_EQ(second.nextJob(), QByteArray("N\r\nP2\r\n"));
}

TEST(CupsPrinter, ServerWithoutQueuesSaysNoPrinterIsInstalled) {
    MARBO_NEEDS_CUPS();
    ui::CupsPrinter printer;
    const ui::PrintResult r = printer.print(QStringLiteral("Etichette ordine 12"), labelRun());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(
        r.message,
        QStringLiteral("ATTENZIONE !!!. Nessuna stampante installata: le etichette non sono state stampate"));
    // Nothing to print is no job and no complaint.
    EXPECT_TRUE(printer.print(QStringLiteral("Etichette ordine 12"), {}).ok);
}

TEST(CupsPrinter, QueueThatRefusesJobsIsNamedAndKeepsNoJob) {
    MARBO_NEEDS_CUPS();
    CupsQueue queue;
    ASSERT_EQ(queue.error(), QString());
    ASSERT_EQ(queue.makeDefault(), QString());
    ASSERT_EQ(queue.refuseJobs(), QString());

    const ui::PrintResult r = ui::CupsPrinter().print(QStringLiteral("Etichette ordine 12"), labelRun());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message,
              QStringLiteral("ATTENZIONE !!!. La stampante %1 non accetta lavori: le etichette non "
                             "sono state stampate")
                  .arg(queue.name()));
    EXPECT_EQ(queue.pendingJobs(), QStringList());
}

// Needs no server at all: the ones named are a socket file that is not there
// and a port of this machine nobody listens on.
TEST(CupsPrinter, ServerThatIsNotRunningSaysThePrintingServiceDoesNotAnswer) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QString closedPort = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
    probe.close();
    for (const QString& server : {QStringLiteral("/nonexistent/marbo-no-cups/cups.sock"), closedPort}) {
        const ui::PrintResult r =
            ui::CupsPrinter(server).print(QStringLiteral("Etichette ordine 12"), labelRun());
        EXPECT_FALSE(r.ok) << server.toStdString();
        EXPECT_EQ(r.message,
                  QStringLiteral("ATTENZIONE !!!. Il servizio di stampa non risponde: le etichette "
                                 "non sono state stampate"))
            << server.toStdString();
    }
}
