// Many handhelds at once on one store. For each N, N processes (this program
// started again as "handheld") scan and store counts into the inventory's
// working table through the program's own store function: two handhelds share
// each operator and every handheld picks its articles from the same few
// hundred, so the same line is added to from two processes while other
// operators' lines of the same article are written beside it. Then every count
// is checked against the table: each accepted store arrived once (the sum of
// quantities per article and operator), and one line per article and
// operator. Then N handhelds confirm their operators' counts at the same
// moment, all having taken the same next document number: no two documents
// under one number, no line lost.
#include "articles/article_reads.h"
#include "data/database.h"
#include "documents/inventory_transfer.h"
#include "documents/numbering.h"
#include "documents/working_lines.h"
#include "harness.h"
#include "measures.h"

#include <QCoreApplication>
#include <QMap>
#include <QProcess>
#include <QTextStream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <string>

namespace bench {

namespace {

const QString kStore = QStringLiteral("c:\\marbo\\dati.mdb");
constexpr int kFirstOperator = 11;   // handhelds 2k and 2k+1 count as operator 11 + k
constexpr int kConfirmOperator = 41; // handheld i confirms operator 41 + i
constexpr int kConfirmYear = 2097;   // a year of its own: the documents of this run only
constexpr int kPool = 60;            // articles the handhelds pick from
constexpr int kConfirmLines = 300;   // lines per confirming handheld

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

data::DriveMapping mappingOf(const QString& root) {
    qputenv("MARBO_DATA_ROOT", root.toLocal8Bit());
    return data::DriveMapping::fromEnvironment();
}

// The first EAN of each of the first articles: what the handhelds scan.
std::vector<std::pair<std::int32_t, QString>> articlePool(const data::Database& store) {
    data::Error e;
    const auto rows = store.rowsNative(QStringLiteral("SELECT codare, eanare FROM codean WHERE codare < ? "
                                                      "ORDER BY marbo_rid"),
                                       {1000 + kPool}, &e);
    std::vector<std::pair<std::int32_t, QString>> out;
    std::set<std::int32_t> seen;
    for (const auto& r : rows)
        if (seen.insert(std::int32_t(r.at(0).toLongLong())).second)
            out.emplace_back(std::int32_t(r.at(0).toLongLong()), r.at(1).toString());
    return out;
}

void waitForGo() {
    std::cout << "ready" << std::endl;
    std::string line;
    std::getline(std::cin, line);
}

// handheld store ROOT OPERATOR SEED SCANS
int storeWorker(const QStringList& args) {
    const int oper = args.value(3).toInt(), seed = args.value(4).toInt(), scans = args.value(5).toInt();
    data::Databases dbs(mappingOf(args.value(2)));
    const data::Database store = dbs.open(kStore);
    if (!store.ok()) {
        std::cerr << store.error().message().toStdString() << std::endl;
        return 1;
    }
    state::SharedState s;
    s.storeDbPath = kStore;
    s.operatorNumber = std::int16_t(oper);
    s.userCode = 1;
    const auto pool = articlePool(store);
    if (pool.empty())
        return 1;
    std::mt19937 rng{unsigned(seed)};
    std::vector<size_t> picks;
    for (int i = 0; i < scans; ++i)
        picks.push_back(rng() % pool.size());
    std::map<std::int32_t, int> stored;
    std::map<QString, int> refused;
    std::vector<double> us;
    waitForGo();
    const qint64 t0 = nowNs();
    for (size_t pick : picks) {
        const auto& [code, ean] = pool[pick];
        // The scan: the article of the EAN, as the entry screen resolves it.
        const auto found = articles::codeOfEan(store, ean);
        const auto a = std::chrono::steady_clock::now();
        const data::Error e =
            documents::storeInventoryLine(store, s, found.value_or(code), ean, data::Decimal::fromInt(1));
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - a).count());
        if (e)
            ++refused[e.message()];
        else
            ++stored[code];
    }
    const qint64 t1 = nowNs();
    std::cout << "span " << t0 << ' ' << t1 << '\n' << "lat";
    for (double u : us)
        std::cout << ' ' << qint64(u);
    std::cout << '\n';
    for (const auto& [code, n] : stored)
        std::cout << "stored " << oper << ' ' << code << ' ' << n << '\n';
    for (const auto& [why, n] : refused)
        std::cout << "refused " << n << ' ' << why.toStdString() << '\n';
    std::cout.flush();
    return 0;
}

