#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs the console on a database file of its own folder, feeding `input` on its standard input.
class NrvxSql : public ::testing::Test {
protected:
    NrvxSql()
        : dir_(
            qEnvironmentVariable("NRVX_TEST_TMP", QDir::tempPath()) + QStringLiteral("/sql-XXXXXX"))
    {
        QDir().mkpath(qEnvironmentVariable("NRVX_TEST_TMP", QDir::tempPath()));
    }

    QString dbFile() const { return dir_.filePath(QStringLiteral("empresa.db")); }

    ToolRun run(QStringList args, const QByteArray& input = {}, bool withDb = true) const
    {
        if (withDb)
            args.prepend(dbFile()), args.prepend(QStringLiteral("-d"));
        QProcess p;
        p.start(QStringLiteral(NRVX_SQL_TOOL), args);
        EXPECT_TRUE(p.waitForStarted());
        p.write(input);
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(120000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
    }

    QString script(const QString& text) const
    {
        const QString path = dir_.filePath(QStringLiteral("script.sql"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text.toUtf8());
        return path;
    }

    QTemporaryDir dir_;
};

TEST_F(NrvxSql, demoCompanyAnswersTheFirstArticles)
{
    const ToolRun init = run({QStringLiteral("--init"), QStringLiteral("--demo")});
    ASSERT_EQ(init.status, 0) << init.err.toStdString();
    const ToolRun top = run({QStringLiteral("-Q"),
        QStringLiteral("SELECT TOP 3 Codigo FROM Articulos ORDER BY Codigo")});
    EXPECT_EQ(top.status, 0);
    EXPECT_EQ(top.out, QStringLiteral("Codigo\n10001\n10002\n10003\n(3 rows affected)\n"));
    EXPECT_TRUE(top.err.isEmpty());

    // A second demo into the same company is refused and reported.
    const ToolRun again
        = run({QStringLiteral("--demo"), QStringLiteral("--articles"), QStringLiteral("10")});
    EXPECT_EQ(again.status, 1);
    EXPECT_FALSE(again.err.isEmpty());
}

TEST_F(NrvxSql, queryPrintsRowsAndWritesPrintTheirCount)
{
    ASSERT_EQ(run({QStringLiteral("--init")}).status, 0);
    const ToolRun ins = run({QStringLiteral("-Q"),
        QStringLiteral("INSERT INTO Marcas (Codigo, Nombre) VALUES (1, 'Brisa; azul'),"
                       " (2, 'O''Donnell')")});
    EXPECT_EQ(ins.status, 0) << ins.err.toStdString();
    EXPECT_EQ(ins.out, QStringLiteral("(2 rows affected)\n"));

    const ToolRun sel = run({QStringLiteral("-Q"),
        QStringLiteral("SELECT Codigo, Nombre, NULL AS Nada FROM Marcas ORDER BY Codigo")});
    EXPECT_EQ(sel.out,
        QStringLiteral("Codigo\tNombre\tNada\n1\tBrisa; azul\tNULL\n"
                       "2\tO'Donnell\tNULL\n(2 rows affected)\n"));

    const ToolRun upd = run(
        {QStringLiteral("-Q"), QStringLiteral("UPDATE Marcas SET Nombre = 'x' WHERE Codigo > 5")});
    EXPECT_EQ(upd.out, QStringLiteral("(0 rows affected)\n"));
}

TEST_F(NrvxSql, failingStatementExitsWithTheDriversMessage)
{
    ASSERT_EQ(run({QStringLiteral("--init")}).status, 0);
    const ToolRun bad
        = run({QStringLiteral("-Q"), QStringLiteral("SELECT Nada FROM TablaQueNoExiste")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains(QLatin1String("TablaQueNoExiste"))) << bad.err.toStdString();
    EXPECT_FALSE(bad.out.contains(QLatin1String("rows affected")));

    const ToolRun dup = run({QStringLiteral("-Q"),
        QStringLiteral("INSERT INTO Marcas (Codigo, Nombre) VALUES (1, 'a'), (1, 'b')")});
    EXPECT_EQ(dup.status, 1);
    EXPECT_FALSE(dup.err.isEmpty());

    const ToolRun usage = run({QStringLiteral("-Q"), QStringLiteral("SELECT 1")}, {}, false);
    EXPECT_NE(usage.status, 0);
    EXPECT_FALSE(usage.err.isEmpty());
}

TEST_F(NrvxSql, scriptRunsBatchesInOrderAndStopsAtTheFirstFailure)
{
    const QString ok = script(
        QStringLiteral("CREATE TABLE T (A INTEGER PRIMARY KEY, B TEXT)\nGO\n"
                       "INSERT INTO T VALUES (1, 'go;');\nINSERT INTO T VALUES (2, '--x');\n  go\n"
                       "SELECT COUNT(*) AS N FROM T\nGO\n"));
    ASSERT_EQ(run({QStringLiteral("--init")}).status, 0);
    const ToolRun first = run({QStringLiteral("-i"), ok});
    EXPECT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_EQ(first.out,
        QStringLiteral("(1 rows affected)\n(1 rows affected)\nN\n2\n(1 rows affected)\n"));

    const QString failing = script(QStringLiteral("INSERT INTO T VALUES (3, 'c')\nGO\n"
                                                  "INSERT INTO T VALUES (1, 'dup')\nGO\n"
                                                  "INSERT INTO T VALUES (4, 'never')\nGO\n"));
    const ToolRun second = run({QStringLiteral("-i"), failing});
    EXPECT_EQ(second.status, 1);
    EXPECT_FALSE(second.err.isEmpty());
    const ToolRun rows = run({QStringLiteral("-Q"), QStringLiteral("SELECT A FROM T ORDER BY A")});
    EXPECT_EQ(rows.out, QStringLiteral("A\n1\n2\n3\n(3 rows affected)\n"));

    EXPECT_EQ(run({QStringLiteral("-i"), dir_.filePath(QStringLiteral("missing.sql"))}).status, 2);
}

TEST_F(NrvxSql, interactiveRunsEachBatchAtGoUntilExit)
{
    ASSERT_EQ(run({QStringLiteral("--init")}).status, 0);
    const ToolRun r = run({},
        "CREATE TABLE T (A INTEGER)\nGO\nINSERT INTO T\nVALUES (7)\ngo\n"
        "SELECT A FROM T\nGO\nSELECT * FROM Nada\nGO\nexit\nSELECT 99\nGO\n");
    EXPECT_EQ(r.status, 1);  // one statement failed
    EXPECT_TRUE(r.out.startsWith(QLatin1String("1> 2> 1> 2> 3> (1 rows affected)\n1> ")))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("A\n7\n(1 rows affected)\n")));
    EXPECT_FALSE(r.out.contains(QLatin1String("99")));
    EXPECT_TRUE(r.err.contains(QLatin1String("Nada")));
}

}  // namespace
