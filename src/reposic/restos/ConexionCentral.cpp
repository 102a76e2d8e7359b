#include "reposic/restos/ConexionCentral.h"

#include "reposic/frame/modComun.h"

QString ConexionCentral::cadena(const QString& servidor)
{
    return QStringLiteral("Provider=SQLOLEDB;Server=") + servidor
        + QStringLiteral(";Database=Calbra;User Id=") + reposic::modComun::usuario()
        + QStringLiteral(";Password=") + reposic::modComun::password() + QStringLiteral(";");
}

db::ConnectionPtr ConexionCentral::crear()
{
    auto c = db::Connection::create();
    c->setCommandTimeout(kEspera);
    c->setConnectionTimeout(kEspera);
    return c;
}