// handheld confirm ROOT OPERATOR
int confirmWorker(const QStringList& args) {
    const int oper = args.value(3).toInt();
    data::Databases dbs(mappingOf(args.value(2)));
    const data::Database store = dbs.open(kStore);
    state::SharedState s;
    s.storeDbPath = kStore;
    s.operatorNumber = std::int16_t(oper);
    s.userCode = 1;
    s.documentType = QStringLiteral("INVENTARIO");
    s.numberingCode = QStringLiteral("IN");
    s.documentYear = kConfirmYear;
    // The number is taken when the inventory menu opens: every handheld opened
    // it before any of them confirmed.
    data::Error e;
    s.documentNumber = documents::lastNumber(store, s, &e).value_or(0) + 1;
    waitForGo();
    const qint64 t0 = nowNs();
    const documents::TransferResult r = documents::transferInventory(store, s, QDate(kConfirmYear, 12, 31));
    const qint64 t1 = nowNs();
    std::cout << "confirm " << oper << ' ' << r.number << ' ' << r.linesWritten << ' '
              << (r.error.ok() ? 0 : 1) << ' ' << (r.notice.isEmpty() ? 0 : 1) << ' ' << (t1 - t0) / 1000
              << '\n';
    if (!r.error.ok())
        std::cout << "refused 1 " << r.error.message().toStdString() << '\n';
    std::cout << "span " << t0 << ' ' << t1 << '\n';
    std::cout.flush();
    return 0;
}

// The outputs of N workers started together.
struct Outputs {
    std::vector<QStringList> lines; // per worker
    bool ok = true;
    QString why;
};

Outputs runWorkers(const std::vector<QStringList>& argsOfEach) {
    Outputs out;
    std::vector<std::unique_ptr<QProcess>> ps;
    for (const QStringList& args : argsOfEach) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::SeparateChannels);
        p->start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("handheld")} + args);
        ps.push_back(std::move(p));
    }
    // Every handheld ready (connected, articles read), then all go at once.
    for (auto& p : ps) {
        while (p->state() != QProcess::NotRunning && !p->canReadLine())
            p->waitForReadyRead(1000);
        if (p->readLine().trimmed() != "ready") {
            out.ok = false;
            out.why = QString::fromLocal8Bit(p->readAllStandardError());
        }
    }
    for (auto& p : ps) // written now, not at the next wait on that process
        p->write("go\n");
    for (auto& p : ps)
        p->waitForBytesWritten(5000);
    for (auto& p : ps) {
        p->closeWriteChannel();
        if (!p->waitForFinished(600000) || p->exitCode() != 0) {
            out.ok = false;
            out.why = QString::fromLocal8Bit(p->readAllStandardError());
        }
        out.lines.push_back(
            QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts));
    }
    return out;
}

struct Spans {
    qint64 first = std::numeric_limits<qint64>::max(), last = 0;
    void add(const QString& line) {
        const QStringList f = line.split(QLatin1Char(' '));
        first = std::min(first, f.value(1).toLongLong());
        last = std::max(last, f.value(2).toLongLong());
    }
    double seconds() const { return last > first ? double(last - first) / 1e9 : 0; }
};

