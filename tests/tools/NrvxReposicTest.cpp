// The nightly generation command, run as a separate process on a generated company.
#include "platform/db/Connection.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Resultado {
    int codigo = -1;
    QString salida;
    QString errores;
};

Resultado ejecutar(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(NRVX_REPOSIC_TOOL), args);
    Resultado r;
    if (!p.waitForFinished(180000))
        return r;
    r.codigo = p.exitCode();
    r.salida = QString::fromUtf8(p.readAllStandardOutput());
    r.errores = QString::fromUtf8(p.readAllStandardError());
    return r;
}

class NrvxReposic : public ::testing::Test {
protected:
    void SetUp() override
    {
        QProcess init;
        init.start(QStringLiteral(NRVX_SQL_TOOL), {QStringLiteral("-d"), base(), QStringLiteral("--init"),
                                                 QStringLiteral("--demo"), QStringLiteral("--articles"),
                                                 QStringLiteral("400"), QStringLiteral("--stores"),
                                                 QStringLiteral("3")});
        ASSERT_TRUE(init.waitForFinished(60000));
        ASSERT_EQ(init.exitCode(), 0) << init.readAllStandardError().toStdString();
    }
    QString base() const { return dir.filePath(QStringLiteral("demo.db")); }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(NrvxReposic, generatesForSeveralStoresAndSavesEachPreInvoiceAsPdf)
{
    const QString pdf = dir.filePath(QStringLiteral("pdf"));
    const Resultado r = ejecutar({QStringLiteral("generar"), QStringLiteral("-d"), base(),
                                  QStringLiteral("--origen"), QStringLiteral("1"), QStringLiteral("--destino"),
                                  QStringLiteral("2,3"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
    const QStringList lineas = r.salida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 2) << r.salida.toStdString();
    EXPECT_TRUE(lineas[0].startsWith(QStringLiteral("Almacén 2: "))) << lineas[0].toStdString();
    EXPECT_TRUE(lineas[1].contains(QStringLiteral("unidades en falta")));

    auto conn = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + base());
    const int prefacturas = conn->scalar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_Pref")).toInt();
    EXPECT_GT(prefacturas, 0);
    const QStringList ficheros = QDir(pdf).entryList({QStringLiteral("Prefactura *.pdf")});
    EXPECT_EQ(ficheros.size(), prefacturas);
    EXPECT_FALSE(QDir(pdf).entryList({QStringLiteral("Faltas *.pdf")}).isEmpty());
}

TEST_F(NrvxReposic, refusesBadArgumentsAndFailsWhenAPassFails)
{
    EXPECT_EQ(ejecutar({QStringLiteral("generar"), QStringLiteral("-d"), base()}).codigo, 2);
    EXPECT_EQ(ejecutar({QStringLiteral("generar"), QStringLiteral("-d"), base(), QStringLiteral("--origen"),
                        QStringLiteral("1"), QStringLiteral("--destino"), QStringLiteral("2"),
                        QStringLiteral("--cantidad"), QStringLiteral("30")}).codigo, 2);
    {
        auto conn = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + base());
        conn->execute(QStringLiteral("CREATE TRIGGER fallo BEFORE INSERT ON Reposicion_Pref_Lineas"
                                     " BEGIN SELECT RAISE(ABORT, 'disco lleno'); END"));
    }
    const Resultado r = ejecutar({QStringLiteral("generar"), QStringLiteral("-d"), base(),
                                  QStringLiteral("--origen"), QStringLiteral("1"), QStringLiteral("--destino"),
                                  QStringLiteral("todos")});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_TRUE(r.errores.contains(QStringLiteral("disco lleno"))) << r.errores.toStdString();
    auto conn = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + base());
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_Pref_Lineas")).toInt(), 0);
}
