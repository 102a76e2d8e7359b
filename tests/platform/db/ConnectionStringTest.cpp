// Connection strings that carry passwords: quoting on both sides, references, and what a
// failing log-on may say.
#include "platform/db/Connection.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/PasswordReference.h"
#include "platform/db/ServerList.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace db;

namespace {

const QString kClaveDificil = QStringLiteral("a;b=c'd\"e}f{");

QStringList claves(const ConnectionString& cs)
{
    QStringList k;
    for (const auto& a : cs.attributes())
        k << a.first;
    return k;
}

quint16 puertoCerrado()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

}  // namespace

TEST(ConnectionString, aHardPasswordSurvivesBothSyntaxesRoundTrip)
{
    for (const QString& clave : {kClaveDificil, QStringLiteral(" x;Trusted_Connection=yes "),
                                 QStringLiteral("''\"\"}}{{"), QStringLiteral("plain")}) {
        const QString oledb = QStringLiteral("Provider=SQLOLEDB;Server=CENTRAL;Database=Calbra;"
                                             "User Id=sa;Password=")
            + ConnectionString::quoteOleDb(clave) + QStringLiteral(";");
        const ConnectionString a(oledb);
        EXPECT_EQ(a.value(QStringLiteral("password")), clave) << oledb.toStdString();
        EXPECT_EQ(claves(a), (QStringList{"Provider", "Server", "Database", "User Id", "Password"}))
            << oledb.toStdString();

        const QString odbc = ConnectionString::buildOdbc(
            {{QStringLiteral("Driver"), QStringLiteral("FreeTDS")},
             {QStringLiteral("UID"), QStringLiteral("sa")},
             {QStringLiteral("PWD"), clave}});
        const ConnectionString b(odbc, ConnectionString::Syntax::Odbc);
        EXPECT_EQ(b.value(QStringLiteral("PWD")), clave) << odbc.toStdString();
        EXPECT_EQ(claves(b), (QStringList{"Driver", "UID", "PWD"})) << odbc.toStdString();
    }
}

TEST(ConnectionString, readsQuotedValuesByTheOleDbRules)
{
    const ConnectionString cs(QStringLiteral(
        " Provider = SQLOLEDB ; Server='it''s';Database=\"say \"\"hi\"\"\" ;User Id= ' sp ' ;"
        "Password=;Extra=x=y;sin igual;Data Source=c:\\a b"));
    EXPECT_EQ(cs.value(QStringLiteral("PROVIDER")), QStringLiteral("SQLOLEDB"));
    EXPECT_EQ(cs.value(QStringLiteral("Server")), QStringLiteral("it's"));
    EXPECT_EQ(cs.value(QStringLiteral("Database")), QStringLiteral("say \"hi\""));
    EXPECT_EQ(cs.value(QStringLiteral("User Id")), QStringLiteral(" sp "));
    EXPECT_TRUE(cs.has(QStringLiteral("Password")));
    EXPECT_EQ(cs.value(QStringLiteral("Password")), QString());
    EXPECT_EQ(cs.value(QStringLiteral("Extra")), QStringLiteral("x=y"));
    EXPECT_EQ(cs.value(QStringLiteral("Data Source")), QStringLiteral("c:\\a b"));
    EXPECT_FALSE(cs.has(QStringLiteral("sin igual")));
    // Braces mean nothing to OLE DB; ODBC reads them, and keeps the first of a repeated key.
    EXPECT_EQ(ConnectionString(QStringLiteral("Password={x}")).value(QStringLiteral("Password")),
              QStringLiteral("{x}"));
    const ConnectionString odbc(QStringLiteral("PWD={a;b}};c};PWD=otra"),
                                ConnectionString::Syntax::Odbc);
    EXPECT_EQ(odbc.value(QStringLiteral("pwd")), QStringLiteral("a;b};c"));
}

TEST(ConnectionString, aBrokenQuoteIsRefusedWithoutShowingTheValue)
{
    for (const QString& texto : {QStringLiteral("Provider=SQLOLEDB;Password='s3cr3t;Server=x"),
                                 QStringLiteral("Provider=SQLOLEDB;Password=\"s3cr3t\"tail;")}) {
        try {
            ConnectionString cs(texto);
            FAIL() << texto.toStdString();
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("Password"))) << e.what();
            EXPECT_FALSE(e.message().contains(QStringLiteral("s3cr3t"))) << e.what();
        }
    }
    EXPECT_THROW(ConnectionString(QStringLiteral("PWD={abc"), ConnectionString::Syntax::Odbc),
                 Error);
}

TEST(ConnectionString, redactedTextNeverHoldsThePassword)
{
    const QString oledb = QStringLiteral("Provider=SQLOLEDB;Server=S;Password=")
        + ConnectionString::quoteOleDb(kClaveDificil);
    const QString r = ConnectionString::redacted(oledb);
    EXPECT_EQ(r, QStringLiteral("Provider=SQLOLEDB;Server=S;Password=****;"));
    EXPECT_EQ(ConnectionString::redacted(QStringLiteral("Driver=SQLite3;PWD={a;b};Database=x")),
              QStringLiteral("Driver=SQLite3;PWD=****;Database=x;"));
    EXPECT_FALSE(ConnectionString::redacted(QStringLiteral("Provider=X;Password='abc")).contains(
        QStringLiteral("abc")));
}

