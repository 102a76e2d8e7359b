#include "host/Utilidades.h"

#include "platform/db/ServerList.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using host::ServidorAccesible;

namespace {

class ServidorAccesibleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(servidor.listen(QHostAddress::LocalHost)); }
    void TearDown() override
    {
        for (const char* n : {"CENTRAL_T", "OTRO_T", "LOCAL_T", "NOHAY_T"})
            db::ServerList::remove(QString::fromLatin1(n));
    }

    // A port nothing listens on: taken from the system and given back at once.
    static int puertoCerrado()
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost);
        const int p = s.serverPort();
        s.close();
        return p;
    }

    QTcpServer servidor;
    int puerto() const { return servidor.serverPort(); }
};

}  // namespace

TEST_F(ServidorAccesibleTest, listeningPortAnswersClosedPortDoesNot)
{
    EXPECT_TRUE(ServidorAccesible(QStringLiteral("127.0.0.1"), puerto()));
    EXPECT_TRUE(ServidorAccesible(QStringLiteral("localhost"), puerto()));
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(ServidorAccesible(QStringLiteral("127.0.0.1"), puertoCerrado(), 2000));
    EXPECT_LT(t.elapsed(), 2000);  // a refusal is an answer, not a wait
}

TEST_F(ServidorAccesibleTest, unansweredConnectGivesUpAtTheTimeout)
{
    // A listener whose accept queue is full drops new handshakes unanswered, as a server
    // behind a silent firewall does: only the time-out can end the wait.
    QTcpServer lleno;
    lleno.setListenBacklogSize(0);
    ASSERT_TRUE(lleno.listen(QHostAddress::LocalHost));
    lleno.pauseAccepting();
    std::vector<std::unique_ptr<QTcpSocket>> cola;
    for (int i = 0; i < 16; ++i) {
        auto s = std::make_unique<QTcpSocket>();
        s->connectToHost(QHostAddress::LocalHost, lleno.serverPort());
        const bool conectado = s->waitForConnected(200);
        cola.push_back(std::move(s));
        if (!conectado)
            break;
    }
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(ServidorAccesible(QStringLiteral("127.0.0.1"), lleno.serverPort(), 300));
    EXPECT_GE(t.elapsed(), 250);
    EXPECT_LT(t.elapsed(), 2000);
}

TEST_F(ServidorAccesibleTest, serverListNamesResolveAsConnectionsDo)
{
    db::ServerEntry conPuerto;
    conPuerto.host = QStringLiteral("127.0.0.1");
    conPuerto.port = puerto();
    db::ServerList::set(QStringLiteral("CENTRAL_T"), conPuerto);
    // The listed port is where the server listens, whatever port the caller assumes.
    EXPECT_TRUE(ServidorAccesible(QStringLiteral("central_t"), 1433));

    db::ServerEntry puertoDefecto;
    puertoDefecto.host = QStringLiteral("127.0.0.1");
    db::ServerList::set(QStringLiteral("OTRO_T"), puertoDefecto);
    EXPECT_TRUE(ServidorAccesible(QStringLiteral("OTRO_T"), puerto()));
    EXPECT_FALSE(ServidorAccesible(QStringLiteral("OTRO_T"), puertoCerrado()));

    QTemporaryDir dir;
    db::ServerEntry carpeta;
    carpeta.folder = dir.path();
    db::ServerList::set(QStringLiteral("LOCAL_T"), carpeta);
    EXPECT_TRUE(ServidorAccesible(QStringLiteral("LOCAL_T"), 1433));
    carpeta.folder = dir.path() + QStringLiteral("/no-existe");
    db::ServerList::set(QStringLiteral("NOHAY_T"), carpeta);
    EXPECT_FALSE(ServidorAccesible(QStringLiteral("NOHAY_T"), 1433));
}

TEST_F(ServidorAccesibleTest, sqlServerSpellingsOfAHost)
{
    const QString p = QString::number(puerto());
    EXPECT_TRUE(ServidorAccesible(QStringLiteral("127.0.0.1,") + p, 1433));
    EXPECT_TRUE(ServidorAccesible(QStringLiteral("127.0.0.1\\SQLEXPRESS"), puerto()));
    EXPECT_TRUE(ServidorAccesible(QStringLiteral("(local)"), puerto()));
    EXPECT_FALSE(ServidorAccesible(QStringLiteral("127.0.0.1,abc"), puerto()));
}

TEST_F(ServidorAccesibleTest, nothingToAskGivesFalse)
{
    EXPECT_FALSE(ServidorAccesible(QString(), puerto()));
    EXPECT_FALSE(ServidorAccesible(QStringLiteral("  "), puerto()));
    EXPECT_FALSE(ServidorAccesible(QStringLiteral("127.0.0.1"), 0));
    EXPECT_FALSE(ServidorAccesible(QStringLiteral("127.0.0.1"), 70000));
}
