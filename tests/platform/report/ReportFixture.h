#pragma once

#include "platform/db/ServerList.h"
#include "platform/report/Report.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace reporttest {

// A company database with shortages in two warehouses, and a report folder "rpt" holding the
// test report and the real company subreport, as an installation lays them out.
class ReportFixture : public ::testing::Test {
protected:
    static constexpr const char* kServer = "SRV_INFORMES";

    void SetUp() override
    {
        auto& c = *db.connection();
        c.execute(QStringLiteral("INSERT INTO Empresas (Codigo, Nombre, CIF, Direccion, Poblacion,"
                                 " Telefono) VALUES (1, 'Supermercados Norte S.L.', 'B12345678',"
                                 " 'C/ Mayor 1', 'Burgos', '947000000')"));
        c.execute(QStringLiteral("INSERT INTO Empresas (Codigo, Nombre) VALUES (2, 'Otra Empresa')"));
        c.execute(QStringLiteral("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion)"
                                 " VALUES (1, 100, 'Leche entera 1L')"));
        c.execute(QStringLiteral("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion)"
                                 " VALUES (1, 200, 'Aceite de oliva 5L')"));
        addShortage(1, 100, QStringLiteral("1000.5"));
        addShortage(1, 200, QStringLiteral("234"));
        addShortage(2, 100, QStringLiteral("7.25"));
        addShortage(2, 300, QStringLiteral("3"));

        rptDir = QDir(root.path()).filePath(QStringLiteral("rpt"));
        QDir().mkpath(rptDir);
        copy(QStringLiteral(NRVX_SOURCE_DIR "/tests/data/rpt/Prueba.rpt"));
        copy(QStringLiteral(NRVX_SOURCE_DIR "/rpt/Empresa.rpt"));
        db::ServerList::set(QLatin1String(kServer), db::ServerEntry{{}, 1433, db.folder()});
    }
    void TearDown() override { db::ServerList::remove(QLatin1String(kServer)); }

    void addShortage(int almacen, int articulo, const QString& unidades)
    {
        db.connection()->execute(
            QStringLiteral("INSERT INTO Reposicion_Faltas (Cod_Empresa, Cod_Almacen, Cod_Articulo,"
                           " Unidades) VALUES (1, %1, %2, %3)")
                .arg(almacen)
                .arg(articulo)
                .arg(unidades));
    }

    void copy(const QString& from)
    {
        const QString to = QDir(rptDir).filePath(QFileInfo(from).fileName());
        ASSERT_TRUE(QFile::copy(from, to)) << from.toStdString();
    }

    void write(const QString& name, const QByteArray& content)
    {
        QFile f(QDir(rptDir).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    report::LogOnInfo logOn() const
    {
        return report::LogOnInfo{QLatin1String(kServer), QStringLiteral("empresa"),
                                 QStringLiteral("sa"), QStringLiteral("clave")};
    }

    // The test report prepared as the screens prepare theirs.
    std::unique_ptr<report::Report> prepared(const QString& titulo = QStringLiteral("Faltas"),
                                             const QString& fichero = QStringLiteral("Prueba.rpt"))
    {
        auto r = report::Report::open(QDir(rptDir).filePath(fichero));
        r->logOnAll(logOn());
        r->setParameter(1, titulo);
        r->setParameter(2, 1);
        r->subreport(QStringLiteral("Empresa.rpt")).logOnAll(logOn());
        r->subreport(QStringLiteral("Empresa.rpt")).setParameter(1, 1);
        return r;
    }

    static QString pdfText(const QString& pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!p.waitForFinished(30000))
            return {};
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    testsupport::TestDatabase db;
    QTemporaryDir root;
    QString rptDir;
};

}  // namespace reporttest
