// Company databases made before the schema had a version are upgraded in place when opened.
#include "host/demo/Schema.h"
#include "host/demo/VersionEsquema.h"

#include "platform/db/Connection.h"
#include "platform/db/Error.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using db::Money;
using demo::VersionEsquema;

namespace {

// The schema as the first releases wrote it: no range checks on quantities and no table of
// pending accounting entries.
QString esquemaAntiguo()
{
    QString s = demo::schemaScript(db::Dialect::Sqlite);
    s.remove(QRegularExpression(QStringLiteral("\\n\\s*CHECK \\([^\\n]*\\)")));
    s.remove(QRegularExpression(QStringLiteral("CREATE TABLE IF NOT EXISTS Traspasos_Contabilidad_Pendiente[^;]*;")));
    return s;
}

class Actualizacion : public ::testing::Test {
protected:
    void SetUp() override
    {
        ruta_ = dir_.filePath(QStringLiteral("Calbra.db"));
        c_ = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + ruta_);
        // Written straight to the engine, as the old program's unrounded sums left them.
        c_->executeScript(esquemaAntiguo() + QStringLiteral(
            "INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo, Unidades, UnidadesVenta,"
            " UnidadesResto) VALUES (1, 2, 10, 0, 0.1 + 0.2 - 0.3, 12.5, 0.1 + 0.2),"
            " (1, 2, 11, 0, 99999999999.9999, -7, 3);"
            "INSERT INTO Almacen_Articulos (Cod_Empresa, Cod_Almacen, Cod_Articulo, Stock_Actual, Ubicacion,"
            " PU_Compra) VALUES (1, 1, 10, 7.25, 'Pasillo ñ', 1.123456);"
            "INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 10, 'Ñora');"));
    }
    db::Value valor(const QString& sql) { return c_->scalar(sql); }

    QTemporaryDir dir_;
    QString ruta_;
    db::ConnectionPtr c_;
};

TEST_F(Actualizacion, anOldDatabaseKeepsItsValuesAndGainsTheNewSchema)
{
    ASSERT_EQ(VersionEsquema::leer(*c_), 0);
    EXPECT_TRUE(VersionEsquema::actualizar(*c_));
    EXPECT_EQ(VersionEsquema::leer(*c_), VersionEsquema::kActual);

    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM Reposicion WHERE Unidades = 0")).toInt(), 1);
    EXPECT_EQ(valor(QStringLiteral("SELECT UnidadesVenta FROM Reposicion WHERE Cod_Articulo = 10")).toMoney(),
              Money::fromScaled(125000));
    EXPECT_EQ(valor(QStringLiteral("SELECT UnidadesResto FROM Reposicion WHERE Cod_Articulo = 10")).toDouble(), 0.3);
    EXPECT_EQ(valor(QStringLiteral("SELECT Unidades FROM Reposicion WHERE Cod_Articulo = 11")).toMoney(),
              Money::fromScaled(999'999'999'999'999));
    EXPECT_EQ(valor(QStringLiteral("SELECT UnidadesVenta FROM Reposicion WHERE Cod_Articulo = 11")).toInt(), -7);
    EXPECT_EQ(valor(QStringLiteral("SELECT Stock_Actual FROM Almacen_Articulos")).toMoney(), Money::fromScaled(72500));
    // Not a quantity: left as it was.
    EXPECT_EQ(valor(QStringLiteral("SELECT PU_Compra FROM Almacen_Articulos")).toDouble(), 1.123456);
    EXPECT_EQ(valor(QStringLiteral("SELECT Ubicacion FROM Almacen_Articulos")).toText(), QStringLiteral("Pasillo ñ"));
    EXPECT_EQ(valor(QStringLiteral("SELECT Descripcion FROM Articulos WHERE Descripcion = 'ñora'")).toText(),
              QStringLiteral("Ñora"));

    // The same tables, indexes and definitions as a database made new.
    const QString esquema = QStringLiteral("SELECT group_concat(type || name || IFNULL(sql, ''), '|') FROM"
                                           " (SELECT * FROM sqlite_master ORDER BY type, name)");
    auto nueva = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=")
                                            + dir_.filePath(QStringLiteral("nueva.db")));
    demo::createSchema(*nueva);
    EXPECT_EQ(valor(esquema).toText(), nueva->scalar(esquema).toText());
    EXPECT_THROW(c_->execute(QStringLiteral("UPDATE Reposicion SET Unidades = 1e12")), db::Error);

    // Opening again changes nothing.
    const QString filas = valor(QStringLiteral("SELECT group_concat(Unidades || '/' || UnidadesVenta) FROM Reposicion")).toText();
    EXPECT_FALSE(VersionEsquema::actualizar(*c_));
    EXPECT_EQ(valor(QStringLiteral("SELECT group_concat(Unidades || '/' || UnidadesVenta) FROM Reposicion")).toText(), filas);
}

TEST_F(Actualizacion, aQuantityBeyondTheRangeStopsTheUpgradeWithTheFileUntouched)
{
    c_->executeScript(QStringLiteral("UPDATE Reposicion SET Unidades = 922337203685477.5807 WHERE Cod_Articulo = 11"));
    const QString antes = valor(QStringLiteral("SELECT group_concat(sql) FROM sqlite_master")).toText();
    try {
        VersionEsquema::actualizar(*c_);
        ADD_FAILURE() << "upgraded";
    } catch (const db::Error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("CHECK constraint failed"))) << e.what();
    }
    EXPECT_EQ(c_->transactionDepth(), 0);
    EXPECT_EQ(VersionEsquema::leer(*c_), 0);
    EXPECT_EQ(valor(QStringLiteral("SELECT group_concat(sql) FROM sqlite_master")).toText(), antes);
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM Reposicion")).toInt(), 2);
}

}  // namespace
