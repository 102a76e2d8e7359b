// The host started on a company database of an earlier release: the file is upgraded in place
// and a transfer that a stop left without its accounting entry gets it.
#include "host/demo/Schema.h"
#include "platform/db/Connection.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ArranqueHost, upgradesAnOldDatabaseAndBooksPendingEntries)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("demo"));
    const QString base = dir.filePath(QStringLiteral("demo/Calbra.db"));
    {
        QString antiguo = demo::schemaScript(db::Dialect::Sqlite);
        antiguo.remove(QRegularExpression(QStringLiteral("\\n\\s*CHECK \\([^\\n]*\\)")));
        auto c = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + base);
        c->executeScript(antiguo + QStringLiteral(
            "INSERT INTO Empresas (Codigo, Nombre) VALUES (1, 'Calbra');"
            "INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo, Unidades)"
            " VALUES (1, 2, 10, 0, 0.1 + 0.2 - 0.3), (1, 2, 11, 0, 2.75);"
            "INSERT INTO Traspasos_Contabilidad_Pendiente (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo,"
            " Cod_EmpresaContable, Fecha, Alm_Destino, Importe) VALUES (1, 2026, 1, 9, 1, '2026-12-05', 2, 4.5);"));
        c->close();
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("NRVX_HOST_DB"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir.path());
    p.start(QStringLiteral(NRVX_BINARY_DIR "/src/nrvx-host"),
            {QStringLiteral("--screenshot"), QStringLiteral("x.png")});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();

    auto c = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + base);
    EXPECT_EQ(c->scalar(QStringLiteral("PRAGMA user_version")).toInt(), 1);
    EXPECT_EQ(c->scalar(QStringLiteral("SELECT COUNT(*) FROM Reposicion WHERE Unidades = 0")).toInt(), 1);
    EXPECT_EQ(c->scalar(QStringLiteral("SELECT Unidades FROM Reposicion WHERE Cod_Articulo = 11")).toMoney(),
              db::Money::fromScaled(27500));
    EXPECT_EQ(c->scalar(QStringLiteral("SELECT COUNT(*) FROM Traspasos_Contabilidad_Pendiente")).toInt(), 0);
    auto contable = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=")
                                               + dir.filePath(QStringLiteral("demo/Contabilidad.db")));
    EXPECT_EQ(contable->scalar(QStringLiteral("SELECT Importe FROM Contabilidad_Traspasos WHERE Codigo = 9")).toMoney(),
              db::Money::fromScaled(45000));
}

}  // namespace