QString table(const QStringList& head, const std::vector<QStringList>& rows) {
    std::vector<qsizetype> w;
    for (const QString& h : head)
        w.push_back(h.size());
    for (const auto& r : rows)
        for (qsizetype i = 0; i < r.size(); ++i)
            w[size_t(i)] = std::max(w[size_t(i)], r.at(i).size());
    QString out;
    auto line = [&](const QStringList& r) {
        out += QLatin1Char('|');
        for (qsizetype i = 0; i < r.size(); ++i)
            out += QLatin1Char(' ') + r.at(i).leftJustified(w[size_t(i)]) + QStringLiteral(" |");
        out += QLatin1Char('\n');
    };
    line(head);
    out += QLatin1Char('|');
    for (qsizetype x : w)
        out += QString(x + 2, QLatin1Char('-')) + QLatin1Char('|');
    out += QLatin1Char('\n');
    for (const auto& r : rows)
        line(r);
    return out;
}

void must(const data::Error& e, const char* what) {
    if (e)
        fail(QStringLiteral("%1: %2 (%3)").arg(QString::fromLatin1(what), e.message(), e.detail));
}

// N handhelds storing; one row of the table, faults counted.
QStringList storeRound(const data::Database& store, const QString& root, int n, int scans, int* faults,
                       QStringList* messages) {
    must(store.executeNative(QStringLiteral("DELETE FROM inventario WHERE oper >= ? AND oper < ?"),
                             {kFirstOperator, kFirstOperator + 20}),
         "emptying the handhelds' lines");
    std::vector<QStringList> args;
    for (int i = 0; i < n; ++i)
        args.push_back({QStringLiteral("store"), root, QString::number(kFirstOperator + i / 2),
                        QString::number(1000 + i), QString::number(scans)});
    const Outputs out = runWorkers(args);
    if (!out.ok)
        fail(QStringLiteral("a handheld failed: ") + out.why);
    Spans spans;
    Samples us;
    std::map<std::pair<int, int>, qint64> expected; // (operator, code) -> accepted stores
    qint64 accepted = 0, refused = 0;
    for (const QStringList& lines : out.lines)
        for (const QString& line : lines) {
            const QStringList f = line.split(QLatin1Char(' '));
            if (f.at(0) == QLatin1String("span"))
                spans.add(line);
            else if (f.at(0) == QLatin1String("lat"))
                for (qsizetype i = 1; i < f.size(); ++i)
                    us.push_back(f.at(i).toDouble());
            else if (f.at(0) == QLatin1String("stored")) {
                expected[{f.at(1).toInt(), f.at(2).toInt()}] += f.at(3).toLongLong();
                accepted += f.at(3).toLongLong();
            } else if (f.at(0) == QLatin1String("refused")) {
                refused += f.at(1).toLongLong();
                const QString why = line.section(QLatin1Char(' '), 2);
                if (!messages->contains(why))
                    *messages << why;
            }
        }
    // What the table holds, per article and operator.
    data::Error e;
    const auto rows =
        store.rowsNative(QStringLiteral("SELECT oper, codcasa, count(*), sum(quantita) FROM inventario "
                                        "WHERE oper >= ? AND oper < ? GROUP BY oper, codcasa"),
                         {kFirstOperator, kFirstOperator + 20}, &e);
    must(e, "reading the handhelds' lines");
    qint64 lost = 0, doubled = 0, split = 0, sum = 0;
    std::map<std::pair<int, int>, qint64> held;
    for (const auto& r : rows) {
        const std::pair<int, int> key{r.at(0).toInt(), r.at(1).toInt()};
        const qint64 q = qint64(std::llround(r.at(3).toDouble()));
        held[key] = q;
        sum += q;
        split += r.at(2).toLongLong() - 1;
    }
    for (const auto& [key, n] : expected) {
        const qint64 h = held.count(key) ? held[key] : 0;
        lost += std::max<qint64>(0, n - h);
        doubled += std::max<qint64>(0, h - n);
    }
    for (const auto& [key, h] : held)
        if (!expected.count(key))
            doubled += h;
    *faults += int(lost + doubled + split);
    const double seconds = spans.seconds();
    return {QString::number(n),
            QString::number(qint64(n) * scans),
            QString::number(seconds > 0 ? double(accepted) / seconds : 0, 'f', 0),
            QString::number(percentile(us, 0.5) / 1000, 'f', 2),
            QString::number(percentile(us, 0.99) / 1000, 'f', 2),
            QString::number(refused),
            QString::number(sum),
            QString::number(lost),
            QString::number(doubled),
            QString::number(split),
            lost + doubled + split == 0 ? QStringLiteral("yes") : QStringLiteral("NO")};
}

