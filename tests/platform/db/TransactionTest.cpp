// How a transaction ends when the engine refuses its COMMIT or ROLLBACK, on the embedded driver and
// through unixODBC (the SQLite ODBC driver): nothing of it survives, and the connection goes on.
#include "platform/db/Connection.h"
#include "platform/db/Error.h"
#include "platform/db/Transaction.h"
#include "support/DriverFallos.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace db;
using Paso = testsupport::DriverFallos::Paso;

namespace {

struct Motor {
    const char* nombre;
    QString prefijo;  // the connection string up to the file name
};

void PrintTo(const Motor& m, std::ostream* os) { *os << m.nombre; }

class TransaccionFallida : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        conn = abrir();
        // A line may not outlive its header, checked only at COMMIT: the engine's own way of
        // refusing a commit after every statement succeeded.
        conn->execute(QStringLiteral("PRAGMA foreign_keys = ON"));
        conn->execute(QStringLiteral("CREATE TABLE Cab (Codigo INTEGER PRIMARY KEY)"));
        conn->execute(QStringLiteral("CREATE TABLE Lin (Codigo INTEGER REFERENCES Cab (Codigo)"
                                     " DEFERRABLE INITIALLY DEFERRED, N INTEGER)"));
        conn->execute(QStringLiteral("CREATE TABLE Notas (N INTEGER)"));
    }
    ConnectionPtr abrir() const
    {
        return Connection::openShared(GetParam().prefijo + dir.filePath(QStringLiteral("t.db")));
    }
    // Counted from a second connection: what is really in the file, not what this one sees.
    long long filas(const QString& tabla) const
    {
        return abrir()->scalar(QStringLiteral("SELECT COUNT(*) FROM ") + tabla).toInt64();
    }
    void anotar(int n) { conn->execute(QStringLiteral("INSERT INTO Notas VALUES (%1)").arg(n)); }

    QTemporaryDir dir;
    ConnectionPtr conn;
};

TEST_P(TransaccionFallida, aRefusedCommitRollsBackAndTheNextTransactionBeginsAfresh)
{
    std::optional<Transaction> t(std::in_place, conn);
    anotar(1);
    conn->execute(QStringLiteral("INSERT INTO Lin VALUES (7, 1)"));  // its header never comes
    try {
        t->commit();
        FAIL() << "a line without header was committed";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("FOREIGN KEY"), Qt::CaseInsensitive))
            << e.message().toStdString();
    }
    EXPECT_EQ(conn->transactionDepth(), 0);
    EXPECT_THROW(t->commit(), Error);

    // The next transaction begins its own, and the failed guard's end leaves it alone.
    Transaction siguiente(conn);
    EXPECT_TRUE(siguiente.owns());
    anotar(2);
    t.reset();
    EXPECT_EQ(conn->transactionDepth(), 1);
    anotar(3);
    siguiente.commit();
    EXPECT_EQ(filas(QStringLiteral("Lin")), 0);
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT SUM(N) FROM Notas")).toInt64(), 5);
    EXPECT_EQ(filas(QStringLiteral("Notas")), 2);
}

TEST_P(TransaccionFallida, aFailedStepLeavesNoTransactionBehind)
{
    auto& fallos = testsupport::DriverFallos::de(conn);
    // A COMMIT that never reached the engine; a statement whose ROLLBACK failed once, or for
    // good (the next BEGIN discards what was left); a BEGIN that failed. Each time the writes
    // are gone and the same connection works on.
    const struct {
        const char* caso;
        Paso paso;
        int veces;
        bool fallaSentencia;
    } casos[] = {{"commit", Paso::Commit, 1, false},
                 {"rollback", Paso::Rollback, 1, true},
                 {"rollback twice", Paso::Rollback, 2, true},
                 {"begin", Paso::Begin, 1, false}};
    int n = 0;
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        fallos.fallar(caso.paso, 1, caso.veces);
        if (caso.fallaSentencia)
            fallos.fallar(Paso::Sentencia, 2);
        try {
            Transaction t(conn);
            anotar(++n);
            anotar(++n);
            t.commit();
            ADD_FAILURE() << "the fault was not reported";
        } catch (const Error&) {
        }
        fallos.desarmar();
        EXPECT_EQ(conn->transactionDepth(), 0);
        EXPECT_EQ(filas(QStringLiteral("Notas")), 0);
        if (caso.veces == 1) {  // what this connection reads is what is committed
            EXPECT_EQ(conn->scalar(QStringLiteral("SELECT COUNT(*) FROM Notas")).toInt64(), 0);
        }
        // Nested guards join the transaction; the outer one commits everything once.
        {
            Transaction t(conn);
            Transaction dentro(conn);
            EXPECT_FALSE(dentro.owns());
            anotar(100);
            dentro.commit();
            t.commit();
        }
        EXPECT_EQ(filas(QStringLiteral("Notas")), 1);
        conn->execute(QStringLiteral("DELETE FROM Notas"));
    }
}

INSTANTIATE_TEST_SUITE_P(Motores, TransaccionFallida,
                         ::testing::Values(Motor{"sqlite", QStringLiteral("Provider=SQLite;Data Source=")},
                                           Motor{"odbc", QStringLiteral("Driver=SQLite3;Database=")}),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
