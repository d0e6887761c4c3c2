#include "harness.h"

#include "raw.h"

#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <random>
#include <stdexcept>

namespace bench {

namespace {

std::vector<Measure>& registry() {
    static std::vector<Measure> all;
    return all;
}

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace

void add(Measure m) {
    registry().push_back(std::move(m));
}

const std::vector<Measure>& measures() {
    return registry();
}

void fail(const QString& why) {
    throw Failure(why.toStdString());
}

double percentile(Samples s, double p) {
    if (s.empty())
        return 0;
    std::sort(s.begin(), s.end());
    return s[std::min(s.size() - 1, size_t(double(s.size()) * p))];
}

Program::Program(const data::DriveMapping& mapping)
    : run(mapping, messages, clock, printer)
    , state(run.state)
    , dbs(run.dbs)
    , registry(run.registry) {
    state.storeDbPath = QStringLiteral("c:\\marbo\\dati.mdb");
    state.operatorNumber = 1;
    state.userCode = 1;
}

Context::Context(const QString& root)
    : root_(root) {
    // The root's own mapping, drives.ini included, as the program reads it.
    qputenv("MARBO_DATA_ROOT", root.toLocal8Bit());
    mapping_ = data::DriveMapping::fromEnvironment();
    store_ = mapping_.resolve(QStringLiteral("c:\\marbo\\dati.mdb"));
    work_ = mapping_.resolve(QStringLiteral("c:\\marbo\\bancacodean.mdb"));
    engine_ = store_.engine;
}

Context::~Context() = default;

QString Context::engineName() const {
    return engine_ == data::Engine::Sqlite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
}

RawSqlite& Context::sqlite() {
    if (!sqlite_)
        sqlite_ = std::make_unique<RawSqlite>(store_.file);
    return *sqlite_;
}

RawPg& Context::pg() {
    if (!pg_)
        pg_ = std::make_unique<RawPg>(store_);
    return *pg_;
}

RawSqlite& Context::workSqlite() {
    if (!workSqlite_)
        workSqlite_ = std::make_unique<RawSqlite>(work_.file);
    return *workSqlite_;
}

RawPg& Context::workPg() {
    if (!workPg_)
        workPg_ = std::make_unique<RawPg>(work_);
    return *workPg_;
}

QString Context::programDir() const {
    return QCoreApplication::applicationDirPath();
}

const std::vector<QString>& Context::codeMix() {
    if (!codes_.empty())
        return codes_;
    auto p = program();
    data::Error e;
    const auto rows =
        p->store().rowsNative(QStringLiteral("SELECT eanare FROM codean ORDER BY marbo_rid"), {}, &e);
    if (e)
        fail(QStringLiteral("codean: ") + e.message());
    std::vector<QString> eans, weighed;
    for (const QVariantList& r : rows) {
        const QString ean = r.at(0).toString();
        (ean.startsWith(QLatin1Char('2')) ? weighed : eans).push_back(ean);
    }
    if (eans.empty() || weighed.empty())
        fail(QStringLiteral("the store has no EANs: not a store made by make-large"));
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        const int kind = int(rng() % 20);
        if (kind < 9)
            codes_.push_back(eans[rng() % eans.size()]);
        else if (kind < 12)
            codes_.push_back(QString::number(1000 + rng() % 150000)); // internal code, first try
        else if (kind < 14)
            codes_.push_back(QString::number((1000 + rng() % 150000) * 10 + 7)); // second try
        else if (kind < 17) {
            const QString w = weighed[rng() % weighed.size()];
            codes_.push_back(w.left(7) + QStringLiteral("01234") + QLatin1Char('0')); // price 12.34
        } else
            codes_.push_back(QStringLiteral("8099") +
                             QString::number(100000000 + rng() % 899999999)); // unknown
    }
    return codes_;
}

namespace {

struct Summary {
    QString ours, raw, ratio, target, met;
};

QString ms(double us, int places) {
    return QString::number(us / 1000.0, 'f', places);
}

Summary summarise(const Measure& m, data::Engine engine, const Samples& ours, const Samples* raw) {
    Summary s;
    const double limit = engine == data::Engine::Sqlite ? m.target.sqliteMs : m.target.postgresMs;
    double oursFigure = 0, rawFigure = 0;
    switch (m.figure) {
    case Figure::Latency:
        oursFigure = percentile(ours, 0.99);
        s.ours = ms(percentile(ours, 0.5), 3) + QStringLiteral(" / ") + ms(oursFigure, 3);
        if (raw) {
            rawFigure = percentile(*raw, 0.99);
            s.raw = ms(percentile(*raw, 0.5), 3) + QStringLiteral(" / ") + ms(rawFigure, 3);
        }
        break;
    case Figure::Run:
        oursFigure = percentile(ours, 0.5);
        s.ours = ms(oursFigure, oursFigure < 100000 ? 1 : 0);
        if (raw) {
            rawFigure = percentile(*raw, 0.5);
            s.raw = ms(rawFigure, rawFigure < 100000 ? 1 : 0);
        }
        break;
    case Figure::Memory:
        oursFigure = percentile(ours, 0.5);
        s.ours = QString::number(oursFigure, 'f', 0);
        break;
    case Figure::Rate:
        oursFigure = percentile(ours, 0.5) / 1024;
        s.ours = QString::number(oursFigure, 'f', 0);
        if (raw) {
            rawFigure = percentile(*raw, 0.5) / 1024;
            s.raw = QString::number(rawFigure, 'f', 0);
        }
        break;
    }
    if (!raw)
        s.raw = QStringLiteral("-");
    // How many times the raw baseline's cost: time over time, or rate under rate.
    const bool rate = m.figure == Figure::Rate;
    const double ratio = !raw   ? 0
                         : rate ? (oursFigure > 0 ? rawFigure / oursFigure : 0)
                                : (rawFigure > 0 ? oursFigure / rawFigure : 0);
    s.ratio = raw ? QString::number(ratio, 'f', 1) + QLatin1Char('x') : QStringLiteral("-");
    const double value = m.figure == Figure::Memory || rate ? oursFigure : oursFigure / 1000.0;
    QStringList target;
    bool met = true;
    if (limit > 0) {
        const QString unit = m.figure == Figure::Memory ? QStringLiteral(" MB")
                             : rate                     ? QStringLiteral(" KB/s")
                                                        : QStringLiteral(" ms");
        target << (m.figure == Figure::Latency ? QStringLiteral("p99 <= ")
                   : rate                      ? QStringLiteral(">= ")
                                               : QStringLiteral("<= ")) +
                      QString::number(limit) + unit;
        met = met && (rate ? value >= limit : value <= limit);
    }
    if (m.target.maxRatio > 0) {
        target << QStringLiteral("<= %1x raw").arg(m.target.maxRatio);
        met = met && raw && ratio <= m.target.maxRatio;
    }
    s.target = target.isEmpty() ? QStringLiteral("-") : target.join(QStringLiteral(", "));
    s.met = target.isEmpty() ? QStringLiteral("-") : met ? QStringLiteral("yes") : QStringLiteral("NO");
    return s;
}

QString unitOf(Figure f) {
    switch (f) {
    case Figure::Latency:
        return QStringLiteral(" (p50 / p99 ms)");
    case Figure::Run:
        return QStringLiteral(" (ms)");
    case Figure::Memory:
        return QStringLiteral(" (MB)");
    case Figure::Rate:
        return QStringLiteral(" (KB/s)");
    }
    return {};
}

} // namespace

int runMeasures(Context& c, const QString& only) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString rawName =
        c.engine() == data::Engine::Sqlite ? QStringLiteral("Raw SQLite") : QStringLiteral("Raw libpq");
    std::vector<std::array<QString, 6>> rows;
    QStringList notes;
    int failures = 0;
    for (const Measure& m : measures()) {
        if (!only.isEmpty() && !m.label.contains(only, Qt::CaseInsensitive))
            continue;
        const Work& rawWork = c.engine() == data::Engine::Sqlite ? m.rawSqlite : m.rawPostgres;
        err << c.engineName() << ": " << m.label << "..." << Qt::endl;
        try {
            const Samples ours = m.ours(c);
            Samples raw;
            if (rawWork)
                raw = rawWork(c);
            const Summary s = summarise(m, c.engine(), ours, rawWork ? &raw : nullptr);
            rows.push_back({m.label + unitOf(m.figure), s.ours, s.raw, s.ratio, s.target, s.met});
            if (!m.baseline.isEmpty())
                notes << QStringLiteral("%1: the raw baseline is %2.").arg(m.label, m.baseline);
        } catch (const std::exception& e) {
            ++failures;
            const QString why = QString::fromStdString(e.what()).simplified().left(120);
            err << "  failed: " << why << Qt::endl;
            rows.push_back({m.label + unitOf(m.figure), QStringLiteral("failed: ") + why, QStringLiteral("-"),
                            QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("NO")});
        }
    }
    const std::array<QString, 6> head{
        QStringLiteral("Measure"), QStringLiteral("Ours"),   rawName,
        QStringLiteral("Ratio"),   QStringLiteral("Target"), QStringLiteral("Met")};
    std::array<qsizetype, 6> w{};
    for (size_t i = 0; i < 6; ++i) {
        w[i] = head[i].size();
        for (const auto& r : rows)
            w[i] = std::max(w[i], r[i].size());
    }
    auto line = [&](const std::array<QString, 6>& r) {
        out << '|';
        for (size_t i = 0; i < 6; ++i)
            out << ' ' << r[i].leftJustified(w[i]) << " |";
        out << '\n';
    };
    line(head);
    out << '|';
    for (size_t i = 0; i < 6; ++i)
        out << QString(w[i] + 2, QLatin1Char('-')) << '|';
    out << '\n';
    for (const auto& r : rows)
        line(r);
    for (const QString& n : notes)
        out << '\n' << n << '\n';
    out.flush();
    return failures;
}

} // namespace bench
