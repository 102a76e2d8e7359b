// nrvx-reposic reconciliar: books the accounting entries a stop left pending, once.
#include "platform/db/Connection.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

int ejecutar(const QStringList& args, QString* salida = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(NRVX_REPOSIC_TOOL), QStringList{QStringLiteral("reconciliar")} + args);
    if (!p.waitForFinished(60000))
        return -1;
    if (salida)
        *salida = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitCode();
}

TEST(Reconciliar, booksPendingEntriesOnceAndRefusesMissingFiles)
{
    testsupport::TestDatabase empresa;
    const QString contable = QFileInfo(empresa.path()).absoluteDir().filePath(QStringLiteral("Contabilidad.db"));
    QString salida;
    EXPECT_EQ(ejecutar({QStringLiteral("-d"), empresa.path()}, &salida), 2) << salida.toStdString();
    EXPECT_TRUE(salida.contains(QStringLiteral("Contabilidad.db"))) << salida.toStdString();
    EXPECT_EQ(ejecutar({}), 2);

    db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + contable)->close();
    empresa.connection()->execute(QStringLiteral(
        "INSERT INTO Traspasos_Contabilidad_Pendiente (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo,"
        " Cod_EmpresaContable, Fecha, Alm_Destino, Importe) VALUES (1, 2026, 1, 5, 1, '2026-12-05', 12, 10.25),"
        " (1, 2026, 1, 6, 1, '2026-12-05', 13, 3)"));
    ASSERT_EQ(ejecutar({QStringLiteral("-d"), empresa.path()}, &salida), 0) << salida.toStdString();
    EXPECT_TRUE(salida.startsWith(QStringLiteral("2 asientos"))) << salida.toStdString();
    ASSERT_EQ(ejecutar({QStringLiteral("-d"), empresa.path(), QStringLiteral("--contable"), contable}, &salida), 0);
    EXPECT_TRUE(salida.startsWith(QStringLiteral("0 asientos"))) << salida.toStdString();

    auto c = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + contable);
    EXPECT_EQ(c->scalar(QStringLiteral("SELECT COUNT(*) FROM Contabilidad_Traspasos")).toInt(), 2);
    EXPECT_EQ(c->scalar(QStringLiteral("SELECT Importe FROM Contabilidad_Traspasos WHERE Codigo = 5")).toDouble(), 10.25);
    EXPECT_EQ(empresa.connection()->scalar(QStringLiteral("SELECT COUNT(*) FROM Traspasos_Contabilidad_Pendiente")).toInt(), 0);
}

}  // namespace
