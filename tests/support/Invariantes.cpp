#include "support/Invariantes.h"

#include "support/DriverFallos.h"

#include <atomic>
#include <cmath>

namespace testsupport {

namespace {

std::atomic<long long> totales{0};

std::unique_ptr<db::Cursor> consulta(const db::ConnectionPtr& c, const QString& sql)
{
    return DriverFallos::motor(*c).query(sql);
}

// NUMERIC columns come back as integers or reals; four decimals is the currency's precision.
int64_t escalado(const db::Value& v)
{
    if (v.isNull())
        return 0;
    return static_cast<int64_t>(std::llround(v.toDouble() * 10000.0));
}

// Difference reserved - lines per (warehouse, article), over every key either side holds.
std::map<std::pair<int, int>, int64_t> diferencias(const db::ConnectionPtr& c)
{
    std::map<std::pair<int, int>, int64_t> d;
    auto r = consulta(c, QStringLiteral("SELECT Cod_Almacen, Cod_Articulo, SUM(Unidades)"
                                        " FROM Reposicion_StockReservado GROUP BY 1, 2"));
    while (r->next())
        d[{r->value(0).toInt(), r->value(1).toInt()}] += escalado(r->value(2));
    auto l = consulta(c, QStringLiteral("SELECT Cod_Almacen, Cod_Articulo, SUM(Unidades)"
                                        " FROM Reposicion_Pref_Lineas GROUP BY 1, 2"));
    while (l->next())
        d[{l->value(0).toInt(), l->value(1).toInt()}] -= escalado(l->value(2));
    return d;
}

}  // namespace

Invariantes Invariantes::tomarBase(const db::ConnectionPtr& conexion)
{
    Invariantes i;
    for (const auto& [clave, v] : diferencias(conexion)) {
        if (v != 0)
            i.base_[clave] = v;
    }
    return i;
}

long long Invariantes::comprobacionesTotales() { return totales.load(); }

QStringList Invariantes::comprobar(const db::ConnectionPtr& c)
{
    QStringList fallos;
    long long hechas = 0;
    auto contar = [&](const QString& sql, const QString& regla) {
        ++hechas;
        auto r = consulta(c, sql);
        if (r->next() && r->value(0).toInt64() != 0)
            fallos << regla + QStringLiteral(": ") + r->value(0).toText();
    };

    for (const auto& [clave, v] : diferencias(c)) {
        ++hechas;
        const auto it = base_.find(clave);
        const int64_t esperado = it == base_.end() ? 0 : it->second;
        if (v != esperado) {
            fallos << QStringLiteral("reserved stock of warehouse %1 article %2 is %3 off its lines")
                          .arg(clave.first).arg(clave.second).arg((v - esperado) / 10000.0);
        }
    }
    for (const auto& [clave, v] : base_) {
        (void)v;
        ++hechas;
        auto r = consulta(c, QStringLiteral("SELECT COUNT(*) FROM Reposicion_StockReservado WHERE"
                                            " Cod_Almacen = %1 AND Cod_Articulo = %2")
                                 .arg(clave.first).arg(clave.second));
        if (r->next() && r->value(0).toInt64() == 0)
            fallos << QStringLiteral("reservation of warehouse %1 article %2 vanished")
                          .arg(clave.first).arg(clave.second);
    }

    contar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_Pref_Lineas l WHERE NOT EXISTS (SELECT 1"
                          " FROM Reposicion_Pref p WHERE p.Cod_Empresa = l.Cod_Empresa AND"
                          " p.Cod_Almacen = l.Cod_Almacen AND p.Codigo = l.Codigo)"),
           QStringLiteral("pre-invoice lines without header"));
    contar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_Restos_Lineas l WHERE NOT EXISTS (SELECT 1"
                          " FROM Reposicion_Restos p WHERE p.Cod_Empresa = l.Cod_Empresa AND"
                          " p.Cod_Almacen = l.Cod_Almacen AND p.Codigo = l.Codigo)"),
           QStringLiteral("leftover lines without header"));
    contar(QStringLiteral("SELECT COUNT(*) FROM Traspasos_Lineas l WHERE NOT EXISTS (SELECT 1"
                          " FROM Traspasos p WHERE p.Cod_Empresa = l.Cod_Empresa AND"
                          " p.Cod_Ejercicio = l.Cod_Ejercicio AND p.Alm_Origen = l.Cod_Almacen"
                          " AND p.Codigo = l.Codigo)"),
           QStringLiteral("transfer lines without header"));
    contar(QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM Reposicion WHERE Codigo = 0 GROUP BY"
                          " Cod_Empresa, Cod_Almacen, Cod_Articulo, CualidadX, CualidadY"
                          " HAVING COUNT(*) > 1)"),
           QStringLiteral("pending rows duplicated"));
    contar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_StockReservado WHERE Unidades < 0"),
           QStringLiteral("reservations below zero"));
    // Pre-invoice codes are yy + warehouse + sequence; the counter row is per full year.
    contar(QStringLiteral("SELECT COUNT(*) FROM (SELECT Cod_Empresa, Cod_Almacen, 2000 + Codigo / 10000000"
                          " AS Anyo, MAX(Codigo) AS Alto FROM Reposicion_Pref GROUP BY 1, 2, 3) p"
                          " WHERE NOT EXISTS (SELECT 1 FROM Contador_Reposicion_Pref c WHERE"
                          " c.Cod_Empresa = p.Cod_Empresa AND c.Cod_Almacen = p.Cod_Almacen AND"
                          " c.Cod_Ejercicio = p.Anyo AND c.Codigo >= p.Alto)"),
           QStringLiteral("pre-invoice counter behind its codes"));
    contar(QStringLiteral("SELECT COUNT(*) FROM (SELECT Cod_Empresa, Cod_Almacen,"
                          " CAST(substr(Fecha, 1, 4) AS INTEGER) AS Anyo, MAX(Codigo) AS Alto"
                          " FROM Reposicion_Restos GROUP BY 1, 2, 3) p WHERE NOT EXISTS (SELECT 1"
                          " FROM Contador_Reposicion_Restos c WHERE c.Cod_Empresa = p.Cod_Empresa"
                          " AND c.Cod_Almacen = p.Cod_Almacen AND c.Cod_Ejercicio = p.Anyo"
                          " AND c.Codigo >= p.Alto)"),
           QStringLiteral("leftover counter behind its codes"));
    contar(QStringLiteral("SELECT COUNT(*) FROM (SELECT Cod_Empresa, Cod_Ejercicio, Alm_Origen,"
                          " MAX(Codigo) AS Alto FROM Traspasos GROUP BY 1, 2, 3) p WHERE NOT EXISTS"
                          " (SELECT 1 FROM Contador_Traspasos c WHERE c.Cod_Empresa = p.Cod_Empresa"
                          " AND c.Cod_Ejercicio = p.Cod_Ejercicio AND c.Cod_Almacen = p.Alm_Origen"
                          " AND c.Codigo >= p.Alto)"),
           QStringLiteral("transfer counter behind its codes"));

    comprobaciones_ += hechas;
    totales += hechas;
    return fallos;
}

