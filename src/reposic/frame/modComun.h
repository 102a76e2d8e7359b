#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace reposic {

// The host context every screen and class of the module reads: company, connection, the
// database login the report engine needs and the current user. One set per process; the last
// launcher that receives it overwrites it for every screen already open, as the host expects.
// Used from the user-interface thread only, so it is not guarded.
class modComun {
public:
    modComun() = delete;

    static std::shared_ptr<host::Empresa> empresa();
    static void setEmpresa(std::shared_ptr<host::Empresa> empresa);
    static db::ConnectionPtr conexion();
    static void setConexion(db::ConnectionPtr conexion);

    // Login data read from the company's parameters (ODBCNombre, ODBCBaseDatos, ODBCUsuario,
    // ODBCPassword) and the current user (UsuarioActual).
    static QString servidor();
    static void setServidor(const QString& v);
    static QString baseDatos();
    static void setBaseDatos(const QString& v);
    static QString usuario();
    static void setUsuario(const QString& v);
    static QString password();
    static void setPassword(const QString& v);
    static int16_t usuarioActual();
    static void setUsuarioActual(int16_t v);

    // The accounting side, handed only to the pre-invoice viewer for the transfer.
    static std::shared_ptr<host::Empresa> empresaLedrin();
    static void setEmpresaLedrin(std::shared_ptr<host::Empresa> empresa);
    static db::ConnectionPtr conexionLedrin();
    static void setConexionLedrin(db::ConnectionPtr conexion);

    // Forgets everything (tests start each case from an empty context).
    static void limpiar();
};

}  // namespace reposic
