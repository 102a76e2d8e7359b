// The nightly command sharing scarce stock among the stores of the run.
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <QHash>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

int ejecutar(const QStringList& args, QString* salida = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(NRVX_REPOSIC_TOOL), args);
    if (!p.waitForFinished(180000))
        return -1;
    if (salida)
        *salida = QString::fromUtf8(p.readAllStandardOutput());
    return p.exitCode();
}

QHash<int, double> porArticulo(const db::ConnectionPtr& c, const QString& sql)
{
    QHash<int, double> m;
    for (db::Recordset rs(c, sql); !rs.eof(); rs.moveNext())
        m[rs.field(0).toInt()] = rs.field(1).toMoney().toDouble();
    return m;
}

}  // namespace

TEST(RepartoNocturno, proportionalRunNeverReservesBeyondTheFreeStockAndSaysWhatItShared)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("demo.db"));
    QProcess init;
    init.start(QStringLiteral(NRVX_SQL_TOOL), {QStringLiteral("-d"), base, QStringLiteral("--init"),
                                             QStringLiteral("--demo"), QStringLiteral("--articles"),
                                             QStringLiteral("300"), QStringLiteral("--stores"),
                                             QStringLiteral("4")});
    ASSERT_TRUE(init.waitForFinished(60000));
    ASSERT_EQ(init.exitCode(), 0) << init.readAllStandardError().toStdString();
    const QStringList comun = {QStringLiteral("generar"), QStringLiteral("-d"), base, QStringLiteral("--origen"),
                               QStringLiteral("1"), QStringLiteral("--destino"), QStringLiteral("todos")};
    EXPECT_EQ(ejecutar(comun + QStringList{QStringLiteral("--reparto"), QStringLiteral("azar")}), 2);

    auto c = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + base);
    const QString reservas = QStringLiteral("SELECT Cod_Articulo, Unidades FROM Reposicion_StockReservado"
                                            " WHERE Cod_Almacen = 1");
    const QHash<int, double> antes = porArticulo(c, reservas);
    const QHash<int, double> stock = porArticulo(
        c, QStringLiteral("SELECT Cod_Articulo, Stock_Actual FROM Almacen_Articulos WHERE Cod_Almacen = 1"));

    QString salida;
    ASSERT_EQ(ejecutar(comun + QStringList{QStringLiteral("--reparto"), QStringLiteral("proporcional")}, &salida), 0);
    const QStringList lineas = salida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_FALSE(lineas.isEmpty());
    // Each store's line says how many articles it shared; the start line records the option.
    int tiendas = 0;
    for (const QString& l : lineas) {
        if (l.contains(QStringLiteral(" Almacén ")) && l.contains(QStringLiteral(" prefacturas,"))) {
            ++tiendas;
            EXPECT_TRUE(l.contains(QStringLiteral(" artículos repartidos"))) << l.toStdString();
        }
    }
    EXPECT_GT(tiendas, 0) << salida.toStdString();
    EXPECT_TRUE(lineas.first().contains(QStringLiteral("reparto=proporcional"))) << lineas.first().toStdString();

    const QHash<int, double> despues = porArticulo(c, reservas);
    for (auto it = despues.cbegin(); it != despues.cend(); ++it) {
        const double libre = std::max(stock.value(it.key()) - antes.value(it.key()), 0.0);
        EXPECT_LE(it.value() - antes.value(it.key()), libre + 1e-9) << it.key();
    }
}
