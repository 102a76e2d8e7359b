#include "reposic/prefactura/BloqueoGeneracion.h"
#include "reposic/prefactura/LatidoBloqueo.h"
#include "support/DatosFixture.h"

#include <QThread>

#include <unistd.h>

namespace {

class Bloqueo : public testsupport::DatosFixture {
protected:
    ~Bloqueo() override { LatidoBloqueo::setIntervalo(std::chrono::seconds(30)); }
    void fila(const QString& equipo, qint64 pid, const QDateTime& latido)
    {
        conn()->execute(QStringLiteral("INSERT INTO Reposicion_Bloqueo VALUES (1, 1, 'ana', '%1', %2,"
                                       " '%3', '%3')")
                            .arg(equipo)
                            .arg(pid)
                            .arg(latido.toString(Qt::ISODate)));
    }
    QString latido() const
    {
        return scalar(QStringLiteral("SELECT FechaLatido FROM Reposicion_Bloqueo")).toText();
    }
};

}  // namespace

TEST_F(Bloqueo, oneHolderPerOriginAndCompanyUntilReleased)
{
    // A live process of this workstation that is not us: our parent.
    fila(BloqueoGeneracion::equipoLocal(), ::getppid(), QDateTime::currentDateTime().addSecs(-3600));
    BloqueoGeneracion b(conn(), 1, 1);
    const auto titular = b.tomar(QStringLiteral("luis"));
    ASSERT_TRUE(titular.has_value());
    EXPECT_EQ(titular->usuario, QStringLiteral("ana"));
    EXPECT_EQ(titular->pid, ::getppid());
    EXPECT_FALSE(b.tomado());

    // Another origin or company is free; the lock goes with the guard.
    {
        BloqueoGeneracion otro(conn(), 1, 2);
        EXPECT_FALSE(otro.tomar(QStringLiteral("luis")).has_value());
        BloqueoGeneracion otraEmpresa(conn(), 2, 1);
        EXPECT_FALSE(otraEmpresa.tomar(QStringLiteral("luis")).has_value());
        EXPECT_EQ(count("Reposicion_Bloqueo"), 3);
        const auto visto = BloqueoGeneracion::titular(conn(), 1, 2);
        ASSERT_TRUE(visto.has_value());
        EXPECT_EQ(visto->usuario, QStringLiteral("luis"));
    }
    EXPECT_EQ(count("Reposicion_Bloqueo"), 1);
}

TEST_F(Bloqueo, aDeadHolderIsTakenOverAndALiveOneOnAnotherHostIsNot)
{
    const QDateTime ahora = QDateTime::currentDateTime();
    TitularBloqueo lejano{QStringLiteral("ana"), QStringLiteral("otro-equipo"), 1, ahora, ahora};
    EXPECT_FALSE(BloqueoGeneracion::muerto(lejano, ahora.addSecs(299)));
    EXPECT_TRUE(BloqueoGeneracion::muerto(lejano, ahora.addSecs(301)));
    TitularBloqueo local{QStringLiteral("ana"), BloqueoGeneracion::equipoLocal(), ::getppid(),
                         ahora, ahora.addDays(-1)};
    EXPECT_FALSE(BloqueoGeneracion::muerto(local, ahora));  // an old heartbeat, but alive

    fila(QStringLiteral("otro-equipo"), 1, ahora.addSecs(-400));
    EXPECT_FALSE(BloqueoGeneracion::titular(conn(), 1, 1).has_value());
    BloqueoGeneracion b(conn(), 1, 1);
    EXPECT_FALSE(b.tomar(QStringLiteral("luis")).has_value());
    EXPECT_TRUE(b.tomado());
    EXPECT_EQ(scalar(QStringLiteral("SELECT Equipo FROM Reposicion_Bloqueo")).toText(),
              BloqueoGeneracion::equipoLocal());
}

TEST_F(Bloqueo, theHolderRenewsItsHeartbeatFromAnotherConnection)
{
    LatidoBloqueo::setIntervalo(std::chrono::milliseconds(100));
    BloqueoGeneracion b(conn(), 1, 1);
    ASSERT_FALSE(b.tomar(QStringLiteral("luis")).has_value());
    const QString primero = latido();
    // Timestamps have whole seconds.
    for (int i = 0; i < 40 && latido() == primero; ++i)
        QThread::msleep(100);
    EXPECT_NE(latido(), primero);
    b.liberar();
    EXPECT_EQ(count("Reposicion_Bloqueo"), 0);
}

TEST_F(Bloqueo, theMessageNamesTheHostTheStartAndTheUser)
{
    TitularBloqueo t;
    t.usuario = QStringLiteral("noche");
    t.equipo = QStringLiteral("SERVIDOR1");
    t.inicio = QDateTime(QDate(2026, 12, 5), QTime(2, 5, 31));
    EXPECT_EQ(t.mensaje(3),
              QStringLiteral("La generación del almacén 3 está en curso en SERVIDOR1 desde 02:05 (usuario noche)."));
}
