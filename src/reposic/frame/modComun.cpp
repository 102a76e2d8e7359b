#include "reposic/frame/modComun.h"

namespace reposic {

namespace {

struct Contexto {
    std::shared_ptr<host::Empresa> empresa;
    db::ConnectionPtr conexion;
    QString servidor;
    QString baseDatos;
    QString usuario;
    QString password;
    int16_t usuarioActual = 0;
    std::shared_ptr<host::Empresa> empresaLedrin;
    db::ConnectionPtr conexionLedrin;
};

Contexto& ctx()
{
    static Contexto c;
    return c;
}

}  // namespace

std::shared_ptr<host::Empresa> modComun::empresa() { return ctx().empresa; }
void modComun::setEmpresa(std::shared_ptr<host::Empresa> empresa)
{
    ctx().empresa = std::move(empresa);
}
db::ConnectionPtr modComun::conexion() { return ctx().conexion; }
void modComun::setConexion(db::ConnectionPtr conexion) { ctx().conexion = std::move(conexion); }

QString modComun::servidor() { return ctx().servidor; }
void modComun::setServidor(const QString& v) { ctx().servidor = v; }
QString modComun::baseDatos() { return ctx().baseDatos; }
void modComun::setBaseDatos(const QString& v) { ctx().baseDatos = v; }
QString modComun::usuario() { return ctx().usuario; }
void modComun::setUsuario(const QString& v) { ctx().usuario = v; }
QString modComun::password() { return ctx().password; }
void modComun::setPassword(const QString& v) { ctx().password = v; }
int16_t modComun::usuarioActual() { return ctx().usuarioActual; }
void modComun::setUsuarioActual(int16_t v) { ctx().usuarioActual = v; }

std::shared_ptr<host::Empresa> modComun::empresaLedrin() { return ctx().empresaLedrin; }
void modComun::setEmpresaLedrin(std::shared_ptr<host::Empresa> empresa)
{
    ctx().empresaLedrin = std::move(empresa);
}
db::ConnectionPtr modComun::conexionLedrin() { return ctx().conexionLedrin; }
void modComun::setConexionLedrin(db::ConnectionPtr conexion)
{
    ctx().conexionLedrin = std::move(conexion);
}

void modComun::limpiar()
{
    ctx() = Contexto();
}

}  // namespace reposic
