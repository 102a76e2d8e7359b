#include "reposic/restos/ConexionCentral.h"

#include "platform/db/ConnectionString.h"
#include "reposic/frame/modComun.h"

QString ConexionCentral::cadena(const QString& servidor)
{
    // Each value quoted where it must be: a ';' or a quote in a password stays in the password.
    using db::ConnectionString;
    return QStringLiteral("Provider=SQLOLEDB;Server=") + ConnectionString::quoteOleDb(servidor)
        + QStringLiteral(";Database=Calbra;User Id=")
        + ConnectionString::quoteOleDb(reposic::modComun::usuario()) + QStringLiteral(";Password=")
        + ConnectionString::quoteOleDb(reposic::modComun::password()) + QStringLiteral(";");
}

db::ConnectionPtr ConexionCentral::crear()
{
    auto c = db::Connection::create();
    c->setCommandTimeout(kEspera);
    c->setConnectionTimeout(kEspera);
    return c;
}
