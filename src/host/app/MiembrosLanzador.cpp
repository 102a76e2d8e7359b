#include "host/app/MiembrosLanzador.h"

#include "host/app/ConfiguracionHost.h"

#include "platform/db/ConnectionString.h"
#include "reposic/casacion/frmclsRepCasacionPedMC.h"
#include "reposic/prefactura/frmclsRepPrefactVisor.h"
#include "reposic/visorcfg/frmclsRepArtVisorCfg.h"

#include <QDir>
#include <QFileInfo>

namespace hostapp {

MiembrosLanzador::MiembrosLanzador(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion))
{
}

db::ConnectionPtr MiembrosLanzador::conexionContable()
{
    if (!contable_) {
        const db::ConnectionString cs(conexion_->connectionString());
        const QString bd = cs.value(QStringLiteral("Data Source"));
        const QString ruta = ConfiguracionHost::rutaContable(bd);
        contable_ = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + ruta);
    }
    return contable_;
}

void MiembrosLanzador::pasar(reposic::frmclsBase& lanzador)
{
    if (auto* visor = dynamic_cast<reposic::frmclsRepPrefactVisor*>(&lanzador)) {
        visor->EmpresaLedrin(empresa_);
        visor->ConexionLedrin(conexionContable());
    } else if (auto* casacion = dynamic_cast<reposic::frmclsRepCasacionPedMC*>(&lanzador)) {
        casacion->Cod_Almacen = empresa_->AlmacenDefecto();
    } else if (auto* visorCfg = dynamic_cast<reposic::frmclsRepArtVisorCfg*>(&lanzador)) {
        visorCfg->TipoReposicion = 1;
    }
}

}  // namespace hostapp
