// Several workstations (processes) numbering pre-invoices of one warehouse on one database file.
#include "host/EmpresaMemoria.h"
#include "host/Reloj.h"
#include "platform/db/Transaction.h"
#include "reposic/data/clsAlmacen_Rep_PreF.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTextStream>

#include <gtest/gtest.h>

#include <set>

namespace {

// The child's half: runs only when started by the test below with its environment.
TEST(NumeracionHijo, numerar)
{
    const QString path = qEnvironmentVariable("NRVX_NUM_DB");
    if (path.isEmpty())
        GTEST_SKIP() << "run by NumeracionConcurrente";
    const int veces = qEnvironmentVariableIntValue("NRVX_NUM_VECES");
    host::Reloj::Fijado reloj(QDate(2026, 12, 5));
    auto empresa = std::make_shared<host::EmpresaMemoria>();
    auto conn = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + path);
    clsAlmacen_Rep_PreF p;
    p.cEmpresa(empresa);
    p.Conexion(conn);
    p.Almacen = 7;
    QFile out(qEnvironmentVariable("NRVX_NUM_OUT"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    QTextStream s(&out);
    for (int i = 0; i < veces; ++i) {
        // Half inside a transaction of the caller, half on their own, as the screens do both.
        if (i % 2) {
            db::Transaction t(conn);
            s << p.Dev_Codigo() << '\n';
            t.commit();
        } else {
            s << p.Dev_Codigo() << '\n';
        }
    }
}

}  // namespace

TEST(NumeracionConcurrente, twoWorkstationsGetDistinctConsecutiveCodes)
{
    testsupport::TestDatabase db;
    constexpr int kVeces = 500;
    std::vector<std::unique_ptr<QProcess>> hijos;
    for (int h = 0; h < 2; ++h) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("NRVX_NUM_DB"), db.path());
        env.insert(QStringLiteral("NRVX_NUM_VECES"), QString::number(kVeces));
        env.insert(QStringLiteral("NRVX_NUM_OUT"), db.folder() + QStringLiteral("/out%1.txt").arg(h));
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=NumeracionHijo.numerar")});
        hijos.push_back(std::move(p));
    }
    std::set<long long> codigos;
    for (int h = 0; h < 2; ++h) {
        ASSERT_TRUE(hijos[h]->waitForFinished(120000));
        ASSERT_EQ(hijos[h]->exitCode(), 0);
        QFile f(db.folder() + QStringLiteral("/out%1.txt").arg(h));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        for (const QByteArray& line : f.readAll().split('\n')) {
            if (!line.isEmpty())
                codigos.insert(line.toLongLong());
        }
    }
    ASSERT_EQ(codigos.size(), 2u * kVeces);
    EXPECT_EQ(*codigos.begin(), 260700001);
    EXPECT_EQ(*codigos.rbegin(), 260700000 + 2 * kVeces);
}
