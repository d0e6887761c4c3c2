// The tables of the store-management databases, with the fields this program
// reads or writes and the indexes it seeks by name.
#include "data/schema.h"

namespace data::schema {

namespace {

// Fields shared by the working line tables (inventario, carico, ordine, resi).
std::vector<Field> workingLine(std::vector<Field> extra) {
    std::vector<Field> f{
        {"codcasa", Kind::Int32},   {"eanrig", Kind::Text, 13}, {"descrizione", Kind::Text, 50},
        {"unitam", Kind::Text, 2},  {"prezzo", Kind::Money},    {"colli", Kind::Number},
        {"quantita", Kind::Number}, {"imballo", Kind::Number},  {"iva", Kind::Text, 2},
        {"desfor", Kind::Text, 45}, {"desgru", Kind::Text, 20}};
    f.insert(f.end(), extra.begin(), extra.end());
    return f;
}

// Lines of the supplier documents (receipts, supplier orders).
std::vector<Field> documentLine() {
    return {{"codutente", Kind::Int16}, {"bannoc", Kind::Int32},    {"bnumer", Kind::Int32},
            {"bns", Kind::Int16},       {"bdator", Kind::Date},     {"articoli", Kind::Int32},
            {"unitam", Kind::Text, 2},  {"imballo", Kind::Number},  {"costob", Kind::Money},
            {"costof", Kind::Money},    {"quantita", Kind::Number}, {"quanci", Kind::Number},
            {"collic", Kind::Number},   {"colli", Kind::Number},    {"descrizione", Kind::Text, 50},
            {"iva", Kind::Int16},       {"desgru", Kind::Text, 20}, {"eanrig", Kind::Text, 13},
            {"tipmov", Kind::Text, 2},  {"totrig", Kind::Money},    {"lotto", Kind::Text, 20},
            {"bflag1", Kind::Text, 1}};
}

std::vector<Index> documentLineIndexes() {
    return {{"primary", {"bannoc", "bnumer", "bns"}, false}, {"ean", {"bannoc", "bnumer", "eanrig"}, false}};
}

} // namespace

const std::vector<Table>& tables() {
    static const std::vector<Table> all = {
        // Settings: where the store database is.
        Table{"società", Settings, {{"database", Kind::Text, 255}}, {}},

        // Read-only tables of the store-management software.
        Table{"utenti",
              WorkDb,
              {{"codutente", Kind::Int16}, {"dscutente", Kind::Text, 50}},
              {{"codutente", {"codutente"}, true}}},
        Table{"clienti",
              WorkDb,
              {{"codcliente", Kind::Int32}, {"dsccliente", Kind::Text, 50}},
              {{"primary", {"codcliente"}, true}}},
        Table{"fornitori",
              WorkDb,
              {{"codfornitore", Kind::Int32}, {"dscfornitore", Kind::Text, 50}},
              {{"primary", {"codfornitore"}, true}, {"dscfornitore", {"dscfornitore"}, false}}},

        // Article master data: one row per EAN, one price-list row per article.
        Table{"codean",
              StoreDb | WorkDb,
              {{"eanare", Kind::Text, 13},
               {"codare", Kind::Int32},
               {"desart", Kind::Text, 50},
               {"flagean", Kind::Text, 1},
               {"sta_eti", Kind::Text, 1},
               {"neti", Kind::Number},
               {"taglia", Kind::Int32},
               {"aggi", Kind::Text, 1},
               {"prezzo", Kind::Money},
               {"pezzix", Kind::Int32},
               {"prezzox", Kind::Money},
               {"einv", Kind::Number},
               {"eacq", Kind::Number},
               {"eres", Kind::Number},
               {"even", Kind::Number},
               {"egia", Kind::Number}},
              {{"keyean", {"eanare"}, true}, {"codare", {"codare"}, false}, {"flagean", {"flagean"}, false}}},
        Table{"listi01",
              StoreDb | WorkDb,
              {{"codart", Kind::Int32},    {"desart", Kind::Text, 60}, {"imbart", Kind::Number},
               {"umart", Kind::Text, 2},   {"cofart", Kind::Money},    {"przart", Kind::Money},
               {"przpub", Kind::Money},    {"marg", Kind::Decimal},    {"przsal", Kind::Money},
               {"cosoff", Kind::Money},    {"data1", Kind::Date},      {"data2", Kind::Date},
               {"ivart", Kind::Text, 2},   {"desfor", Kind::Text, 50}, {"desgru", Kind::Text, 40},
               {"codafo", Kind::Text, 20}, {"cosmp", Kind::Money},     {"qinv", Kind::Number},
               {"qacq", Kind::Number},     {"qres", Kind::Number},     {"qven", Kind::Number},
               {"qgia", Kind::Number},     {"valgia", Kind::Money},    {"qultcar", Kind::Number},
               {"dultcar", Kind::Date},    {"colliuo", Kind::Number},  {"datauo", Kind::Date}},
              {{"primary", {"codart"}, true}, {"desart", {"desart"}, false}}},
        // Article tables of the order flows (work database). The EAN-keyed one
        // doubles as the price comparison table (costs and packs of four suppliers).
        Table{"articolo",
              WorkDb,
              {{"codart", Kind::Int32},
               {"desart", Kind::Text, 60},
               {"imbart", Kind::Number},
               {"przart", Kind::Money},
               {"ivart", Kind::Text, 2},
               {"umart", Kind::Text, 2},
               {"desgru", Kind::Text, 40},
               {"quantiuo", Kind::Number},
               {"colliuo", Kind::Number},
               {"datauo", Kind::Date},
               {"orauo", Kind::Time}},
              {{"primary", {"codart"}, true}}},
        Table{"articoli",
              WorkDb | PriceCmpDb,
              {{"codean", Kind::Text, 13},
               {"codart", Kind::Int32},
               {"desart", Kind::Text, 60},
               {"imballo", Kind::Number},
               {"costo1", Kind::Money},
               {"ivart", Kind::Text, 2},
               {"quantiuo", Kind::Number},
               {"colliuo", Kind::Number},
               {"datauo", Kind::Date},
               {"orauo", Kind::Time},
               {"costo2", Kind::Money},
               {"costo3", Kind::Money},
               {"costo4", Kind::Money},
               {"colli1", Kind::Number},
               {"colli2", Kind::Number},
               {"colli3", Kind::Number},
               {"colli4", Kind::Number},
               {"sel", Kind::Text, 1}},
              {{"codean", {"codean"}, false}, {"codart", {"codart"}, false}}},

        // Working lines: one per article and operator (inventory, receipt), per
        // EAN (orders, returns).
        Table{"inventario",
              StoreDb | WorkDb,
              workingLine({{"oper", Kind::Int16}}),
              {{"oper_code", {"oper", "codcasa"}, false},
               {"oper", {"oper", "marbo_rid"}, false}, // an operator's lines in the order entered
               {"oper_ean", {"oper", "eanrig"}, false},
               {"ean", {"eanrig"}, false}}},
        Table{"carico",
              StoreDb | WorkDb,
              workingLine({{"codfor", Kind::Int16}, {"oper", Kind::Int16}}),
              {{"oper_code", {"oper", "codcasa"}, false},
               {"oper_ean", {"oper", "eanrig"}, false},
               {"oper", {"oper", "marbo_rid"}, false}}},
        Table{"ordine",
              StoreDb | WorkDb,
              workingLine({{"tipord", Kind::Text, 1}, {"codfor", Kind::Int16}}),
              {{"ean", {"eanrig"}, false}, {"codcasa", {"codcasa"}, false}}},
        Table{"resi",
              StoreDb | WorkDb,
              workingLine({{"codfor", Kind::Int16}}),
              {{"ean", {"eanrig"}, false}, {"codcasa", {"codcasa"}, false}}},

        // Numbering: which series a document type uses, last number per series.
        Table{"tipodoc",
              StoreDb | WorkDb,
              {{"coddoc", Kind::Text, 12}, {"numeratore", Kind::Text, 2}, {"dscdoc", Kind::Text, 50}},
              {{"primary", {"coddoc"}, true}}},
        Table{"numeri",
              StoreDb | WorkDb,
              {{"codutente", Kind::Int16},
               {"tipo", Kind::Text, 2},
               {"anno", Kind::Int32},
               {"ultnum", Kind::Int32}},
              {{"primary", {"codutente", "tipo", "anno"}, true}}},

        // Inventory documents.
        Table{"invte",
              StoreDb | WorkDb,
              {{"anno", Kind::Int32},
               {"numero", Kind::Int32},
               {"codutente", Kind::Int16},
               {"dataor", Kind::Date},
               {"dsccliente", Kind::Text, 50},
               {"cliente", Kind::Int32},
               {"codsede", Kind::Int32},
               {"dscsede", Kind::Text, 50},
               {"regis", Kind::Text, 1},
               {"commesso", Kind::Text, 30},
               {"codlis", Kind::Text, 2},
               {"tipodoc", Kind::Text, 12},
               {"agente", Kind::Int32},
               {"causa", Kind::Text, 10},
               {"bolli", Kind::Int32}},
              // One document per number: a header of another workstation under the
              // same number is refused by the database itself.
              {{"primary", {"anno", "numero"}, true}}},
        Table{"invmo",
              StoreDb | WorkDb,
              {{"bns", Kind::Int16},       {"bannoc", Kind::Int32},
               {"bnumer", Kind::Int32},    {"articoli", Kind::Int32},
               {"quantita", Kind::Number}, {"unitam", Kind::Text, 2},
               {"colli", Kind::Number},    {"tipmov", Kind::Text, 2},
               {"totrig", Kind::Money},    {"descrizione", Kind::Text, 60},
               {"iva", Kind::Text, 2},     {"codute", Kind::Int16},
               {"eanrig", Kind::Text, 13}, {"costof", Kind::Money},
               {"prezzo", Kind::Money},    {"cosmp", Kind::Money},
               {"bflag1", Kind::Text, 1},  {"dsccolore", Kind::Text, 20},
               {"taglia", Kind::Text, 10}, {"desfor", Kind::Text, 35},
               {"desgru", Kind::Text, 20}, {"commesso", Kind::Text, 30},
               {"tipodoc", Kind::Text, 12}},
              {{"primary", {"bannoc", "bnumer", "bns"}, false}}},

        // Department order documents: headers kept by the store-management
        // software, lines appended by the order confirmation.
        Table{"testa",
              WorkDb,
              {{"anno", Kind::Int32},
               {"numero", Kind::Int32},
               {"dataor", Kind::Date},
               {"tipodoc", Kind::Text, 12}},
              {{"primary", {"anno", "numero"}, false}}},
        Table{"movimenti",
              WorkDb,
              {{"bannoc", Kind::Int32},
               {"bnumer", Kind::Int32},
               {"bns", Kind::Int16},
               {"bdator", Kind::Date},
               {"articoli", Kind::Int32},
               {"unitam", Kind::Text, 2},
               {"imballo", Kind::Number},
               {"prezzo", Kind::Money},
               {"quantita", Kind::Number},
               {"colli", Kind::Number},
               {"descrizione", Kind::Text, 35},
               {"iva", Kind::Int16},
               {"desgru", Kind::Text, 40},
               {"eanrig", Kind::Text, 13},
               {"totrig", Kind::Money}},
              {{"primary", {"bannoc", "bnumer", "bns"}, false}}},

        // Goods receipts from suppliers.
        Table{"testaof",
              WorkDb,
              {{"codutente", Kind::Int16},
               {"anno", Kind::Int32},
               {"numero", Kind::Int32},
               {"dataor", Kind::Date},
               {"dscfornitore", Kind::Text, 45},
               {"codfor", Kind::Int16},
               {"codlis", Kind::Text, 2},
               {"fl1ts", Kind::Text, 1},
               {"fl3ts", Kind::Text, 1},
               {"fl2ts", Kind::Text, 1},
               {"dataco", Kind::Date},
               {"tipodoc", Kind::Text, 12},
               {"commesso", Kind::Text, 30}},
              {{"primary", {"anno", "numero"}, false}}},
        Table{"ordinif", WorkDb, documentLine(), documentLineIndexes()},

        // Supplier orders.
        Table{"testao",
              WorkDb,
              {{"codutente", Kind::Int16},
               {"anno", Kind::Int32},
               {"numero", Kind::Int32},
               {"dataor", Kind::Date},
               {"dscfornitore", Kind::Text, 45},
               {"codfor", Kind::Int16},
               {"codlis", Kind::Text, 2},
               {"fl1ts", Kind::Text, 1},
               {"fl3ts", Kind::Text, 1},
               {"fl2ts", Kind::Text, 1},
               {"dataco", Kind::Date},
               {"tipodoc", Kind::Text, 12},
               {"commesso", Kind::Text, 30}},
              {{"primary", {"anno", "numero"}, false}, {"codfor", {"codfor"}, false}}},
        Table{"ordini", WorkDb, documentLine(), documentLineIndexes()},

        // Supplier return notes.
        Table{"reste",
              WorkDb,
              {{"codutente", Kind::Int16},
               {"anno", Kind::Int32},
               {"numero", Kind::Int32},
               {"dataor", Kind::Date},
               {"dsccliente", Kind::Text, 45},
               {"cliente", Kind::Int16},
               {"codlis", Kind::Text, 2},
               {"fl1ts", Kind::Text, 1},
               {"regis", Kind::Text, 1},
               {"datafa", Kind::Date},
               {"tipodoc", Kind::Text, 12},
               {"codtipdoc", Kind::Text, 2}},
              {{"primary", {"anno", "numero"}, false}, {"cliente", {"cliente"}, false}}},
        Table{"resmo",
              WorkDb,
              {{"codutente", Kind::Int16}, {"bannoc", Kind::Int32},         {"bnumer", Kind::Int32},
               {"bns", Kind::Int16},       {"codtipdoc", Kind::Text, 2},    {"bdator", Kind::Date},
               {"articoli", Kind::Int32},  {"unitam", Kind::Text, 2},       {"imballo", Kind::Number},
               {"costof", Kind::Money},    {"prezzo", Kind::Money},         {"colli", Kind::Number},
               {"quantita", Kind::Number}, {"descrizione", Kind::Text, 50}, {"iva", Kind::Int16},
               {"desgru", Kind::Text, 20}, {"eanrig", Kind::Text, 13},      {"tipmov", Kind::Text, 2},
               {"bflag1", Kind::Text, 1},  {"totrig", Kind::Money}},
              {{"primary", {"bannoc", "bnumer", "bns"}, false}}},
    };
    return all;
}

} // namespace data::schema
