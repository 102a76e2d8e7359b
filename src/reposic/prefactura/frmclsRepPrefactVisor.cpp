#include "reposic/prefactura/frmclsRepPrefactVisor.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/frame/modComun.h"
#include "reposic/prefactura/frmRepPreFacturasVisor.h"

namespace reposic {

FormBase* frmclsRepPrefactVisor::crearFormulario() { return new frmRepPreFacturasVisor; }

void frmclsRepPrefactVisor::EmpresaLedrin(std::shared_ptr<host::Empresa> empresa)
{
    modComun::setEmpresaLedrin(std::move(empresa));
}

void frmclsRepPrefactVisor::ConexionLedrin(db::ConnectionPtr conexion)
{
    modComun::setConexionLedrin(std::move(conexion));
}

NRVX_REGISTRAR_LANZADOR(frmclsRepPrefactVisor)

}  // namespace reposic
