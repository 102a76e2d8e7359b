// Runs every statement the screens issue, word for word, on a fresh embedded database with the
// schema: a statement that the translator leaves in a form SQLite refuses, or that names a table
// or column the schema lacks, fails here and not in front of a user.

#include "platform/db/Connection.h"
#include "platform/db/Error.h"
#include "platform/db/Recordset.h"
#include "platform/db/UnicodeLiterals.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

namespace {

const char* const kFamilies[] = {"prefactura", "grupos",   "perecederos", "restos",
                                 "casacion",   "visorcfg", "seguridad",   "datos"};

struct CorpusStatement {
    int index = 0;  // 1-based, as a reader counts the blocks of the file
    QString sql;
    bool expectError = false;
};

QString corpusDir()
{
    return QStringLiteral(NRVX_SOURCE_DIR "/tests/data/statements");
}

// Blocks are separated by a line holding only GO. Leading comment lines describe the statement
// and are not sent; "-- expect-error" among them marks a statement that must be refused.
std::vector<CorpusStatement> readCorpus(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ADD_FAILURE() << "cannot open " << path.toStdString();
        return {};
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    std::vector<CorpusStatement> statements;
    CorpusStatement current;
    QStringList body;
    auto finish = [&] {
        const QString sql = body.join(u'\n').trimmed();
        if (!sql.isEmpty()) {
            current.index = int(statements.size()) + 1;
            current.sql = sql;
            statements.push_back(current);
        }
        current = CorpusStatement();
        body.clear();
    };
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed == QLatin1String("GO")) {
            finish();
        } else if (body.isEmpty() && trimmed.startsWith(QLatin1String("--"))) {
            if (trimmed == QLatin1String("-- expect-error"))
                current.expectError = true;
        } else {
            body << line;
        }
    }
    finish();
    return statements;
}

