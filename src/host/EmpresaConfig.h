#pragma once

#include "host/EmpresaMemoria.h"

#include <QString>

namespace host {

// The company as the host program configures it: an ini file read once at construction.
//
//   [Empresa]
//   CodigoEmpresa=1
//   NombreEmpresa="Supermercados Ejemplo, S.L."   ; quote values that hold a comma
//   CodigoEmpresaArticulos=1        ; defaults to CodigoEmpresa
//   CodigoEmpresaProveedores=1      ; defaults to CodigoEmpresa
//   AlmacenDefecto=1
//   DecimalesPvp=2
//   RutaAplicacion=/opt/nrvx
//   NombreNivel0=Familia            ; NombreNivel1, NombreNivel2 likewise; absent = level unused
//   [Parametros]
//   ODBCNombre=CENTRAL
//   UsuarioActual=7
//
// Throws std::runtime_error when the file is missing or unreadable, or a code is not a whole
// number in range: running on a half-read company would write under the wrong codes.
class EmpresaConfig : public EmpresaMemoria {
public:
    explicit EmpresaConfig(const QString& rutaIni);

    QString rutaIni() const { return rutaIni_; }

private:
    QString rutaIni_;
};

}  // namespace host