TEST(PasswordReference, environmentAndFileReferencesResolve)
{
    qputenv("NRVX_TEST_CLAVE", kClaveDificil.toUtf8());
    EXPECT_EQ(PasswordReference::resolve(QStringLiteral("@env:NRVX_TEST_CLAVE")), kClaveDificil);
    EXPECT_EQ(PasswordReference::resolve(QStringLiteral("literal")), QStringLiteral("literal"));
    qunsetenv("NRVX_TEST_NO_EXISTE");
    try {
        PasswordReference::resolve(QStringLiteral("@env:NRVX_TEST_NO_EXISTE"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("NRVX_TEST_NO_EXISTE")));
    }

    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("clave")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kClaveDificil.toUtf8() + "\r\nsegunda línea\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(PasswordReference::resolve(QStringLiteral("@file:") + f.fileName()), kClaveDificil);
    EXPECT_THROW(PasswordReference::resolve(QStringLiteral("@file:") + dir.filePath("no")), Error);

    // In a pass-through ODBC string only the reference changes, into braces.
    const QString odbc = PasswordReference::resolveOdbc(
        QStringLiteral("Driver=SQLite3;Database=/tmp/x.db;PWD=@env:NRVX_TEST_CLAVE"));
    const ConnectionString cs(odbc, ConnectionString::Syntax::Odbc);
    EXPECT_EQ(cs.value(QStringLiteral("PWD")), kClaveDificil);
    EXPECT_EQ(cs.value(QStringLiteral("Database")), QStringLiteral("/tmp/x.db"));
    EXPECT_EQ(PasswordReference::resolveOdbc(QStringLiteral("Driver=SQLite3;PWD=x")),
              QStringLiteral("Driver=SQLite3;PWD=x"));
    qunsetenv("NRVX_TEST_CLAVE");
}

TEST(ConnectionString, embeddedServersOpenOnlyPlainDatabaseNames)
{
    QTemporaryDir dir;
    ServerList::set(QStringLiteral("EMBEBIDO"), ServerEntry{{}, 1433, dir.path()});
    for (const char* nombre : {"../Calbra", "sub/Calbra", "..", "a\\\\b", ""}) {
        try {
            Connection::openShared(QStringLiteral("Provider=SQLOLEDB;Server=EMBEBIDO;Database=")
                                   + ConnectionString::quoteOleDb(QString::fromLatin1(nombre))
                                   + QStringLiteral(";User Id=sa;Password=x;"));
            FAIL() << nombre;
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("no es válido"))) << e.what();
        }
    }
    ServerList::remove(QStringLiteral("EMBEBIDO"));
}

// The log-on reaches FreeTDS with every value intact and fails; what it says never holds the
// password, given in clear or through a reference.
TEST(ConnectionString, aFailingLogOnNeverShowsThePassword)
{
    QTcpServer mudo;  // accepts the TCP connection and never answers the log-on
    ASSERT_TRUE(mudo.listen(QHostAddress::LocalHost));
    ServerList::set(QStringLiteral("MUDO"), ServerEntry{QStringLiteral("127.0.0.1"),
                                                        mudo.serverPort(), {}});
    ServerList::set(QStringLiteral("CERRADO"), ServerEntry{QStringLiteral("127.0.0.1"),
                                                           puertoCerrado(), {}});
    qputenv("NRVX_TEST_CLAVE", "Sup3rS3creta");
    const QString claveLiteral = QStringLiteral("S3cr3ta;Trusted_Connection=yes");
    for (const QString& servidor : {QStringLiteral("CERRADO"), QStringLiteral("MUDO")}) {
        for (const QString& clave : {ConnectionString::quoteOleDb(claveLiteral),
                                     QStringLiteral("@env:NRVX_TEST_CLAVE")}) {
            Connection c;
            c.setConnectionTimeout(2);
            try {
                c.open(QStringLiteral("Provider=SQLOLEDB;Server=%1;Database=Calbra;User Id=sa;"
                                      "Password=%2;").arg(servidor, clave));
                FAIL() << "logged on to " << servidor.toStdString();
            } catch (const Error& e) {
                EXPECT_EQ(e.category(), Error::Category::Connection) << e.what();
                EXPECT_FALSE(e.message().contains(QStringLiteral("S3cr3ta"))) << e.what();
                EXPECT_FALSE(e.message().contains(QStringLiteral("Sup3rS3creta"))) << e.what();
                EXPECT_FALSE(e.message().contains(QStringLiteral("Data source name")))
                    << e.what();
            }
        }
    }
    // FreeTDS read the braced Server and Port: it knocked on the silent server's door.
    EXPECT_TRUE(mudo.hasPendingConnections() || mudo.waitForNewConnection(100));
    qunsetenv("NRVX_TEST_CLAVE");
    ServerList::remove(QStringLiteral("MUDO"));
    ServerList::remove(QStringLiteral("CERRADO"));
}

// Files the embedded engine creates are its owner's alone, even under umask 000.
TEST(ConnectionString, aNewEmbeddedDatabaseIsPrivateAtAnyUmask)
{
    QTemporaryDir dir;
    const mode_t antes = ::umask(0);
    const QString ruta = dir.filePath(QStringLiteral("nueva.db"));
    {
        auto c = Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + ruta);
        c->execute(QStringLiteral("CREATE TABLE T (A INTEGER)"));
        EXPECT_EQ(QFile::permissions(ruta + QStringLiteral("-wal")),
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }
    ::umask(antes);
    EXPECT_EQ(QFile::permissions(ruta),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}
