#include "host/demo/DemoGenerator.h"

#include "host/demo/BulkInsert.h"
#include "host/demo/DemoCatalogue.h"

#include "host/Reloj.h"

#include <algorithm>

namespace demo {

namespace {

using db::ParamType;
using Col = BulkInsert::Column;

constexpr Col kEmp {"Cod_Empresa", ParamType::SmallInt};
constexpr Col kAlm {"Cod_Almacen", ParamType::SmallInt};
constexpr Col kArt {"Cod_Articulo", ParamType::Integer};
constexpr Col kCod {"Codigo", ParamType::Integer};
constexpr Col kUnidades {"Unidades", ParamType::Decimal};

// GS1 check digit: weights 3 and 1 alternating from the rightmost data digit.
QString withCheckDigit(const QString& digits)
{
    int sum = 0;
    int weight = 3;
    for (int i = digits.size() - 1; i >= 0; --i) {
        sum += digits.at(i).digitValue() * weight;
        weight = 4 - weight;
    }
    return digits + QString::number((10 - sum % 10) % 10);
}

QString text(const char* s)
{
    return QString::fromUtf8(s);
}

}  // namespace

DemoGenerator::DemoGenerator(const db::ConnectionPtr& connection, const DemoOptions& options)
    : c_(connection)
    , o_(options)
    , rnd_(options.seed)
    , today_(options.today.isValid() ? options.today : host::Reloj::hoy())
{
}

void DemoGenerator::run()
{
    company();
    warehouses();
    families();
    brandsAndSuppliers();
    articles();
    assortment();
    groups();
    perishables();
    supplierDocuments();
    viewerColumns();
}

void DemoGenerator::company()
{
    BulkInsert emp(c_, QStringLiteral("Empresas"),
        {{"Codigo", ParamType::SmallInt}, {"Nombre", ParamType::VarChar, 100},
            {"CIF", ParamType::VarChar, 20}, {"Direccion", ParamType::VarChar, 100},
            {"Poblacion", ParamType::VarChar, 60}, {"Telefono", ParamType::VarChar, 20},
            {"Cod_EmpresaArticulos", ParamType::SmallInt},
            {"Cod_EmpresaProveedores", ParamType::SmallInt}, {"Almacen_PD", ParamType::SmallInt}});
    emp.add({kCompany, "Supermercados Norvex, S.A.", "A47000001", "Calle Mayor, 1", "Valladolid",
        "983 000 000", kCompany, kCompany, kCentral});

    BulkInsert users(c_, QStringLiteral("Usuarios"),
        {{"Codigo", ParamType::SmallInt}, {"Nombre", ParamType::VarChar, 50},
            {"Cod_Almacen", ParamType::SmallInt}});
    users.add({1, "ADMINISTRADOR", kCentral});
    users.add({2, "ENCARGADO TIENDA", kMatchingStore});
}

void DemoGenerator::warehouses()
{
    BulkInsert alm(c_, QStringLiteral("Almacenes"),
        {kEmp, {"Codigo", ParamType::SmallInt}, {"Nombre", ParamType::VarChar, 50},
            {"Direccion", ParamType::VarChar, 100}, {"Poblacion", ParamType::VarChar, 60},
            {"RepPorcentajeCajas", ParamType::Decimal}, {"Tarifa", ParamType::SmallInt},
            {"TarifaProm", ParamType::SmallInt}, {"CfgStockTransito", ParamType::SmallInt}});
    alm.add({kCompany, kCentral, "Almacén central", "Polígono Industrial San Cristóbal, nave 4",
        "Valladolid", db::Money(), 1, 2, 0});
    const auto towns = DemoCatalogue::towns();
    for (int i = 0; i < o_.stores; ++i) {
        const int code = store(i);
        const QString town = i < static_cast<int>(towns.size())
            ? text(towns[i])
            : QStringLiteral("Localidad %1").arg(code);
        // The matching store works with stock in transit, so its screen has data to show.
        const int transit = code == kMatchingStore ? 1 : static_cast<int>(rnd_.between(0, 2));
        alm.add({kCompany, code, QStringLiteral("Tienda %1").arg(town),
            QStringLiteral("Plaza de España, %1").arg(rnd_.between(1, 60)), town,
            units(rnd_.between(5, 16) * 5), 1, 2, transit});
    }
}

void DemoGenerator::families()
{
    BulkInsert f1(
        c_, QStringLiteral("Familias_1"), {kEmp, kCod, {"Nombre", ParamType::VarChar, 50}});
    BulkInsert f2(c_, QStringLiteral("Familias_2"),
        {kEmp, {"Familia_1", ParamType::Integer}, kCod, {"Nombre", ParamType::VarChar, 50}});
    BulkInsert f3(c_, QStringLiteral("Familias_3"),
        {kEmp, {"Familia_1", ParamType::Integer}, {"Familia_2", ParamType::Integer}, kCod,
            {"Nombre", ParamType::VarChar, 50}});
    const auto third = DemoCatalogue::thirdLevels();
    const auto fams = DemoCatalogue::families();
    for (size_t i = 0; i < fams.size(); ++i) {
        const int a = static_cast<int>(i) + 1;
        f1.add({kCompany, a, text(fams[i].name)});
        for (size_t j = 0; j < fams[i].subfamilies.size(); ++j) {
            const int b = static_cast<int>(j) + 1;
            f2.add({kCompany, a, b, text(fams[i].subfamilies[j].name)});
            // Three third levels per subfamily, rotating through the list.
            for (int k = 0; k < 3; ++k)
                f3.add({kCompany, a, b, k + 1, text(third[(i + j + k) % third.size()])});
        }
    }
}

void DemoGenerator::brandsAndSuppliers()
{
    BulkInsert marcas(c_, QStringLiteral("Marcas"), {kCod, {"Nombre", ParamType::VarChar, 50}});
    const auto brands = DemoCatalogue::brands();
    for (size_t i = 0; i < brands.size(); ++i)
        marcas.add({static_cast<int>(i) + 1, text(brands[i])});

    BulkInsert prov(c_, QStringLiteral("Proveedores"),
        {kEmp, kCod, {"Nombre", ParamType::VarChar, 100}, {"CIF", ParamType::VarChar, 20},
            {"UsarPendRecibirPedidos", ParamType::SmallInt}});
    const auto suppliers = DemoCatalogue::suppliers();
    for (size_t i = 0; i < suppliers.size(); ++i) {
        const int code = static_cast<int>(i) + 1;
        prov.add({kCompany, code, text(suppliers[i]),
            QStringLiteral("B%1").arg(47100000 + code * 37, 8, 10, QLatin1Char('0')),
            code % 3 == 0 ? 0 : 1});
    }
}

void DemoGenerator::articles()
{
    BulkInsert art(c_, QStringLiteral("Articulos"),
        {kEmp, kCod, {"Descripcion", ParamType::VarChar, 100}, {"UxCaja", ParamType::Decimal},
            {"UxFraccion", ParamType::Decimal}, {"TipoRep", ParamType::SmallInt},
            {"Familia_1", ParamType::Integer}, {"Familia_2", ParamType::Integer},
            {"Familia_3", ParamType::Integer}, {"Marca", ParamType::Integer},
            {"Cod_Proveedor", ParamType::Integer}, {"Mod_Ficha", ParamType::SmallInt}});
    BulkInsert ean(c_, QStringLiteral("Articulos_CBarras"),
        {kEmp, {"Cod_Barras", ParamType::VarChar, 20}, kArt, {"Principal", ParamType::SmallInt}});
    BulkInsert tarifas(c_, QStringLiteral("Articulos_Tarifas"),
        {kEmp, {"Cod_Tarifa", ParamType::SmallInt}, kArt, {"Pvp", ParamType::Decimal}});

    static constexpr int kBoxes[] = {1, 4, 6, 6, 12, 12, 12, 24, 24, 48};
    const auto fams = DemoCatalogue::families();
    const auto brands = DemoCatalogue::brands();
    const int supplierCount = static_cast<int>(DemoCatalogue::suppliers().size());
    articles_.reserve(o_.articles);
    for (int i = 0; i < o_.articles; ++i) {
        Article a {};
        a.code = 10001 + i;
        a.family1 = static_cast<int>(rnd_.between(1, static_cast<int64_t>(fams.size())));
        const DemoFamily& fam = fams[a.family1 - 1];
        a.family2 = static_cast<int>(rnd_.between(1, static_cast<int64_t>(fam.subfamilies.size())));
        const DemoSubfamily& sub = fam.subfamilies[a.family2 - 1];
        a.family3 = static_cast<int>(rnd_.between(1, 3));
        a.brand = static_cast<int>(rnd_.between(1, static_cast<int64_t>(brands.size())));
        // Each family is bought mostly from two suppliers.
        a.supplier
            = 1 + ((a.family1 - 1) * 2 + static_cast<int>(rnd_.between(0, 1))) % supplierCount;
        a.unitsPerBox = rnd_.pick(kBoxes);
        a.tipoRep = rnd_.percent(92) ? 1 : 0;
        a.costCents = rnd_.between(20, 2500);
        const QString product = text(sub.products[rnd_.between(0, sub.products.size() - 1)]);
        const QString size = text(sub.sizes[rnd_.between(0, sub.sizes.size() - 1)]);
        const QString description
            = QStringLiteral("%1 %2 %3").arg(product, text(brands[a.brand - 1]).toUpper(), size);
        const int fraction = a.unitsPerBox >= 6 ? a.unitsPerBox / 2 : a.unitsPerBox;
        art.add({kCompany, a.code, description, units(a.unitsPerBox), units(fraction), a.tipoRep,
            a.family1, a.family2, a.family3, a.brand, a.supplier, 0});

        const QString base = QStringLiteral("84%1").arg(a.code, 10, 10, QLatin1Char('0'));
        ean.add({kCompany, withCheckDigit(base), a.code, 1});
        if (rnd_.percent(20))  // the box's own code
            ean.add({kCompany, withCheckDigit(QStringLiteral("1") + base), a.code, 0});
        if (rnd_.percent(5))  // an older code the article still answers to
            ean.add({kCompany, withCheckDigit(QStringLiteral("2") + base.mid(1)), a.code, 0});

        // Retail price: 25 to 60 % over cost, to the nearest 5 cents.
        const int64_t pvp = (a.costCents * rnd_.between(125, 160) / 100 + 4) / 5 * 5;
        tarifas.add({kCompany, 1, a.code, cents(pvp)});
        if (rnd_.percent(10))
            tarifas.add({kCompany, 2, a.code, cents(pvp * 85 / 100)});
        articles_.push_back(a);
    }
}

void DemoGenerator::assortment()
{
    BulkInsert aa(c_, QStringLiteral("Almacen_Articulos"),
        {kEmp, kAlm, kArt, {"Stock_Actual", ParamType::Decimal}, {"Bloqueo", ParamType::SmallInt},
            {"Ubicacion", ParamType::VarChar, 20}, {"PU_Compra", ParamType::Decimal}});
    BulkInsert rep(c_, QStringLiteral("Reposicion"),
        {kEmp, kAlm, kArt, kCod, {"CualidadX", ParamType::Integer},
            {"CualidadY", ParamType::Integer}, kUnidades, {"UnidadesVenta", ParamType::Decimal},
            {"UnidadesResto", ParamType::Decimal}});
    BulkInsert reserved(
        c_, QStringLiteral("Reposicion_StockReservado"), {kEmp, kAlm, kArt, kUnidades});
    BulkInsert sales(c_, QStringLiteral("Articulos_Ventas_Dia"),
        {kEmp, kAlm, {"Fecha", ParamType::Date}, kArt, {"Cantidad", ParamType::Decimal}});

    const auto fams = DemoCatalogue::families();
    for (Article& a : articles_) {
        const int box = a.unitsPerBox;
        a.centralStock = rnd_.percent(8) ? 0 : rnd_.between(1, 40) * box + rnd_.between(0, box - 1);
        // Eight characters, as the screens and the pre-invoice split them: aisle (letter and
        // two digits), shelf (two digits), position (three digits): "A0102003".
        const QString shelf = QStringLiteral("%1%2%3%4")
                                  .arg(QLatin1Char(fams[a.family1 - 1].aisle))
                                  .arg(rnd_.between(1, 30), 2, 10, QLatin1Char('0'))
                                  .arg(rnd_.between(1, 5), 2, 10, QLatin1Char('0'))
                                  .arg(rnd_.between(1, 120), 3, 10, QLatin1Char('0'));
        aa.add({kCompany, kCentral, a.code, units(a.centralStock), 0, shelf, cents(a.costCents)});
        // Units that open pre-invoices already hold at the central warehouse.
        if (a.centralStock > 0 && rnd_.percent(3))
            reserved.add({kCompany, kCentral, a.code,
                units(std::min<int64_t>(a.centralStock, rnd_.between(1, box)))});
    }
    for (int i = 0; i < o_.stores; ++i) {
        const int alm = store(i);
        for (const Article& a : articles_) {
            if (!rnd_.percent(55))
                continue;
            const int box = a.unitsPerBox;
            const bool blocked = rnd_.percent(2);
            const QString shelf = rnd_.percent(30)
                ? QString()
                : QStringLiteral("L%1%2%3")
                      .arg(rnd_.between(1, 12), 2, 10, QLatin1Char('0'))
                      .arg(rnd_.between(1, 4), 2, 10, QLatin1Char('0'))
                      .arg(rnd_.between(1, 40), 3, 10, QLatin1Char('0'));
            aa.add({kCompany, alm, a.code, units(rnd_.between(0, 3 * box)), blocked ? 1 : 0, shelf,
                cents(a.costCents)});
            if (rnd_.percent(8)) {
                const int64_t sold = rnd_.between(1, 2 * box);
                const int64_t left = rnd_.percent(30) ? rnd_.between(1, box) : 0;
                rep.add(
                    {kCompany, alm, a.code, 0, 0, 0, units(sold + left), units(sold), units(left)});
            }
            if (alm == kMatchingStore && rnd_.percent(3))
                sales.add({kCompany, alm, today_, a.code, units(rnd_.between(1, box))});
        }
    }
}

void DemoGenerator::groups()
{
    BulkInsert aprov(c_, QStringLiteral("Reposicion_Grp_Aprovisionamiento"),
        {kEmp, {"Cod_Aprov", ParamType::SmallInt}, {"Nombre", ParamType::VarChar, 50},
            {"TipoFichero_Propuesta", ParamType::SmallInt}});
    aprov.add({kCompany, 1, "Alimentación y bebidas", 0});
    aprov.add({kCompany, 2, "Frescos y congelados", 1});
    aprov.add({kCompany, 3, "No alimentación", 0});

    BulkInsert grp(c_, QStringLiteral("Reposicion_Grp"),
        {kEmp, {"Cod_Grupo", ParamType::SmallInt}, {"Nombre", ParamType::VarChar, 50},
            {"Cod_Aprov", ParamType::SmallInt}});
    BulkInsert fam(c_, QStringLiteral("Reposicion_Grp_Fam"),
        {kEmp, {"Cod_Grupo", ParamType::SmallInt}, {"Familia_1", ParamType::Integer},
            {"Familia_2", ParamType::Integer}, {"Familia_3", ParamType::Integer},
            {"Cod_Marca", ParamType::Integer}});
    struct Element {
        int f1, f2, f3, brand;
    };
    struct Group {
        int code;
        const char* name;
        int aprov;
        std::vector<Element> elements;
    };
    // Bazar and Mascotas belong to no group: generation sends them in the pre-invoice of group 0.
    const Group groups[] = {
        {1, "Alimentación seca", 1, {{1, 0, 0, 0}}},
        {2, "Bebidas", 1, {{2, 1, 0, 0}, {2, 2, 0, 0}, {2, 4, 0, 0}}},
        {3, "Vinos y cavas", 1, {{2, 3, 0, 0}}},
        {4, "Frescos", 2, {{5, 0, 0, 0}}},
        {5, "Congelados", 2, {{6, 0, 0, 0}}},
        {6, "Droguería y perfumería", 3, {{3, 0, 0, 0}, {4, 1, 0, 0}, {4, 2, 0, 0}}},
        {7, "Bebé", 3, {{4, 3, 0, 0}}},
        {8, "Marca Norvex", 1, {{0, 0, 0, 1}}},
        {9, "Lácteos ecológicos", 2, {{5, 4, 3, 0}}},
    };
    for (const Group& g : groups) {
        grp.add({kCompany, g.code, text(g.name), g.aprov});
        for (const Element& e : g.elements)
            fam.add({kCompany, g.code, e.f1, e.f2, e.f3, e.brand});
    }

    // User 1, the one the host runs as, belongs to security group 1, tied to one provisioning
    // group: the groups screen opens on it. User 2's group may use two, so he is asked which.
    BulkInsert sgd(c_, QStringLiteral("SGD_Aprovisionamiento_Grupos"),
        {kEmp, {"Cod_Grupo", ParamType::Integer}, {"Cod_Aprov", ParamType::SmallInt}});
    sgd.add({kCompany, 1, 1});
    sgd.add({kCompany, 2, 2});
    sgd.add({kCompany, 2, 3});
    BulkInsert users(c_, QStringLiteral("SGD_Usuarios_Grupos"),
        {{"CodGrupo", ParamType::Integer}, {"CodUsuario", ParamType::Integer}});
    users.add({1, 1});
    users.add({2, 2});
}

void DemoGenerator::perishables()
{
    BulkInsert tipos(c_, QStringLiteral("Pedidos_Central_Tipos"),
        {{"Codigo", ParamType::SmallInt}, {"Nombre", ParamType::VarChar, 50},
            {"Cod_Almacen", ParamType::SmallInt}});
    tipos.add({1, "Fruta y verdura", kCentral});
    tipos.add({2, "Carnicería", kCentral});
    tipos.add({3, "Panadería", kCentral});
    tipos.add({4, "Pescadería", kCentral});

    BulkInsert pedidos(c_, QStringLiteral("Pedidos_Central"),
        {kEmp, kAlm, {"Cod_Tipo", ParamType::SmallInt}, kArt, {"Cantidad", ParamType::Decimal},
            {"Cerrado", ParamType::SmallInt}});
    // A closed fruit order and an open butcher's order of the first store, an open fruit order
    // of the second.
    struct Order {
        int storeIndex;
        int type;
        int family2;
        int lines;
        bool closed;
    };
    const Order orders[] = {{0, 1, 1, 8, true}, {0, 2, 3, 4, false}, {1, 1, 2, 5, false}};
    for (const Order& order : orders) {
        if (order.storeIndex >= o_.stores)
            continue;
        int written = 0;
        for (const Article& a : articles_) {
            if (written == order.lines)
                break;
            if (a.family1 != 5 || a.family2 != order.family2)
                continue;
            pedidos.add({kCompany, store(order.storeIndex), order.type, a.code,
                units(rnd_.between(1, 4) * a.unitsPerBox), order.closed ? 1 : 0});
            ++written;
        }
    }
}

std::vector<const DemoGenerator::Article*> DemoGenerator::articlesOf(
    int supplier, int family1) const
{
    std::vector<const Article*> out;
    for (const Article& a : articles_) {
        if (a.supplier == supplier && (family1 == 0 || a.family1 == family1))
            out.push_back(&a);
    }
    if (out.empty()) {  // a very small demo: any article will do
        for (const Article& a : articles_)
            out.push_back(&a);
    }
    return out;
}

void DemoGenerator::supplierDocuments()
{
    BulkInsert ped(c_, QStringLiteral("Pedidos_Proveedores"),
        {kEmp, kCod, {"Fecha", ParamType::Date}, kAlm, {"Cod_Proveedor", ParamType::Integer},
            {"Importe", ParamType::Decimal}, {"LineasRecibidas", ParamType::Integer},
            {"Pendiente", ParamType::SmallInt}});
    BulkInsert pedLin(c_, QStringLiteral("Pedidos_Proveedores_Lineas"),
        {kEmp, kCod, {"Linea", ParamType::SmallInt}, kArt, {"Descripcion", ParamType::VarChar, 100},
            kUnidades, {"UnidadesRcv", ParamType::Decimal}, {"UnidadesLiq", ParamType::Decimal},
            {"Precio", ParamType::Decimal}});
    BulkInsert mc(c_, QStringLiteral("Compras_Mini"),
        {kEmp, {"Cod_Ejercicio", ParamType::SmallInt}, kAlm, kCod, {"Fecha", ParamType::Date},
            {"Documento", ParamType::VarChar, 20}, {"Cod_Proveedor", ParamType::Integer},
            {"CheckvsPed", ParamType::SmallInt}, {"EnviadoCheckvsPed", ParamType::SmallInt},
            {"Cod_PedidoProv", ParamType::Integer}});
    BulkInsert mcLin(c_, QStringLiteral("Compras_Mini_Lineas"),
        {kEmp, {"Cod_Ejercicio", ParamType::SmallInt}, kAlm, kCod, {"Linea", ParamType::SmallInt},
            kArt, kUnidades, {"Precio", ParamType::Decimal}, {"CostoFra", ParamType::Decimal}});
    BulkInsert convenio(c_, QStringLiteral("Compras_Mini_Lineas_Convenio"),
        {kEmp, {"Cod_Ejercicio", ParamType::SmallInt}, kAlm, kCod, {"Linea", ParamType::SmallInt},
            {"Cod_Convenio", ParamType::Integer}, {"Importe", ParamType::Decimal}});

    // The matching store and the central warehouse (where the host starts) both have orders
    // pending and goods received, so the matching screen shows data wherever it opens.
    for (const int alm : {kMatchingStore, kCentral}) {
        const int first = alm == kMatchingStore ? 0 : 7;  // order codes are the company's
        const int year = today_.year();
        const auto pool = articlesOf(kMatchingSupplier);

        struct Line {
            const Article* article;
            int64_t units;
            int64_t received;
            int64_t settled;
        };
        // Orders 1 to 3 are pending (3 half received); 4 to 6 closed with units settled short,
        // for the shortages list; 7 is pending with another supplier.
        struct Order {
            int code;
            int daysAgo;
            bool pending;
            int supplier;
            std::vector<Line> lines;
        };
        std::vector<Order> orders;
        size_t next = 0;
        const auto take = [&] { return pool[next++ % pool.size()]; };
        for (int code = 1; code <= 7; ++code) {
            Order o {first + code, code <= 3 ? code * 2 : 10 + code * 7, code <= 3 || code == 7,
                code == 7 ? kMatchingSupplier + 1 : kMatchingSupplier, {}};
            const int count = static_cast<int>(rnd_.between(5, 9));
            for (int l = 0; l < count; ++l) {
                const Article* a = take();
                const int64_t u = rnd_.between(1, 5) * a->unitsPerBox;
                Line line {a, u, 0, 0};
                if (code == 3 && l < 2)
                    line.received = u / 2;
                if (!o.pending) {
                    line.settled = rnd_.percent(40) ? rnd_.between(1, u) : 0;
                    line.received = u - line.settled;
                }
                o.lines.push_back(line);
            }
            orders.push_back(std::move(o));
        }
        for (const Order& o : orders) {
            int64_t amount = 0;
            int receivedLines = 0;
            short n = 0;
            for (const Line& l : o.lines) {
                amount += l.units * l.article->costCents;
                receivedLines += l.received > 0 ? 1 : 0;
                pedLin.add({kCompany, o.code, ++n, l.article->code, QString(), units(l.units),
                    units(l.received), units(l.settled), cents(l.article->costCents)});
            }
            pedLin.add({kCompany, o.code, ++n, 0, "PORTES PAGADOS", units(0), units(0), units(0),
                db::Money()});
            ped.add({kCompany, o.code, today_.addDays(-o.daysAgo), alm, o.supplier, cents(amount),
                receivedLines, o.pending ? 1 : 0});
        }

        // Mini-purchase 1 brings exactly order 1; 2 brings order 2 with one line short and one
        // article more; 3 was matched long ago with order 4.
        const auto writeMini = [&](int code, int daysAgo, const QString& document, bool matched,
                                   int matchedOrder, const std::vector<Line>& lines) {
            mc.add({kCompany, year, alm, code, today_.addDays(-daysAgo), document,
                kMatchingSupplier, matched ? 1 : 0, matched ? 1 : 0, matchedOrder});
            short n = 0;
            for (const Line& l : lines) {
                const db::Money price = cents(l.article->costCents);
                mcLin.add({kCompany, year, alm, code, ++n, l.article->code, units(l.units), price,
                    matched ? db::Money() : price});
            }
        };
        writeMini(1, 1, QStringLiteral("ALB-%1").arg(rnd_.between(10000, 99999)), false, 0,
            orders[0].lines);
        std::vector<Line> partial = orders[1].lines;
        partial.front().units = std::max<int64_t>(0, partial.front().units - 1);
        partial.push_back({take(), 2, 0, 0});
        writeMini(
            2, 2, QStringLiteral("ALB-%1").arg(rnd_.between(10000, 99999)), false, 0, partial);
        writeMini(
            3, 40, QStringLiteral("FAC-%1").arg(rnd_.between(1000, 9999)), true, first + 4,
            orders[3].lines);
        convenio.add({kCompany, year, alm, 1, 1, 1, cents(150)});
        convenio.add({kCompany, year, alm, 1, 2, 1, cents(75)});
    }
}

void DemoGenerator::viewerColumns()
{
    BulkInsert col(c_, QStringLiteral("Reposicion_Columnas"),
        {kEmp, {"Cod_Campo", ParamType::Integer}, {"Id_Campo", ParamType::VarChar, 50},
            {"Descripcion", ParamType::VarChar, 50}, {"ArtCen_DF", ParamType::SmallInt},
            {"ArtProv_DF", ParamType::SmallInt}});
    const auto columns = DemoCatalogue::viewerColumns();
    for (size_t i = 0; i < columns.size(); ++i) {
        const DemoColumn& c = columns[i];
        col.add({kCompany, static_cast<int>(i) + 1, text(c.id), text(c.description),
            c.central ? 1 : 0, c.supplier ? 1 : 0});
    }
}

}  // namespace demo