// N handhelds confirming at once; one row of the table, faults counted.
QStringList confirmRound(const data::Database& store, const QString& root, int n, int* faults,
                         QStringList* messages) {
    // Each confirming operator's lines: the first articles, 2 pieces each.
    must(store.executeNative(QStringLiteral("DELETE FROM invmo WHERE bannoc = ?"), {kConfirmYear}), "invmo");
    must(store.executeNative(QStringLiteral("DELETE FROM invte WHERE anno = ?"), {kConfirmYear}), "invte");
    must(store.executeNative(QStringLiteral("DELETE FROM numeri WHERE anno = ?"), {kConfirmYear}), "numeri");
    must(store.executeNative(
             QStringLiteral("INSERT INTO numeri (codutente, tipo, anno, ultnum) VALUES (1, 'IN', ?, 0)"),
             {kConfirmYear}),
         "numeri");
    must(store.executeNative(QStringLiteral("DELETE FROM inventario WHERE oper >= ? AND oper < ?"),
                             {kConfirmOperator, kConfirmOperator + 20}),
         "inventario");
    for (int i = 0; i < n; ++i)
        must(store.executeNative(
                 QStringLiteral(
                     "INSERT INTO inventario (codcasa, eanrig, descrizione, unitam, prezzo, colli, quantita, "
                     "imballo, iva, desfor, desgru, oper) "
                     "SELECT a.codart, c.eanare, substr(a.desart, 1, 35), a.umart, a.przart, 2, 2, a.imbart, "
                     "a.ivart, substr(a.desfor, 1, 35), substr(a.desgru, 1, 20), ? FROM listi01 a "
                     "JOIN codean c ON c.marbo_rid = (SELECT min(c2.marbo_rid) FROM codean c2 "
                     "WHERE c2.codare = a.codart) WHERE a.codart < ? ORDER BY a.codart"),
                 {kConfirmOperator + i, 1000 + kConfirmLines}),
             "the confirming operators' lines");
    std::vector<QStringList> args;
    for (int i = 0; i < n; ++i)
        args.push_back({QStringLiteral("confirm"), root, QString::number(kConfirmOperator + i)});
    const Outputs out = runWorkers(args);
    if (!out.ok)
        fail(QStringLiteral("a handheld failed: ") + out.why);
    Spans spans;
    std::map<int, int> operatorOfNumber; // the numbers the handhelds say they wrote under
    int confirmed = 0, refused = 0, numbersClaimedTwice = 0;
    for (const QStringList& lines : out.lines)
        for (const QString& line : lines) {
            const QStringList f = line.split(QLatin1Char(' '));
            if (f.at(0) == QLatin1String("span"))
                spans.add(line);
            else if (f.at(0) == QLatin1String("confirm")) {
                if (f.at(4) == QLatin1String("0")) {
                    ++confirmed;
                    if (!operatorOfNumber.emplace(f.at(2).toInt(), f.at(1).toInt()).second)
                        ++numbersClaimedTwice;
                } else
                    ++refused;
            } else if (f.at(0) == QLatin1String("refused")) {
                const QString why = line.section(QLatin1Char(' '), 2);
                if (!messages->contains(why))
                    *messages << why;
            }
        }
    data::Error e;
    const auto headers = store.rowsNative(
        QStringLiteral("SELECT numero, count(*), max(dscsede) FROM invte WHERE anno = ? GROUP BY numero"),
        {kConfirmYear}, &e);
    must(e, "invte");
    const auto lineCounts = store.rowsNative(
        QStringLiteral("SELECT bnumer, count(*), sum(quantita) FROM invmo WHERE bannoc = ? GROUP BY bnumer"),
        {kConfirmYear}, &e);
    must(e, "invmo");
    int duplicateNumbers = numbersClaimedTwice;
    std::map<int, QString> headerOf;
    for (const auto& h : headers) {
        duplicateNumbers += int(h.at(1).toLongLong() - 1);
        headerOf[h.at(0).toInt()] = h.at(2).toString();
    }
    // Every confirmed handheld's lines under its own number, whole; no line
    // under a number without a header or under another operator's number.
    std::map<int, qint64> linesOf;
    qint64 stray = 0;
    for (const auto& l : lineCounts) {
        const int number = l.at(0).toInt();
        linesOf[number] = l.at(1).toLongLong();
        if (!headerOf.count(number) || !operatorOfNumber.count(number))
            stray += l.at(1).toLongLong();
    }
    qint64 lost = 0;
    for (const auto& [number, oper] : operatorOfNumber) {
        const qint64 have = linesOf.count(number) ? linesOf[number] : 0;
        lost += std::max<qint64>(0, kConfirmLines - have);
        stray += std::max<qint64>(0, have - kConfirmLines);
        if (headerOf[number] != QStringLiteral("Operatore %1").arg(oper))
            ++duplicateNumbers; // the header under that number is another operator's
    }
    *faults += int(duplicateNumbers + lost + stray);
    return {QString::number(n),
            QString::number(confirmed),
            QString::number(refused),
            QString::number(headers.size()),
            QString::number(duplicateNumbers),
            QString::number(lost),
            QString::number(stray),
            QString::number(spans.seconds() * 1000, 'f', 0),
            duplicateNumbers + lost + stray == 0 ? QStringLiteral("yes") : QStringLiteral("NO")};
}

} // namespace