bool isQuery(const QString& sql)
{
    static const QRegularExpression select(QStringLiteral("^\\s*SELECT\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    return select.match(sql).hasMatch();
}

void runStatement(const db::ConnectionPtr& conn, const QString& sql)
{
    if (isQuery(sql)) {
        db::Recordset rs(conn, sql);
        while (!rs.eof()) {
            for (int column = 0; column < rs.fieldCount(); ++column)
                (void)rs.field(column);
            rs.moveNext();
        }
    } else {
        conn->execute(sql);
    }
}

// unicode: each statement as it goes to SQL Server, its text literals marked N'...'.
void runFamily(const char* family, bool unicode = false)
{
    const QString file = QStringLiteral("%1.sql").arg(QLatin1String(family));
    const auto statements = readCorpus(corpusDir() + u'/' + file);
    ASSERT_FALSE(statements.empty()) << file.toStdString() << " holds no statement";

    testsupport::TestDatabase database;
    const db::ConnectionPtr conn = database.connection();
    for (const CorpusStatement& s : statements) {
        const std::string where = file.toStdString() + " statement " + std::to_string(s.index);
        try {
            runStatement(conn, unicode ? db::unicodeLiterals(s.sql) : s.sql);
            if (s.expectError)
                ADD_FAILURE() << where << " was expected to fail and ran\n" << s.sql.toStdString();
        } catch (const db::Error& e) {
            if (!s.expectError) {
                ADD_FAILURE() << where << ": " << e.what() << "\n  T-SQL:  "
                              << s.sql.toStdString() << "\n  SQLite: "
                              << conn->translate(s.sql).toStdString();
            }
        }
    }
}

TEST(StatementCorpus, prefactura) { runFamily("prefactura"); }
TEST(StatementCorpus, grupos) { runFamily("grupos"); }
TEST(StatementCorpus, perecederos) { runFamily("perecederos"); }
TEST(StatementCorpus, restos) { runFamily("restos"); }
TEST(StatementCorpus, casacion) { runFamily("casacion"); }
TEST(StatementCorpus, visorcfg) { runFamily("visorcfg"); }
TEST(StatementCorpus, seguridad) { runFamily("seguridad"); }
TEST(StatementCorpus, datos) { runFamily("datos"); }

// The same statements with Unicode literals, as the SQL Server path sends them, still run: the
// marking never breaks a statement apart and the embedded engine reads N'...' as plain text.
TEST(StatementCorpus, everyFamilyWithUnicodeLiterals)
{
    for (const char* family : kFamilies)
        runFamily(family, true);
}

QList<int> column(const db::ConnectionPtr& conn, const QString& sql)
{
    QList<int> values;
    db::Recordset rs(conn, sql);
    for (; !rs.eof(); rs.moveNext())
        values << rs.field(0).toInt();
    return values;
}

// The rowid rewrite of a joined DELETE must remove the rights of missing controls only, matching
// on both keys: control 2 of form 8 is still on its form and keeps its right.
TEST(TranslatedMeaning, joinedDeleteRemovesOnlyTheJoinedRows)
{
    testsupport::TestDatabase database;
    const db::ConnectionPtr conn = database.connection();
    conn->execute(QStringLiteral(
        "INSERT INTO SGD_Controles (Cod_Formulario, Cod_Control, Nombre, Indice,TabIndex) VALUES "
        "(7,1,'cmdA','',3), (7,2,'cmdB','',-1), (8,2,'cmdC','',5)"));
    conn->execute(QStringLiteral(
        "INSERT INTO SGD_Controles_Grupos (Cod_Formulario, Cod_Control, Cod_Grupo, Permiso) "
        "VALUES (7,1,0,1), (7,2,0,2), (7,2,5,1), (8,2,0,1)"));

    EXPECT_EQ(conn->execute(QStringLiteral(
                  "DELETE cg FROM SGD_Controles_Grupos cg INNER JOIN SGD_Controles c ON "
                  "cg.Cod_Formulario=c.Cod_Formulario AND cg.Cod_Control=c.Cod_Control "
                  "WHERE c.TabIndex=-1")),
              2);
    EXPECT_EQ(column(conn, QStringLiteral("SELECT Cod_Formulario * 10 + Cod_Control FROM "
                                          "SGD_Controles_Grupos ORDER BY 1")),
              (QList<int>{71, 82}));
}

// TOP 3 inside IN (...) must limit the sub-select after its own ORDER BY: the shortages screen
// lists the three latest closed orders, not three arbitrary ones and not three lines.
TEST(TranslatedMeaning, topInsideInLimitsTheSubSelectAfterItsOrder)
{
    testsupport::TestDatabase database;
    const db::ConnectionPtr conn = database.connection();
    conn->execute(QStringLiteral(
        "INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 1001, 'Leche'), "
        "(1, 1002, 'Pan')"));
    conn->execute(QStringLiteral(
        "INSERT INTO Pedidos_Proveedores (Cod_Empresa, Codigo, Fecha, Cod_Almacen, "
        "Cod_Proveedor, Pendiente) VALUES (1, 7001, '2026-11-01', 12, 40, 0), "
        "(1, 7002, '2026-11-20', 12, 40, 0), (1, 7003, '2026-11-20', 12, 40, 0), "
        "(1, 7004, '2026-11-10', 12, 40, 0), (1, 7005, '2026-12-01', 12, 40, 1), "
        "(1, 7006, '2026-12-02', 12, 41, 0)"));
    for (int order = 7001; order <= 7006; ++order) {
        conn->execute(QStringLiteral(
                          "INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, "
                          "Cod_Articulo, Unidades, UnidadesLiq) VALUES (1, %1, 1, 1001, 10, 2), "
                          "(1, %1, 2, 1002, 5, 1)")
                          .arg(order));
    }

    const QList<int> codes = column(conn, QStringLiteral(
        "SELECT a.Codigo, a.Fecha, b.Cod_Articulo, b.Unidades, b.UnidadesLiq, c.Descripcion FROM "
        "Pedidos_Proveedores a INNER JOIN Pedidos_Proveedores_Lineas b ON a.Cod_Empresa = "
        "b.Cod_Empresa AND a.Codigo = b.Codigo INNER JOIN Articulos c ON c.Cod_Empresa =1 AND "
        "b.Cod_Articulo = c.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =12 AND "
        "a.Cod_Proveedor =40 AND a.Codigo IN (SELECT TOP 3 Codigo FROM Pedidos_Proveedores WHERE "
        "Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Proveedor =40 AND Pendiente = 0 ORDER BY "
        "Fecha DESC, Codigo DESC) AND b.UnidadesLiq > 0 ORDER BY a.Fecha, a.Codigo, "
        "c.Descripcion"));
    EXPECT_EQ(codes, (QList<int>{7004, 7004, 7002, 7002, 7003, 7003}));
}

// A corpus file that no test above runs would silently stop guarding its screens.
TEST(StatementCorpus, everyFileBelongsToARunFamily)
{
    QSet<QString> known;
    for (const char* family : kFamilies)
        known.insert(QStringLiteral("%1.sql").arg(QLatin1String(family)));
    const QStringList files = QDir(corpusDir()).entryList({QStringLiteral("*.sql")}, QDir::Files);
    for (const QString& f : files)
        EXPECT_TRUE(known.contains(f)) << f.toStdString() << " is not run by any test";
    EXPECT_EQ(files.size(), known.size());
}

}  // namespace
