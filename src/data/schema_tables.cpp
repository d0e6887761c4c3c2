// The tables of the store-management databases, with the fields this program
// reads or writes and the indexes it seeks by name.
//
// Where a table lives: in the "ALTRI" store mode the work database path names
// the store database file, so every table that the supplier documents reach
// through the work path is kept in both files. The EAN-keyed article table
// `articoli` is also the price comparison table: on drive C: the price
// comparison database is the work database itself, so one layout serves both.
//
// Text widths are the longest value the program writes: a longer text is
// refused by the data layer, so a field copied from another one is at least as
// wide as its source (descriptions 50, as `desart`).
#include "schema.h"

namespace data::schema {

const std::vector<Table>& tables() {
    // Goods receipt lines and supplier order lines have one layout.
    static const std::vector<Field> supplierLineFields = {
        {"codutente", Kind::Int16}, {"bannoc", Kind::Int32},    {"bnumer", Kind::Int32},
        {"bns", Kind::Int16},       {"bdator", Kind::Date},     {"articoli", Kind::Int32},
        {"unitam", Kind::Text, 2},  {"imballo", Kind::Number},  {"costob", Kind::Money},
        {"costof", Kind::Money},    {"quantita", Kind::Number}, {"quanci", Kind::Number},
        {"collic", Kind::Number},   {"colli", Kind::Number},    {"descrizione", Kind::Text, 35},
        {"iva", Kind::Int16},       {"desgru", Kind::Text, 20}, {"eanrig", Kind::Text, 13},
        {"tipmov", Kind::Text, 2},  {"totrig", Kind::Money},    {"bflag1", Kind::Text, 1},
        {"lotto", Kind::Text, 20}};
    static const std::vector<Index> supplierLineIndexes = {{"primary", {"bannoc", "bnumer", "bns"}, false},
                                                           {"ean", {"bannoc", "bnumer", "eanrig"}, false}};
    static const std::vector<Table> all = {
        // ---- Settings and read-only tables of the store-management software ----

        // Path of the store database for the "ACCEDI" mode (first row counts).
        Table{"società", Settings, {{"database", Kind::Text, 255}}, {}},
        // Users of the store-management software; user 1 names the store.
        Table{"utenti",
              StoreDb | WorkDb,
              {{"codutente", Kind::Int16}, {"dscutente", Kind::Text, 50}},
              {{"codutente", {"codutente"}, true}}},
        // Customers; customer 1 names the store in the "......" mode.
        Table{"clienti",
              WorkDb,
              {{"codcliente", Kind::Int32}, {"dsccliente", Kind::Text, 50}},
              {{"primary", {"codcliente"}, true}}},
        // Suppliers offered by the supplier choice, in name order.
        Table{"fornitori",
              StoreDb | WorkDb,
              {{"codfornitore", Kind::Int16}, {"dscfornitore", Kind::Text, 45}},
              {{"primary", {"codfornitore"}, true}, {"dscfornitore", {"dscfornitore"}, false}}},

        // ---- Article master data ----

        // One row per EAN of an article: label marks, pack prices, EAN stock counters.
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
              {{"keyean", {"eanare"}, true},
               {"codare", {"codare"}, false},
               {"flagean", {"flagean"}, false}, // the handheld's label selection
               {"sta_eti", {"sta_eti"}, false}, // labels to print, counted by the request screen
               {"taglia", {"taglia"}, false}}}, // last label request sequence number
        // Price list, one row per article: costs, prices, offer, stock counters, last receipt and order.
        Table{"listi01",
              StoreDb | WorkDb,
              {{"codart", Kind::Int32},    {"desart", Kind::Text, 50}, {"imbart", Kind::Number},
               {"umart", Kind::Text, 2},   {"cofart", Kind::Money},    {"przart", Kind::Money},
               {"przpub", Kind::Money},    {"marg", Kind::Decimal},    {"przsal", Kind::Money},
               {"cosoff", Kind::Money},    {"data1", Kind::Date},      {"data2", Kind::Date},
               {"ivart", Kind::Text, 2},   {"desfor", Kind::Text, 45}, {"desgru", Kind::Text, 40},
               {"codafo", Kind::Text, 20}, {"cosmp", Kind::Money},     {"qinv", Kind::Number},
               {"qacq", Kind::Number},     {"qres", Kind::Number},     {"qven", Kind::Number},
               {"qgia", Kind::Number},     {"valgia", Kind::Money},    {"qultcar", Kind::Number},
               {"dultcar", Kind::Date},    {"colliuo", Kind::Number},  {"datauo", Kind::Date}},
              // The order entry finds an article by the supplier's code inside a
              // supplier barcode, compared trimmed.
              {{"primary", {"codart"}, true}, {"codafo", {"codafo"}, false, true}}},
        // Articles of the department orders by internal code, with their last order.
        // The article code stays the first field: the description search shows it in column 1.
        Table{"articolo",
              StoreDb | WorkDb,
              {{"codart", Kind::Int32},
               {"desart", Kind::Text, 50},
               {"imbart", Kind::Number},
               {"przart", Kind::Money},
               {"ivart", Kind::Text, 2},
               {"umart", Kind::Text, 2},
               {"desgru", Kind::Text, 40},
               {"quantiuo", Kind::Number},
               {"colliuo", Kind::Number},
               {"datauo", Kind::Date},
               {"orauo", Kind::Time}},
              {{"primary", {"codart"}, true}, {"desart", {"desart"}, false}}},
        // Articles by EAN with their last order, and the costs of four suppliers with the
        // packs to order from each (price comparison).
        Table{"articoli",
              StoreDb | WorkDb | PriceCmpDb,
              {{"codean", Kind::Text, 13},
               {"codart", Kind::Int32},
               {"desart", Kind::Text, 50},
               {"imballo", Kind::Number},
               {"ivart", Kind::Text, 2},
               {"costo1", Kind::Money},
               {"costo2", Kind::Money},
               {"costo3", Kind::Money},
               {"costo4", Kind::Money},
               {"colli1", Kind::Number},
               {"colli2", Kind::Number},
               {"colli3", Kind::Number},
               {"colli4", Kind::Number},
               {"sel", Kind::Text, 1},
               {"quantiuo", Kind::Number},
               {"colliuo", Kind::Number},
               {"datauo", Kind::Date},
               {"orauo", Kind::Time}},
              // An article may have several EAN rows, so its code is no unique key here.
              {{"codean", {"codean"}, true}, {"primary", {"codart"}, false}}},

        // ---- Working lines ----

        // Inventory counts, one line per article and operator.
        Table{"inventario",
              StoreDb,
              {{"codcasa", Kind::Int32},
               {"eanrig", Kind::Text, 13},
               {"descrizione", Kind::Text, 35},
               {"unitam", Kind::Text, 2},
               {"prezzo", Kind::Money},
               {"colli", Kind::Number},
               {"quantita", Kind::Number},
               {"imballo", Kind::Number},
               {"iva", Kind::Text, 2},
               {"desfor", Kind::Text, 35},
               {"desgru", Kind::Text, 20},
               {"oper", Kind::Int16}},
              {{"oper_code", {"oper", "codcasa"}, false},
               {"oper_ean", {"oper", "eanrig"}, false},
               {"oper", {"oper", "marbo_rid"}, false}, // an operator's lines in the order entered
               {"ean", {"eanrig"}, false}}},           // stepping to the next EAN
        // Goods received from the chosen supplier, one line per article and operator.
        Table{"carico",
              StoreDb | WorkDb,
              {{"codcasa", Kind::Int32},
               {"eanrig", Kind::Text, 13},
               {"descrizione", Kind::Text, 35},
               {"unitam", Kind::Text, 2},
               {"prezzo", Kind::Money},
               {"colli", Kind::Number},
               {"quantita", Kind::Number},
               {"imballo", Kind::Number},
               {"iva", Kind::Text, 2},
               {"desfor", Kind::Text, 35},
               {"codfor", Kind::Int16},
               {"desgru", Kind::Text, 20},
               {"oper", Kind::Int16}},
              {{"oper_code", {"oper", "codcasa"}, false},
               {"oper_ean", {"oper", "eanrig"}, false},
               {"oper", {"oper", "marbo_rid"}, false},
               {"ean", {"eanrig"}, false}}},
        // Order lines, one per EAN: department orders (tipord set) and supplier orders (tipord empty).
        // Lines entered by code alone share the blank EAN, so the EAN is no unique key.
        Table{"ordine",
              StoreDb | WorkDb,
              {{"codcasa", Kind::Int32},
               {"eanrig", Kind::Text, 13},
               {"descrizione", Kind::Text, 50},
               {"unitam", Kind::Text, 2},
               {"prezzo", Kind::Money},
               {"colli", Kind::Number},
               {"imballo", Kind::Number},
               {"quantita", Kind::Number},
               {"iva", Kind::Text, 2},
               {"desfor", Kind::Text, 35},
               {"desgru", Kind::Text, 20},
               {"tipord", Kind::Text, 1},
               {"codfor", Kind::Int16}},
              {{"ean", {"eanrig"}, false}, {"codcasa", {"codcasa"}, false}, {"tipord", {"tipord"}, false}}},
        // Goods to return to the chosen supplier, one line per EAN.
        Table{"resi",
              StoreDb | WorkDb,
              {{"codcasa", Kind::Int32},
               {"eanrig", Kind::Text, 13},
               {"descrizione", Kind::Text, 50},
               {"unitam", Kind::Text, 2},
               {"prezzo", Kind::Money},
               {"colli", Kind::Number},
               {"quantita", Kind::Number},
               {"imballo", Kind::Number},
               {"iva", Kind::Text, 2},
               {"desfor", Kind::Text, 35},
               {"codfor", Kind::Int16},
               {"desgru", Kind::Text, 20}},
              {{"ean", {"eanrig"}, false}, {"codcasa", {"codcasa"}, false}}},

        // ---- Numbering ----

        // Document types and the numbering series each one uses.
        Table{"tipodoc",
              StoreDb | WorkDb,
              {{"coddoc", Kind::Text, 12}, {"numeratore", Kind::Text, 2}, {"dscdoc", Kind::Text, 50}},
              {{"primary", {"coddoc"}, true}}},
        // Last number given, per user, series and year.
        Table{"numeri",
              StoreDb | WorkDb,
              {{"codutente", Kind::Int16},
               {"tipo", Kind::Text, 2},
               {"anno", Kind::Int32},
               {"ultnum", Kind::Int32}},
              {{"primary", {"codutente", "tipo", "anno"}, true}}},

        // ---- Documents ----
        // Headers are unique by year and number: a second header under a number already
        // taken (another workstation, a number typed twice) is refused. Lines are not
        // unique by (year, number, line): lines written under a number without a header
        // (the "Primo Libero" box unticked) may later meet the lines of a new document.

        // Inventory document headers.
        Table{"invte",
              StoreDb,
              {{"anno", Kind::Int32},
               {"numero", Kind::Int32},
               {"codutente", Kind::Int16},
               {"dataor", Kind::Date},
               {"dsccliente", Kind::Text, 35},
               {"cliente", Kind::Int32},
               {"codsede", Kind::Int32},
               {"dscsede", Kind::Text, 35},
               {"regis", Kind::Text, 1},
               {"commesso", Kind::Text, 30},
               {"codlis", Kind::Text, 2},
               {"tipodoc", Kind::Text, 12},
               {"agente", Kind::Int32},
               {"causa", Kind::Text, 10},
               {"bolli", Kind::Int32}},
              {{"primary", {"anno", "numero"}, true}}},
        // Inventory document lines: counted quantity and cost of each article.
        Table{"invmo",
              StoreDb,
              {{"bns", Kind::Int16},       {"bannoc", Kind::Int32},
               {"bnumer", Kind::Int32},    {"articoli", Kind::Int32},
               {"quantita", Kind::Number}, {"unitam", Kind::Text, 2},
               {"colli", Kind::Number},    {"tipmov", Kind::Text, 2},
               {"totrig", Kind::Money},    {"descrizione", Kind::Text, 50},
               {"iva", Kind::Text, 2},     {"codute", Kind::Int16},
               {"eanrig", Kind::Text, 13}, {"costof", Kind::Money},
               {"prezzo", Kind::Money},    {"cosmp", Kind::Money},
               {"bflag1", Kind::Text, 1},  {"dsccolore", Kind::Text, 20},
               {"taglia", Kind::Text, 10}, {"desfor", Kind::Text, 35},
               {"desgru", Kind::Text, 20}, {"commesso", Kind::Text, 30},
               {"tipodoc", Kind::Text, 12}},
              {{"primary", {"bannoc", "bnumer", "bns"}, false}}},

        // Department order headers, kept by the store-management software (opened, never read).
        Table{"testa",
              StoreDb | WorkDb,
              {{"codutente", Kind::Int16},
               {"anno", Kind::Int32},
               {"numero", Kind::Int32},
               {"dataor", Kind::Date},
               {"tipodoc", Kind::Text, 12}},
              {{"primary", {"anno", "numero"}, true}}},
        // Department order lines, appended and merged by EAN by the order confirmations.
        Table{"movimenti",
              StoreDb | WorkDb,
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
              {{"primary", {"bannoc", "bnumer", "bns"}, false},
               {"ean", {"bannoc", "bnumer", "eanrig"}, false}}},

        // Goods receipt headers (document type FATTACQIMM).
        Table{"testaof",
              StoreDb | WorkDb,
              {{"codutente", Kind::Int16},
               {"anno", Kind::Int32},
               {"numero", Kind::Int32},
               {"dataor", Kind::Date},
               {"dscfornitore", Kind::Text, 35},
               {"codfor", Kind::Int16},
               {"fl1ts", Kind::Text, 1},
               {"fl3ts", Kind::Text, 1},
               {"fl2ts", Kind::Text, 1},
               {"dataco", Kind::Date},
               {"tipodoc", Kind::Text, 12}},
              {{"primary", {"anno", "numero"}, true}}},
        // Goods receipt lines: packs and pieces received of each article.
        Table{"ordinif", StoreDb | WorkDb, supplierLineFields, supplierLineIndexes},

        // Supplier order headers (document type ORDFOR); fl1ts "E" closes an order.
        // `dsccliente` is never written; the orders list sorts by the supplier name instead.
        Table{"testao",
              StoreDb | WorkDb,
              {{"codutente", Kind::Int16},
               {"anno", Kind::Int32},
               {"numero", Kind::Int32},
               {"dataor", Kind::Date},
               {"dscfornitore", Kind::Text, 35},
               {"codfor", Kind::Int16},
               {"codlis", Kind::Text, 2},
               {"fl1ts", Kind::Text, 1},
               {"fl3ts", Kind::Text, 1},
               {"fl2ts", Kind::Text, 1},
               {"dataco", Kind::Date},
               {"tipodoc", Kind::Text, 12},
               {"commesso", Kind::Text, 30},
               {"dsccliente", Kind::Text, 35}},
              {{"primary", {"anno", "numero"}, true}, {"codfor", {"codfor"}, false}}},
        // Supplier order lines: ordered, then delivered packs and pieces, lot and line state.
        Table{"ordini", StoreDb | WorkDb, supplierLineFields, supplierLineIndexes},

        // Supplier return note headers (DDTRESFOR); open until regis is "R".
        Table{"reste",
              StoreDb | WorkDb,
              {{"codutente", Kind::Int16},
               {"anno", Kind::Int32},
               {"numero", Kind::Int32},
               {"dataor", Kind::Date},
               {"dsccliente", Kind::Text, 35},
               {"cliente", Kind::Int16},
               {"codlis", Kind::Text, 2},
               {"fl1ts", Kind::Text, 1},
               {"regis", Kind::Text, 1},
               {"datafa", Kind::Date},
               {"tipodoc", Kind::Text, 12},
               {"codtipdoc", Kind::Text, 2}},
              {{"primary", {"anno", "numero"}, true}, {"cliente", {"cliente"}, false}}},
        // Supplier return note lines, one per EAN of a note.
        Table{"resmo",
              StoreDb | WorkDb,
              {{"codutente", Kind::Int16}, {"bannoc", Kind::Int32},         {"bnumer", Kind::Int32},
               {"bns", Kind::Int16},       {"codtipdoc", Kind::Text, 2},    {"bdator", Kind::Date},
               {"articoli", Kind::Int32},  {"unitam", Kind::Text, 2},       {"imballo", Kind::Number},
               {"costof", Kind::Money},    {"prezzo", Kind::Money},         {"colli", Kind::Number},
               {"quantita", Kind::Number}, {"descrizione", Kind::Text, 35}, {"iva", Kind::Int16},
               {"desgru", Kind::Text, 20}, {"eanrig", Kind::Text, 13},      {"tipmov", Kind::Text, 2},
               {"bflag1", Kind::Text, 1},  {"totrig", Kind::Money}},
              {{"primary", {"bannoc", "bnumer", "bns"}, false},
               {"ean", {"bannoc", "bnumer", "eanrig"}, false}}},

        // ---- Price comparison ----
        // The price comparison database holds `articoli` (above) with the same layout.
    };
    return all;
}

} // namespace data::schema