int handheldWorker(const QStringList& args) {
    const QString what = args.value(1);
    if (what == QLatin1String("store"))
        return storeWorker(args);
    if (what == QLatin1String("confirm"))
        return confirmWorker(args);
    std::cerr << "handheld store|confirm ..." << std::endl;
    return 2;
}

int runHandhelds(const QString& root, const std::vector<int>& processes, int scans) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    data::Databases dbs(mappingOf(root));
    const data::Database store = dbs.open(kStore);
    if (!store.ok()) {
        err << store.error().message() << "\n";
        return 1;
    }
    const QString engine =
        store.engine() == data::Engine::Sqlite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
    int faults = 0;
    QStringList messages;
    std::vector<QStringList> storeRows, confirmRows;
    try {
        for (int n : processes) {
            err << engine << ": " << n << " handhelds storing..." << Qt::endl;
            storeRows.push_back(storeRound(store, root, n, scans, &faults, &messages));
        }
        for (int n : processes) {
            err << engine << ": " << n << " handhelds confirming..." << Qt::endl;
            confirmRows.push_back(confirmRound(store, root, n, &faults, &messages));
        }
    } catch (const std::exception& e) {
        err << engine << ": " << e.what() << "\n";
        return 1;
    }
    out << table({QStringLiteral("Handhelds"), QStringLiteral("Scans"), QStringLiteral("Stores/s"),
                  QStringLiteral("p50 ms"), QStringLiteral("p99 ms"), QStringLiteral("Refused"),
                  QStringLiteral("Sum of quantities"), QStringLiteral("Lost"), QStringLiteral("Doubled"),
                  QStringLiteral("Extra lines"), QStringLiteral("Exactly once")},
                 storeRows)
        << "\n"
        << table({QStringLiteral("Handhelds confirming"), QStringLiteral("Confirmed"),
                  QStringLiteral("Refused"), QStringLiteral("Documents"),
                  QStringLiteral("Under a taken number"), QStringLiteral("Lines lost"),
                  QStringLiteral("Stray lines"), QStringLiteral("Wall ms"), QStringLiteral("Sound")},
                 confirmRows);
    for (const QString& m : messages)
        out << "\nRefused with: " << m;
    out << "\n";
    out.flush();
    return faults;
}

} // namespace bench
