#include "storegen.h"

#include "data/ddl.h"
#include "data/dialect.h"

#include <QDir>
#include <QTextStream>
#include <random>

namespace storegen {

namespace {

using data::Database;
using data::Error;

// Inserts rows of one table with a fixed list of fields, many rows to a
// statement (one round trip for a few hundred rows on a server); fields the
// layout does not know are reported once and left out. The first error is
// kept and returned by flush().
class Rows {
public:
    Rows(const Database& db, const QString& table, const QStringList& fields)
        : db_(db) {
        const auto* layout = data::schema::table(table);
        QStringList cols;
        for (int i = 0; i < fields.size(); ++i) {
            if (layout && layout->field(fields.at(i))) {
                keep_.push_back(i);
                cols << data::ident(fields.at(i));
            } else {
                QTextStream(stderr) << "make-store: " << table << "." << fields.at(i)
                                    << " not in the layout\n";
            }
        }
        head_ = QStringLiteral("INSERT INTO %1 (%2) VALUES ")
                    .arg(data::ident(table), cols.join(QStringLiteral(", ")));
        row_ = QLatin1Char('(') + QStringList(cols.size(), QStringLiteral("?")).join(QStringLiteral(", ")) +
               QLatin1Char(')');
        // Within every engine's limit on bound values.
        perStatement_ = std::max<int>(1, 4000 / std::max<int>(1, int(cols.size())));
    }
    void add(const QVariantList& values) {
        for (int i : keep_)
            pending_ << values.value(i);
        if (++rows_ == perStatement_)
            flush();
    }
    Error flush() {
        if (rows_ > 0 && !error_) {
            QString sql = head_ + row_;
            for (int r = 1; r < rows_; ++r)
                sql += QStringLiteral(", ") + row_;
            error_ = db_.executeNative(sql, pending_);
        }
        pending_.clear();
        rows_ = 0;
        return error_;
    }

private:
    Database db_;
    QString head_, row_;
    std::vector<int> keep_;
    QVariantList pending_;
    int rows_ = 0;
    int perStatement_ = 1;
    Error error_;
};

struct Group {
    const char* department; // T dry, M fresh, O non food, S frozen
    const char* name;
    const char* unit;
    const char* vat;
    double costLow, costHigh;
    std::vector<const char*> products;
};

const std::vector<Group>& groups() {
    static const std::vector<Group> g{
        {"T",
         "PASTA",
         "PZ",
         "04",
         0.35,
         1.60,
         {"SPAGHETTI N.5", "PENNE RIGATE", "FUSILLI", "RIGATONI", "LINGUINE", "FARFALLE", "ORECCHIETTE",
          "TAGLIATELLE UOVO"}},
        {"T",
         "CONSERVE",
         "PZ",
         "04",
         0.40,
         2.50,
         {"PASSATA DI POMODORO", "POLPA DI POMODORO", "PELATI", "FAGIOLI BORLOTTI", "CECI LESSATI",
          "TONNO ALL'OLIO", "PISELLI FINI", "MAIS DOLCE"}},
        {"T",
         "OLIO E ACETO",
         "LT",
         "04",
         2.10,
         9.80,
         {"OLIO EXTRAVERGINE", "OLIO DI SEMI GIRASOLE", "ACETO BALSAMICO", "ACETO DI VINO"}},
        {"T",
         "BISCOTTI",
         "PZ",
         "10",
         0.90,
         3.20,
         {"FROLLINI CACAO", "BISCOTTI INTEGRALI", "CRACKERS SALATI", "FETTE BISCOTTATE", "WAFER NOCCIOLA"}},
        {"T",
         "CAFFE'",
         "PZ",
         "22",
         2.40,
         6.90,
         {"CAFFE' MACINATO MOKA", "CAFFE' IN GRANI", "CAPSULE ESPRESSO", "ORZO SOLUBILE"}},
        {"T",
         "BEVANDE",
         "LT",
         "22",
         0.18,
         1.90,
         {"ACQUA MINERALE NAT.", "ACQUA FRIZZANTE", "ARANCIATA", "COLA", "SUCCO DI PESCA", "BIRRA CHIARA"}},
        {"M",
         "SALUMI",
         "KG",
         "10",
         6.50,
         24.00,
         {"PROSCIUTTO CRUDO", "PROSCIUTTO COTTO", "MORTADELLA", "SALAME MILANO", "BRESAOLA", "SPECK"}},
        {"M",
         "FORMAGGI",
         "KG",
         "04",
         5.20,
         19.50,
         {"PARMIGIANO REGGIANO", "GRANA PADANO", "PECORINO ROMANO", "PROVOLONE DOLCE", "ASIAGO", "FONTINA"}},
        {"M",
         "LATTICINI",
         "PZ",
         "04",
         0.45,
         2.80,
         {"MOZZARELLA", "RICOTTA", "YOGURT BIANCO", "LATTE INTERO", "BURRO", "MASCARPONE"}},
        {"M",
         "CARNE",
         "KG",
         "10",
         4.80,
         18.00,
         {"PETTO DI POLLO", "MACINATO BOVINO", "FETTINE DI VITELLO", "SALSICCIA", "LONZA DI MAIALE"}},
        {"O",
         "DETERSIVI",
         "PZ",
         "22",
         0.80,
         6.50,
         {"DETERSIVO LAVATRICE", "AMMORBIDENTE", "DETERSIVO PIATTI", "SGRASSATORE", "CANDEGGINA"}},
        {"O",
         "IGIENE PERSONALE",
         "PZ",
         "22",
         0.70,
         4.90,
         {"BAGNOSCHIUMA", "SHAMPOO", "DENTIFRICIO", "SAPONE LIQUIDO", "DEODORANTE"}},
        {"O",
         "CARTA",
         "PZ",
         "22",
         0.60,
         5.40,
         {"CARTA IGIENICA", "ROTOLONI CUCINA", "TOVAGLIOLI", "FAZZOLETTI"}},
        {"S",
         "VERDURE SURGELATE",
         "PZ",
         "04",
         0.90,
         3.60,
         {"SPINACI", "MINESTRONE", "PISELLI", "FAGIOLINI", "PATATE FRITTE"}},
        {"S",
         "GELATI",
         "PZ",
         "10",
         1.50,
         5.90,
         {"GELATO VANIGLIA", "CONI GELATO", "GHIACCIOLI", "TORTA GELATO"}},
        {"S",
         "PESCE SURGELATO",
         "PZ",
         "10",
         2.20,
         9.90,
         {"BASTONCINI DI PESCE", "FILETTI DI MERLUZZO", "GAMBERETTI", "SEPPIE"}},
    };
    return g;
}

const char* const kBrands[] = {"BARILLINA", "DEL CAMPO", "SOLE D'ITALIA", "MONTEVERDE", "CASA ROSSI",
                               "VALPADANA", "MARE BLU",  "LA MASSAIA",    "BONTA' SUD", "ALPINA"};
const char* const kSizes[] = {"GR.250", "GR.500",  "KG.1",   "ML.750", "LT.1",
                              "LT.1,5", "CONF.X4", "GR.400", "GR.125"};

struct Supplier {
    int code;
    const char* name;
};
const Supplier kSuppliers[] = {{101, "ALIMENTARI ROSSI SPA"},       {102, "DISTRIBUZIONE BIANCHI SRL"},
                               {103, "CASEIFICIO VALPADANA SCARL"}, {104, "SALUMIFICIO MONTEVERDE SRL"},
                               {105, "ITALFRIGO SURGELATI SPA"},    {106, "DETERGENTI DEL NORD SRL"},
                               {107, "BEVANDE DEL SUD SRL"},        {108, "CARTIERA ALPINA SPA"}};

QString ean13(const QString& twelve) {
    return twelve + QString::number(eanCheckDigit(twelve));
}

double cents(double v) {
    return std::round(v * 100.0) / 100.0;
}

// A sale price with VAT and markup, ending in 0 or 9 cents as shops like.
double salePrice(double cost, int vat, double markup) {
    double p = cost * (1 + vat / 100.0) * (1 + markup);
    p = std::floor(p * 10.0) / 10.0 + 0.09;
    return cents(p);
}

} // namespace

int eanCheckDigit(const QString& d) {
    int sum = 0;
    for (int i = 0; i < 12 && i < d.size(); ++i)
        sum += (d.at(i).digitValue()) * (i % 2 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

QString makeStore(const QString& root, const Shape& shape) {
    return makeStore(data::DriveMapping(root), shape);
}

QString makeStore(const data::DriveMapping& mapping, const Shape& shape) {
    data::Databases dbs{mapping};
    Error e;
    const int year = shape.today.year();
    std::mt19937 rng(shape.seed);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    auto uniform = [&](double lo, double hi) { return lo + (hi - lo) * (rng() % 10000) / 10000.0; };

    // Settings: the store database path left blank, so the default path applies.
    Database settings =
        data::createDatabase(dbs, QStringLiteral("c:\\vesk\\marbo.mdb"), data::schema::Settings, &e);
    if (e)
        return e.message() + QLatin1Char(' ') + e.detail;
    Rows company(settings, QStringLiteral("società"), {QStringLiteral("database")});
    company.add({QString()});
    if ((e = company.flush()))
        return e.message() + QLatin1Char(' ') + e.detail;

    const unsigned everything = data::schema::StoreDb | data::schema::WorkDb | data::schema::PriceCmpDb;
    for (const QString& path :
         {QStringLiteral("c:\\marbo\\dati.mdb"), QStringLiteral("c:\\marbo\\bancacodean.mdb")}) {
        const bool store = path.contains(QLatin1String("dati"));
        Database db = data::createDatabase(dbs, path, everything, &e);
        if (e)
            return e.message() + QLatin1Char(' ') + e.detail;
        if ((e = db.begin()))
            return e.message();

        Rows utenti(db, "utenti", {"codutente", "dscutente"});
        utenti.add({1, "SUPERMERCATO DEMO - PUNTO VENDITA 1"});
        utenti.add({2, "MAGAZZINO CENTRALE"});
        Rows clienti(db, "clienti", {"codcliente", "dsccliente"});
        clienti.add({1, "MARKET VIA ROMA 12 - BOLOGNA"});
        Rows fornitori(db, "fornitori", {"codfornitore", "dscfornitore"});
        for (const Supplier& s : kSuppliers)
            fornitori.add({s.code, s.name});

        Rows tipodoc(db, "tipodoc", {"coddoc", "numeratore", "dscdoc"});
        tipodoc.add({"INVENTARIO", "IN", "INVENTARIO DI MAGAZZINO"});
        tipodoc.add({"DDTRESFOR", "RF", "DDT DI RESO A FORNITORE"});
        tipodoc.add({"FATTACQIMM", "CF", "CARICO DA FORNITORE"});
        tipodoc.add({"ORDFOR", "OF", "ORDINE A FORNITORE"});
        Rows numeri(db, "numeri", {"codutente", "tipo", "anno", "ultnum"});
        numeri.add({1, "IN", year, 41});
        numeri.add({1, "CF", year, 0});
        numeri.add({1, "OF", year, 0});
        numeri.add({1, "RF", year, 0});
        numeri.add({1, "IN", year - 1, 17}); // last year's series stays as it is

        Rows listi01(db, "listi01",
                     {"codart", "desart", "imbart", "umart", "cofart", "przart", "przpub", "marg",
                      "przsal", "cosoff", "data1",  "data2", "ivart",  "desfor", "desgru", "codafo",
                      "cosmp",  "qinv",   "qacq",   "qres",  "qven",   "qgia",   "valgia"});
        Rows codean(db, "codean",
                    {"eanare", "codare", "desart", "flagean", "sta_eti", "neti", "aggi", "prezzo", "pezzix",
                     "prezzox", "einv", "eacq", "eres", "even", "egia"});
        Rows articolo(db, "articolo", {"codart", "desart", "imbart", "przart", "ivart", "umart", "desgru"});
        Rows articoli(db, "articoli",
                      {"codean", "codart", "desart", "imballo", "costo1", "ivart", "costo2", "costo3",
                       "costo4", "colli1", "colli2", "colli3", "colli4", "sel"});
        Rows ordine(db, "ordine",
                    {"codcasa", "eanrig", "descrizione", "unitam", "prezzo", "colli", "imballo", "quantita",
                     "iva", "desfor", "desgru", "tipord"});
        Rows testao(db, "testao",
                    {"codutente", "anno", "numero", "dataor", "dscfornitore", "codfor", "codlis", "fl1ts",
                     "fl3ts", "fl2ts", "dataco", "tipodoc"});
        Rows ordini(db, "ordini",
                    {"codutente",   "bannoc", "bnumer", "bns",      "bdator", "articoli", "unitam",
                     "imballo",     "costob", "costof", "quantita", "quanci", "collic",   "colli",
                     "descrizione", "iva",    "desgru", "eanrig",   "tipmov", "totrig"});
        Rows inventario(db, "inventario",
                        {"codcasa", "eanrig", "descrizione", "unitam", "prezzo", "colli", "quantita",
                         "imballo", "iva", "desfor", "desgru", "oper"});
        Rows carico(db, "carico",
                    {"codcasa", "eanrig", "descrizione", "colli", "quantita", "codfor", "oper"});
        Rows supplierOrder(db, "ordine",
                           {"codcasa", "eanrig", "descrizione", "colli", "quantita", "tipord", "codfor"});
        Rows resi(db, "resi", {"codcasa", "eanrig", "descrizione", "colli", "quantita", "codfor"});
        Rows reste(db, "reste",
                   {"codutente", "anno", "numero", "dataor", "dsccliente", "cliente", "regis", "tipodoc",
                    "codtipdoc"});
        Rows resmo(db, "resmo",
                   {"codutente", "bannoc", "bnumer", "bns", "codtipdoc", "articoli", "colli", "quantita",
                    "eanrig", "tipmov", "totrig"});

        std::mt19937 arng(shape.seed); // articles are the same in both files
        auto apick = [&](int n) { return int(arng() % unsigned(n)); };
        auto auniform = [&](double lo, double hi) { return lo + (hi - lo) * (arng() % 10000) / 10000.0; };
        const auto& gs = groups();
        int weighedSerial = 0;
        std::vector<QString> firstEan(size_t(shape.articles));
        auto eanOf = [&](int codart) { return firstEan[size_t(codart - 1000)]; };
        for (int i = 0; i < shape.articles; ++i) {
            const Group& g = gs[size_t(i) % gs.size()];
            const int codart = 1000 + i;
            const bool weighed = QByteArray(g.unit) == "KG";
            const QString product = QString::fromLatin1(g.products[size_t(apick(int(g.products.size())))]);
            const QString desart = weighed
                                       ? product + QLatin1Char(' ') + QString::fromLatin1(kBrands[apick(10)])
                                       : QStringLiteral("%1 %2 %3")
                                             .arg(product, QString::fromLatin1(kBrands[apick(10)]),
                                                  QString::fromLatin1(kSizes[apick(9)]));
            const int vat = QByteArray(g.vat).toInt();
            const double cost = cents(auniform(g.costLow, g.costHigh));
            const double price = salePrice(cost, vat, auniform(0.22, 0.45));
            const double margin = cents((price - cost * (1 + vat / 100.0)) / price * 100.0);
            const int pack = weighed ? 1 : (apick(3) == 0 ? 6 : (apick(2) ? 12 : 24));
            // Each department buys from its own suppliers.
            const QByteArray dep(g.department);
            const QByteArray group(g.name);
            const int supplierIndex = dep == "M"   ? (group == "FORMAGGI" || group == "LATTICINI" ? 2 : 3)
                                      : dep == "S" ? 4
                                      : dep == "O" ? (i % 2 ? 5 : 7)
                                                   : (i % 3 == 2 ? 6 : i % 2);
            const Supplier& sup = kSuppliers[supplierIndex];
            // Offers: one article in seven is on offer now, one in eleven had one that ended.
            QVariant przsal, cosoff, data1, data2;
            if (i % 7 == 3) {
                przsal = cents(price * 0.8);
                cosoff = cents(cost * 0.85);
                data1 = shape.today.addDays(-5);
                data2 = shape.today.addDays(10);
            } else if (i % 11 == 5) {
                przsal = cents(price * 0.75);
                cosoff = cents(cost * 0.8);
                data1 = shape.today.addDays(-40);
                data2 = shape.today.addDays(-10);
            }
            const double stock = double(apick(120));
            listi01.add({codart,
                         desart,
                         pack,
                         g.unit,
                         cost,
                         cost,
                         price,
                         margin,
                         przsal,
                         cosoff,
                         data1,
                         data2,
                         g.vat,
                         sup.name,
                         g.name,
                         QStringLiteral("F%1-%2").arg(sup.code).arg(codart),
                         cost,
                         stock,
                         0,
                         0,
                         0,
                         stock,
                         cents(stock * cost)});
            articolo.add({codart, desart, pack, cost, g.vat, g.unit, g.name});

            QStringList eans;
            if (weighed) {
                // In-store code: "2", six digits of the article, five of price, check digit.
                const QString twelve =
                    QStringLiteral("2%1").arg(100000 + weighedSerial++, 6, 10, QLatin1Char('0')) +
                    QStringLiteral("00000");
                eans << ean13(twelve);
            } else {
                const int n = (i % 9 == 0) ? 3 : (i % 4 == 0 ? 2 : 1);
                for (int k = 0; k < n; ++k) {
                    const QString twelve = QStringLiteral("80%1%2")
                                               .arg(10 + (i + k * 7) % 89, 2, 10, QLatin1Char('0'))
                                               .arg(codart * 10 + k, 8, 10, QLatin1Char('0'));
                    eans << ean13(twelve);
                }
            }
            firstEan[size_t(i)] = eans[0];
            for (int k = 0; k < eans.size(); ++k) {
                const bool own = k == 1; // a second EAN may be a multipack with its own price
                codean.add({eans[k], codart, desart.left(40), QString(), QString(), 0, own ? "A" : QString(),
                            own ? cents(price * 6 * 0.95) : QVariant(), own ? 6 : QVariant(),
                            own ? cents(price * 6 * 0.95) : QVariant(), stock, 0, 0, 0, stock});
            }
            if (!store) {
                // Price comparison: two to four suppliers' costs.
                const int offers = 2 + apick(3);
                QVariantList row{eans[0], codart, desart, pack, cost, g.vat};
                for (int s = 0; s < 3; ++s)
                    row << (s + 1 < offers ? QVariant(cents(cost * auniform(0.9, 1.15))) : QVariant(0.0));
                row << 0 << 0 << 0 << 0 << QString();
                articoli.add(row);
            }
            if (!store && i < shape.orderLines)
                ordine.add({codart, eans[0], desart.left(50), g.unit, price, double(1 + apick(10)), pack,
                            double(pack), g.vat, QString::fromLatin1(sup.name).left(35),
                            QString::fromLatin1(g.name).left(20), "T"});
            if (store && i < shape.supplierOrderSize) // the large order: its lines over the articles
                ordini.add({1,
                            year,
                            1,
                            i + 1,
                            shape.today,
                            codart,
                            g.unit,
                            pack,
                            cost,
                            cost,
                            double(pack * 2),
                            0,
                            0,
                            double(pack * 2),
                            desart.left(35),
                            vat,
                            QString::fromLatin1(g.name).left(20),
                            eans[0],
                            "AR",
                            cents(pack * 2 * cost)});
            if (store && i < shape.inventoryLines) {
                inventario.add({codart, eans[0], desart.left(35), g.unit, price, 1, double(1 + apick(30)),
                                pack, g.vat, QString::fromLatin1(sup.name).left(35),
                                QString::fromLatin1(g.name).left(20), 1});
            }
        }
        // Operators 2 and 3: many lines over the articles, as a long count has them.
        if (store) {
            for (const auto& [oper, count] :
                 {std::pair{2, shape.longListLines}, std::pair{3, shape.confirmLines}}) {
                std::mt19937 lrng(shape.seed + unsigned(oper));
                for (int i = 0; i < count; ++i) {
                    const int codart = 1000 + int(lrng() % unsigned(shape.articles));
                    const double q = double(1 + lrng() % 30);
                    inventario.add(QVariantList{codart, eanOf(codart), QStringLiteral("RIGA %1").arg(i), "PZ",
                                                uniform(1, 9), q, q, 1, "10", QString(), QString(), oper});
                }
            }
        }
        // The supplier documents to confirm: distinct articles for each working table
        // (steps prime to the article count), the open note's lines apart from the returns.
        if (store) {
            auto article = [&](int i, int step, int offset) {
                return 1000 + int((qint64(i) * step + offset) % shape.articles);
            };
            for (int i = 0; i < shape.receiptLines; ++i) {
                const int codart = article(i, 13, 0);
                carico.add({codart, eanOf(codart), QStringLiteral("CARICO %1").arg(i), 1 + i % 5, 6 + i % 7,
                            101, 4});
            }
            for (int i = 0; i < shape.supplierOrderLines; ++i) {
                const int codart = article(i, 17, 7);
                supplierOrder.add({codart, eanOf(codart), QStringLiteral("ORDINE %1").arg(i), 1 + i % 4, 12,
                                   QString(), 101});
            }
            for (int i = 0; i < shape.returnLines + shape.returnNoteLines; ++i) {
                const int codart = article(i, 19, 11);
                if (i < shape.returnLines)
                    resi.add({codart, eanOf(codart), QStringLiteral("RESO %1").arg(i), 1 + i % 3, 2, 101});
                else
                    resmo.add({1, 2097, 1, i - shape.returnLines + 1, "RF", codart, 1, 6, eanOf(codart), "AR",
                               6.0});
            }
            if (shape.returnNoteLines > 0)
                reste.add({1, 2097, 1, shape.today, kSuppliers[0].name, 101, "P", "DDTRESFOR", "RF"});
        }
        // Open supplier orders of this year, alternately of the first two suppliers.
        for (int n = 1; store && n <= shape.supplierOrders; ++n) {
            const Supplier& sup = kSuppliers[(n - 1) % 2];
            testao.add({1, year, n, shape.today.addDays(-(n % 30)), sup.name, sup.code, "01", " ", "N", "O",
                        shape.today.addDays(-(n % 30)), "ORDFOR"});
        }
        for (Rows* rows :
             {&utenti, &clienti, &fornitori, &tipodoc, &numeri, &listi01, &codean, &articolo, &articoli,
              &inventario, &ordine, &testao, &ordini, &carico, &supplierOrder, &resi, &reste, &resmo})
            if ((e = rows->flush()))
                return e.message() + QLatin1Char(' ') + e.detail;
        if ((e = db.commit()))
            return e.message() + QLatin1Char(' ') + e.detail;
    }
    return {};
}

} // namespace storegen
