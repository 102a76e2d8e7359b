#pragma once

#include "host/EmpresaMemoria.h"

#include <QString>

namespace host {

// The company as the host program configures it: an ini file (UTF-8) read once at construction.
// A value runs to the end of its line, semicolons included (connection strings hold them), and
// may be wrapped in double quotes; lines starting with ';' or '#' are comments. Section and key
// names ignore case.
//
//   [Empresa]
//   CodigoEmpresa=1
//   NombreEmpresa=Supermercados Ejemplo, S.L.
//   CodigoEmpresaArticulos=1        (defaults to CodigoEmpresa)
//   CodigoEmpresaProveedores=1      (defaults to CodigoEmpresa)
//   AlmacenDefecto=1
//   DecimalesPvp=2
//   RutaAplicacion=/opt/nrvx
//   NombreNivel0=Familia            (NombreNivel1, NombreNivel2 likewise; absent: level unused)
//   [Parametros]
//   ODBCNombre=CENTRAL
//   UsuarioActual=7
//   ConnectionString=Provider=SQLite;Data Source=/srv/nrvx/central.db
//
// UsuarioActual names the user the program works for; nothing here checks that it is who sits at
// the keyboard. Opening a file that others can write prints a warning on stderr.
//
// Throws std::runtime_error when the file is missing or unreadable, a line is not "key=value" or
// a code is not a whole number in range: a half-read company would write under the wrong codes.
class EmpresaConfig : public EmpresaMemoria {
public:
    explicit EmpresaConfig(const QString& rutaIni);

    QString rutaIni() const { return rutaIni_; }

    // Sets one parameter of the [Parametros] section in the file, keeping every other line as it
    // is, and leaves the file readable by its owner only. Throws std::runtime_error.
    static void escribirParametro(const QString& rutaIni, const QString& clave,
                                  const QString& valor);

private:
    QString rutaIni_;
};

}  // namespace host
