#pragma once

#include "host/EmpresaConfig.h"
#include "platform/db/Connection.h"

#include <QString>

#include <memory>

namespace hostapp {

// Everything the host program runs on: the demo company database, the company configuration
// beside it, and the connection. On first start it creates both files, readable by their owner
// only (0600), and the folder for them when missing (0700).
//
//   database: --db FILE, else $NRVX_HOST_DB, else demo/Calbra.db under the working directory
//   company:  --ini FILE, else the database's name with ".ini" in the same folder
//
// The report engine logs on through the server name "NRVXDEMO", which is registered here as the
// folder of the database, so "Server=NRVXDEMO;Database=empresa" names the same file.
class ConfiguracionHost {
public:
    static constexpr const char* kServidor = "NRVXDEMO";

    // Throws std::runtime_error or db::Error when a file cannot be created or read.
    static ConfiguracionHost preparar(const QString& rutaBaseDatos = {},
                                      const QString& rutaIni = {});

    std::shared_ptr<host::EmpresaConfig> empresa() const { return empresa_; }
    db::ConnectionPtr conexion() const { return conexion_; }
    QString rutaBaseDatos() const { return rutaBaseDatos_; }
    QString rutaIni() const { return rutaIni_; }
    bool baseCreada() const { return baseCreada_; }

    // The database and company configuration that preparar() would use for these arguments.
    static QString rutaBaseDatosDe(const QString& rutaBaseDatos);
    static QString rutaIniDe(const QString& rutaBaseDatos, const QString& rutaIni);

    // The folder that holds the report files ("rpt"): $NRVX_APP_DIR, the source tree two levels
    // above the executable (a build folder), or the working directory, whichever has them.
    static QString buscarRutaAplicacion();
    // The demo's accounting database, next to the company's.
    static QString rutaContable(const QString& rutaBaseDatos);
    static bool tieneInformes(const QString& carpeta);

    // Creates the demo company in a new file. It is built under a temporary name and renamed
    // when complete, so an interrupted first start leaves no half-filled database behind.
    static void crearBaseDemo(const QString& ruta);
    // Books the accounting entries of transfers that a stop left pending; a failure is reported
    // on stderr and the entries stay pending.
    static void asentarPendientes(const db::ConnectionPtr& conexion, const QString& rutaContable);
    static void escribirIniDefecto(const QString& rutaIni, const QString& rutaBaseDatos,
                                   const QString& rutaAplicacion, const QString& nombreEmpresa);

private:
    std::shared_ptr<host::EmpresaConfig> empresa_;
    db::ConnectionPtr conexion_;
    QString rutaBaseDatos_;
    QString rutaIni_;
    bool baseCreada_ = false;
};

}  // namespace hostapp
