#include "host/app/RegistroLanzadores.h"

// Each screen's launcher header goes here, and its registrar() call below.
#include "reposic/casacion/frmclsRepCasacionPedMC.h"
#include "reposic/grupos/frmclsRepGrupos.h"
#include "reposic/grupos/frmclsRepGruposAprov.h"
#include "reposic/perecederos/frmclsRepPedPerecConformar.h"
#include "reposic/perecederos/frmclsRepPedPerecListado.h"
#include "reposic/perecederos/frmclsRepPedPerecVisor.h"
#include "reposic/perecederos/frmclsRepPrefactPedCtrl.h"
#include "reposic/prefactura/frmclsRepPrefactCtrlFaltas.h"
#include "reposic/prefactura/frmclsRepPrefactGenerar.h"
#include "reposic/prefactura/frmclsRepPrefactModificar.h"
#include "reposic/prefactura/frmclsRepPrefactVisor.h"
#include "reposic/restos/frmInformeReposicionRestos.h"
#include "reposic/restos/frmclsRepGrabRestos.h"
#include "reposic/restos/frmclsRepVisorRestos.h"
#include "reposic/visorcfg/frmclsRepArtVisorCfg.h"

namespace hostapp {

void registrarLanzadores()
{
    reposic::frmclsRepPrefactGenerar::registrar();
    reposic::frmclsRepPrefactModificar::registrar();
    reposic::frmclsRepPrefactVisor::registrar();
    reposic::frmclsRepPrefactCtrlFaltas::registrar();
    reposic::frmclsRepGrupos::registrar();
    reposic::frmclsRepGruposAprov::registrar();
    reposic::frmclsRepPrefactPedCtrl::registrar();
    reposic::frmclsRepPedPerecListado::registrar();
    reposic::frmclsRepPedPerecVisor::registrar();
    reposic::frmclsRepPedPerecConformar::registrar();
    reposic::frmclsRepCasacionPedMC::registrar();
    reposic::frmclsRepArtVisorCfg::registrar();
    reposic::frmclsRepGrabRestos::registrar();
    reposic::frmclsRepVisorRestos::registrar();
    // Screens without launcher: the host gives them one of its own.
    registrarFormulario(QStringLiteral("frmInformeReposicionRestos"),
                        [] { return new frmInformeReposicionRestos; });
}

}  // namespace hostapp
