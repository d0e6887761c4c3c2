// The labels of the order screen, printed through the real CUPS printer to a
// queue of the test run's private CUPS server: one label per delivered pack in
// the grid's order, and a clear message when there is no printer.
#include "cups_queue.h"
#include "documents/epl2_labels.h"
#include "supplier_order_screens.h"

#include <gtest/gtest.h>

using namespace testing_support;
using ui::Message;

namespace {

class SupplierOrderLabels : public SupplierOrderScreens {};

TEST_P(SupplierOrderLabels, LabelsOnePerDeliveredPackInGridOrderAndAClearMessageWithoutAPrinter) {
    MARBO_NEEDS_CUPS();
    db.execute("UPDATE ordini SET collic = 3, bflag1 = 'C' WHERE bnumer = 12 and bns = 1");
    db.execute("UPDATE ordini SET collic = NULL WHERE bnumer = 12 and bns = 2");
    ui::Screen* order = openOrder(12);

    // No printer installed: the message, and nothing changes on the order.
    f->click(order, "Command3");
    ASSERT_EQ(f->messages.shown().size(), 1u);
    EXPECT_EQ(
        f->messages.shown().at(0).text,
        QStringLiteral("ATTENZIONE !!!. Nessuna stampante installata: le etichette non sono state stampate"));
    EXPECT_EQ(f->messages.shown().at(0).icon, Message::Icon::Critical);
    EXPECT_DOUBLE_EQ(lineValue(12, 1, "collic").toDouble(), 3);

    CupsQueue queue;
    ASSERT_EQ(queue.error(), QString());
    ASSERT_EQ(queue.makeDefault(), QString());
    f->messages.clear();
    f->click(order, "Command3");
    EXPECT_EQ(f->messages.texts(), QStringList{"Le etichette sono state stampate ...."});
    // Grid order: coffee (1 label: no packs), oil (none: not in articoli), ham
    // (0 packs: 1 label), then the delivered pasta (3 labels).
    const QByteArray coffee = documents::epl2Label("80000000004560012002"
                                                   "0000000",
                                                   QStringLiteral("CAFFÈ \"MOKA\" 250 G"), 456);
    const QByteArray ham = documents::epl2Label("21000000000000012004"
                                                "0000000",
                                                "PROSCIUTTO CRUDO", 77);
    const QByteArray pasta = documents::epl2Label("80012345678900012001"
                                                  "0000000",
                                                  "PASTA SEMOLA GR.500", 123);
    EXPECT_EQ(queue.nextJob(), coffee + ham + pasta + pasta + pasta);

    // An order without lines prints nothing and says nothing.
    order->close();
    f->messages.clear();
    f->click(openOrder(16), "Command3");
    EXPECT_TRUE(f->messages.shown().empty());
}

MARBO_ON_EACH_ENGINE(SupplierOrderLabels);

} // namespace
