#include "host/app/CatalogoPantallas.h"

#include "host/app/RegistroLanzadores.h"
#include "reposic/frame/LanzadorRegistro.h"

#include <QList>

#include <algorithm>

namespace hostapp {

namespace {

const QString kPrefacturas = QStringLiteral("Prefacturas");
const QString kGrupos = QStringLiteral("Grupos");
const QString kPerecederos = QStringLiteral("Perecederos");
const QString kRestos = QStringLiteral("Restos");
const QString kCasacion = QStringLiteral("Casación");
const QString kVisor = QStringLiteral("Visor");
const QString kOtros = QStringLiteral("Otros");

const QList<EntradaPantalla>& catalogo()
{
    static const QList<EntradaPantalla> c = {
        {QStringLiteral("frmclsRepPrefactGenerar"), kPrefacturas,
         QStringLiteral("Generación de PreFactura")},
        {QStringLiteral("frmclsRepPrefactModificar"), kPrefacturas,
         QStringLiteral("Modificación de Prefactura Reposición")},
        {QStringLiteral("frmclsRepPrefactVisor"), kPrefacturas,
         QStringLiteral("PreFacturas Pendientes de Traspaso")},
        {QStringLiteral("frmclsRepPrefactCtrlFaltas"), kPrefacturas,
         QStringLiteral("Control de Faltas")},
        {QStringLiteral("frmclsRepGrupos"), kGrupos, QStringLiteral("Grupos de Reposición")},
        {QStringLiteral("frmclsRepGruposAprov"), kGrupos,
         QStringLiteral("Grupos de Aprovisionamiento de Reposición")},
        {QStringLiteral("frmclsRepPrefactPedCtrl"), kPerecederos,
         QStringLiteral("Generar Prefacturas de Perecederos")},
        {QStringLiteral("frmclsRepPedPerecListado"), kPerecederos,
         QStringLiteral("Listado de Pedidos Perecederos")},
        {QStringLiteral("frmclsRepPedPerecVisor"), kPerecederos,
         QStringLiteral("Visor de Pedidos Perecederos")},
        {QStringLiteral("frmclsRepPedPerecConformar"), kPerecederos,
         QStringLiteral("Pedidos de Perecederos")},
        {QStringLiteral("frmclsRepGrabRestos"), kRestos,
         QStringLiteral("Grabación de Restos para Reposición")},
        {QStringLiteral("frmclsRepVisorRestos"), kRestos, QStringLiteral("Visor de Restos")},
        {QStringLiteral("frmInformeReposicionRestos"), kRestos,
         QStringLiteral("Informe de Estado de la Reposición")},
        {QStringLiteral("frmclsRepCasacionPedMC"), kCasacion,
         QStringLiteral("Control de Recepción de Pedidos")},
        // Its launcher shows it modally whatever the host asks; the host says so too.
        {QStringLiteral("frmclsRepArtVisorCfg"), kVisor,
         QStringLiteral("Configurador Visor de Pedidos"), true},
    };
    return c;
}

}  // namespace

QStringList CatalogoPantallas::grupos()
{
    return {kPrefacturas, kGrupos, kPerecederos, kRestos, kCasacion, kVisor, kOtros};
}

EntradaPantalla CatalogoPantallas::entrada(const QString& clase)
{
    for (const EntradaPantalla& e : catalogo())
        if (e.clase.compare(clase.trimmed(), Qt::CaseInsensitive) == 0)
            return e;
    return {clase.trimmed(), kOtros, clase.trimmed(), false};
}

QList<EntradaPantalla> CatalogoPantallas::registradas()
{
    QStringList nombres = reposic::LanzadorRegistro::nombres() + formulariosSinLanzador();
    QList<EntradaPantalla> l;
    for (const EntradaPantalla& e : catalogo()) {
        for (int i = 0; i < nombres.size(); ++i) {
            if (nombres[i].compare(e.clase, Qt::CaseInsensitive) == 0) {
                l.append(e);
                nombres.removeAt(i);
                break;
            }
        }
    }
    for (const QString& n : std::as_const(nombres))
        l.append(entrada(n));
    // In menu order: the main window and `nrvx-host --list` walk this same list.
    const QStringList orden = grupos();
    std::stable_sort(l.begin(), l.end(), [&orden](const EntradaPantalla& a, const EntradaPantalla& b) {
        return orden.indexOf(a.grupo) < orden.indexOf(b.grupo);
    });
    return l;
}

}  // namespace hostapp