QString volcadoFilas(const db::ConnectionPtr& c, bool conContadores)
{
    QStringList tablas;
    auto t = consulta(c, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name"
                                        " NOT LIKE 'sqlite%' ORDER BY name"));
    while (t->next())
        tablas << t->value(0).toText();
    QString salida;
    for (const QString& tabla : tablas) {
        if (!conContadores && tabla.startsWith(QStringLiteral("Contador_")))
            continue;
        // Every column in the ORDER BY keeps the text stable whatever the insertion order.
        QStringList columnas;
        auto info = consulta(c, QStringLiteral("PRAGMA table_info(\"%1\")").arg(tabla));
        while (info->next())
            columnas << QStringLiteral("\"%1\"").arg(info->value(1).toText());
        if (columnas.isEmpty())
            continue;
        salida += QStringLiteral("# ") + tabla + QLatin1Char('\n');
        auto filas = consulta(c, QStringLiteral("SELECT * FROM \"%1\" ORDER BY %2")
                                     .arg(tabla, columnas.join(QStringLiteral(", "))));
        while (filas->next()) {
            for (int i = 0; i < columnas.size(); ++i) {
                const db::Value v = filas->value(i);
                salida += v.isNull() ? QStringLiteral("<null>") : v.toText();
                salida += QLatin1Char('|');
            }
            salida += QLatin1Char('\n');
        }
    }
    return salida;
}

int64_t sumaEscalada(const db::ConnectionPtr& c, const QString& tabla, const QString& columna,
                     const QString& condicion)
{
    auto r = consulta(c, QStringLiteral("SELECT SUM(%1) FROM %2%3")
                             .arg(columna, tabla,
                                  condicion.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condicion));
    return r->next() ? escalado(r->value(0)) : 0;
}

}  // namespace testsupport
