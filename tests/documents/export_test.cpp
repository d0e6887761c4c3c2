// The inventory file for the point-of-sale system, byte for byte, and the
// replacement of the file whole.
#include "documents/inventory_export.h"
#include "test_store.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace testing_support;
using documents::ExportResult;

namespace {

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(InventoryRecord, SeventeenCharactersOrNoRecord) {
    struct Case {
        QVariant ean, quantity;
        const char* record; // without CR LF; null: the line cannot be written
    } cases[] = {
        {"8001234567890", 3, "80012345678900003"},
        {"8001234567890", 12, "80012345678900012"},
        {"8001234567890", 125, "80012345678900125"},
        {"8001234567890", 9999, "80012345678909999"},
        {"001234567890", 7, "001234567890 0007"},    // 12 characters: one blank
        {"8001234567890  ", 7, "80012345678900007"}, // stored with trailing blanks
        {"2000123", 0, "2000123      0000"},
        {"8001234567890", 2.5, "80012345678900003"}, // a half goes away from zero
        {"8001234567890", 0.5, "80012345678900001"},
        {"8001234567890", 2.4999, "80012345678900002"},
        {"8001234567890", 9999.4, "80012345678909999"},
        {"8001234567890", -0.4, "80012345678900000"},
        {"8001234567890", QVariant(), "80012345678900000"}, // Null counts 0
        {"8001234567890", "7", "80012345678900007"},
        {"8001234567890", 9999.5, nullptr},
        {"8001234567890", 12345, nullptr},
        {"8001234567890", -1, nullptr},
        {"8001234567890", -0.5, nullptr},
        {"8001234567890", "tre", nullptr},
        {QVariant(), 7, nullptr},
        {"", 7, nullptr},
        {"             ", 7, nullptr},
        {"80012345678901", 7, nullptr},
        {"8001\r\n", 7, nullptr},
        {QString::fromUtf8("800123456789é"), 7, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ean.toString().toStdString() + " / " + c.quantity.toString().toStdString());
        const documents::InventoryRecord r = documents::inventoryRecord(c.ean, c.quantity);
        if (c.record) {
            EXPECT_TRUE(r.ok()) << r.fault.toStdString();
            EXPECT_EQ(r.bytes, QByteArray(c.record) + "\r\n");
        } else {
            EXPECT_FALSE(r.ok());
            EXPECT_TRUE(r.bytes.isEmpty());
        }
    }
}

class Export : public ::testing::Test {
protected:
    void SetUp() override {
        db = store.create("c:\\marbo\\dati.mdb", data::schema::StoreDb);
        path = documents::inventoryFilePath(store.dbs().mapping());
    }
    void line(const QVariant& ean, const QVariant& quantity, int oper) {
        addRow(db, "inventario", {"eanrig", ean, "quantita", quantity, "oper", oper});
    }
    TestStore store;
    data::Database db;
    QString path;
};

TEST_F(Export, EveryOperatorsLinesReplaceTheFileWhole) {
    EXPECT_EQ(path, store.root() + "/c/quirel/inve1.dat");
    ASSERT_FALSE(QDir(store.root() + "/c/quirel").exists());
    line("8001234567890", 3, 1);
    line("001234567890", 12, 2);
    const QByteArray expected = "80012345678900003\r\n001234567890 0012\r\n";

    ExportResult r = documents::exportInventory(db, path); // the folder is created
    EXPECT_EQ(r.status, ExportResult::Status::Written);
    EXPECT_EQ(r.records, 2);
    EXPECT_EQ(read(path), expected);
    r = documents::exportInventory(db, path);
    EXPECT_EQ(read(path), expected);
    EXPECT_EQ(QDir(store.root() + "/c/quirel").entryList(QDir::Files), QStringList{"inve1.dat"});

    db.execute("DELETE FROM inventario");
    r = documents::exportInventory(db, path);
    EXPECT_EQ(r.status, ExportResult::Status::NoData);
    EXPECT_EQ(r.message, QStringLiteral("ATTENZIONE !!!. Non ci sono dati "));
    EXPECT_EQ(read(path), QByteArray());
}

TEST_F(Export, LinesTheRecordCannotHoldStopTheExportAndNameTheLines) {
    write(path, "OLD");
    line("8001234567890", 3, 1);
    line("8005555555555", 12345, 2);
    line(QVariant(), 4, 3);
    const ExportResult r = documents::exportInventory(db, path);
    EXPECT_EQ(r.status, ExportResult::Status::Refused);
    EXPECT_TRUE(r.message.contains("8005555555555 oper. 2: quantità 12345")) << r.message.toStdString();
    EXPECT_TRUE(r.message.contains("(senza EAN) oper. 3: EAN mancante")) << r.message.toStdString();
    EXPECT_FALSE(r.message.contains("8001234567890"));
    EXPECT_EQ(read(path), QByteArray("OLD"));
}

TEST(ReplaceFile, AFailureLeavesTheOldFileAndNoLeftovers) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/quirel";
    const QString file = folder + "/inve1.dat";
    write(file, "OLD");

    // The disk refuses the new content halfway (a file size limit stands in
    // for a full disk).
    const QByteArray big(4096, 'x');
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    const QString failure = documents::replaceFile(file, big);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_TRUE(failure.contains("inve1.dat")) << failure.toStdString();
    EXPECT_EQ(read(file), QByteArray("OLD"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"inve1.dat"});

    // A file where the folder should be.
    write(dir.path() + "/blocked", "x");
    EXPECT_TRUE(documents::replaceFile(dir.path() + "/blocked/inve1.dat", "y").contains("cartella"));
    EXPECT_EQ(read(dir.path() + "/blocked"), QByteArray("x"));

    // A database that is not there: no file is touched.
    TestStore store;
    const ExportResult r = documents::exportInventory(store.open("c:\\marbo\\dati.mdb"), file);
    EXPECT_EQ(r.status, ExportResult::Status::Failed);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_EQ(read(file), QByteArray("OLD"));

    EXPECT_TRUE(documents::replaceFile(file, "NEW").isEmpty());
    EXPECT_EQ(read(file), QByteArray("NEW"));
}

} // namespace
