#include "reposic/prefactura/ImpresionPrefactura.h"

#include "reposic/frame/Informes.h"
#include "reposic/frame/clsView.h"
#include "reposic/frame/modComun.h"

#include "host/Reloj.h"
#include "host/Utilidades.h"

#include <QDir>

namespace {

void enviar(const std::shared_ptr<report::Report>& informe, const ImpresionPrefactura& como,
            const QString& nombrePdf)
{
    if (como.enPantalla) {
        reposic::clsView vista;
        vista.setReport(informe);
        int zoom = 100;
        vista.Cargar(true, zoom);
        return;
    }
    const QString& carpetaPdf = como.carpetaPdf;
    if (!carpetaPdf.isEmpty()) {
        QDir().mkpath(carpetaPdf);
        informe->exportPdf(QDir(carpetaPdf).filePath(nombrePdf));
        return;
    }
    reposic::Informes::dirigirAImpresora(*informe, como.impresora);
    informe->printOut(1);
}

}  // namespace

void ImpresionPrefactura::imprimir(int16_t origen, int64_t codigo, int16_t destino,
                                   const QString& criterio)
{
    const int16_t empresa = reposic::modComun::empresa()->CodigoEmpresa();
    // Descriptions and bar codes live under the article master's company, which may be another.
    const int empresaArticulos = reposic::modComun::empresa()->CodigoEmpresaArticulos();
    auto prefactura = reposic::Informes::abrir(segundoModelo
                                                   ? QStringLiteral("Reposicion Prefactura 2.rpt")
                                                   : QStringLiteral("Reposicion Prefactura.rpt"));
    prefactura->setParameter(1, dobleLinea);
    prefactura->setParameter(2, static_cast<int>(empresa));
    prefactura->setParameter(3, static_cast<int>(origen));
    prefactura->setParameter(4, static_cast<qlonglong>(codigo));
    prefactura->setParameter(5, 0);
    prefactura->setParameter(6, empresaArticulos);
    reposic::Informes::subinformeEmpresa(*prefactura);
    prefactura->setDocumentName(QStringLiteral("Prefactura %1").arg(codigo));
    enviar(prefactura, *this, QStringLiteral("Prefactura %1.pdf").arg(codigo));

    if (!controlStock)
        return;
    auto faltas = reposic::Informes::abrir(QStringLiteral("Reposicion Faltas.rpt"));
    faltas->setParameter(1, criterio);
    faltas->setParameter(2, static_cast<int>(empresa));
    faltas->setParameter(3, static_cast<int>(destino));
    faltas->setParameter(4, 0);
    faltas->setParameter(5, 9999);
    faltas->setParameter(6, empresaArticulos);
    faltas->setParameter(7, host::FechaTexto(host::Reloj::hoy()));
    reposic::Informes::subinformeEmpresa(*faltas);
    faltas->setDocumentName(QStringLiteral("Faltas %1").arg(destino));
    enviar(faltas, *this, QStringLiteral("Faltas %1 %2.pdf").arg(destino).arg(codigo));
}
