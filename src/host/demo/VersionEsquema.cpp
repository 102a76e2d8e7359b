#include "host/demo/VersionEsquema.h"

#include "host/demo/Schema.h"
#include "platform/db/Quantity.h"
#include "platform/db/Transaction.h"

#include <QMap>
#include <QStringList>

namespace demo {

namespace {

QString nombre(const QString& n) { return QLatin1Char('"') + n + QLatin1Char('"'); }

// name -> CREATE statement of every table of the database.
QMap<QString, QString> tablas(db::Connection& c)
{
    QMap<QString, QString> out;
    auto cursor = c.driver().query(QStringLiteral(
        "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'"));
    while (cursor->next())
        out.insert(cursor->value(0).toText(), cursor->value(1).toText());
    return out;
}

QStringList columnas(db::Connection& c, const QString& tabla)
{
    QStringList out;
    auto cursor = c.driver().query(QStringLiteral("PRAGMA table_info(%1)").arg(nombre(tabla)));
    while (cursor->next())
        out << cursor->value(1).toText();
    return out;
}

}  // namespace

int VersionEsquema::leer(db::Connection& c)
{
    auto cursor = c.driver().query(QStringLiteral("PRAGMA user_version"));
    return cursor->next() ? cursor->value(0).toInt() : 0;
}

bool VersionEsquema::actualizar(db::Connection& c)
{
    const QString script = schemaScript(db::Dialect::Sqlite);
    if (leer(c) >= kActual) {
        // Same version: the script only adds what someone dropped.
        if (leer(c) == kActual)
            c.executeScript(script);
        return false;
    }
    db::Transaction t(c);
    const bool existente = !tablas(c).isEmpty();
    if (existente)
        reconstruirTablas(c, script);
    c.executeScript(script);
    c.executeScript(QStringLiteral("PRAGMA user_version = %1").arg(kActual));
    t.commit();
    return existente;
}

// Each table whose definition differs from the script's is made again from the script and its
// rows copied into it, quantities rounded on the way (SQLite cannot add a CHECK to a table).
// A table that holds columns the script does not know is kept as it is, its quantities rounded.
void VersionEsquema::reconstruirTablas(db::Connection& c, const QString& script)
{
    db::Connection modelo;
    modelo.open(QStringLiteral("Provider=SQLite;Data Source=:memory:"));
    modelo.executeScript(script);
    const QMap<QString, QString> nuevas = tablas(modelo);
    const QMap<QString, QString> actuales = tablas(c);
    for (auto it = nuevas.cbegin(); it != nuevas.cend(); ++it) {
        const QString& tabla = it.key();
        if (!actuales.contains(tabla))
            continue;  // the script creates it
        const QStringList antes = columnas(c, tabla);
        const QStringList despues = columnas(modelo, tabla);
        QStringList copia, origen, redondeo;
        bool conocidas = true;
        for (const QString& col : antes) {
            if (!despues.contains(col, Qt::CaseInsensitive))
                conocidas = false;
            const bool cantidad = db::Quantity::isColumn(col);
            copia << nombre(col);
            origen << (cantidad ? QStringLiteral("ROUND(%1, 4)").arg(nombre(col)) : nombre(col));
            if (cantidad)
                redondeo << QStringLiteral("%1 = ROUND(%1, 4)").arg(nombre(col));
        }
        if (actuales.value(tabla) == it.value() || !conocidas) {
            if (!redondeo.isEmpty())
                c.executeScript(QStringLiteral("UPDATE %1 SET %2").arg(nombre(tabla), redondeo.join(u',')));
            continue;
        }
        const QString vieja = tabla + QStringLiteral("_v0");
        // The old table's indexes go with it; the script makes them again on the new one.
        c.executeScript(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(nombre(tabla), nombre(vieja)));
        c.executeScript(it.value());
        c.executeScript(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4")
                            .arg(nombre(tabla), copia.join(u','), origen.join(u','), nombre(vieja)));
        c.executeScript(QStringLiteral("DROP TABLE %1").arg(nombre(vieja)));
    }
}

}  // namespace demo
