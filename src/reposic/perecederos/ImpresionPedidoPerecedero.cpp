#include "reposic/perecederos/ImpresionPedidoPerecedero.h"

#include "host/Utilidades.h"
#include "platform/report/LinePrinter.h"
#include "platform/report/Printers.h"
#include "reposic/frame/ValorTexto.h"

namespace {

const QString kMargen = QStringLiteral("   ");

QString aj(int alineacion, const QString& texto, int ancho)
{
    return host::AjustarTexto(alineacion, texto, ancho);
}

QString regla()
{
    return kMargen + QString(10, '=') + ' ' + QString(40, '=') + ' ' + QString(5, '=') + ' '
           + QString(7, '=') + ' ' + QString(15, '=');
}

// The screen shows units with a decimal comma; the printout wants three decimals.
QString tresDecimales(const QString& texto)
{
    QString t = texto;
    t.remove(QLatin1Char('.'));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return QString::number(reposic::ValorTexto(t), 'f', 3).replace(QLatin1Char('.'), QLatin1Char(','));
}

}  // namespace

void ImpresionPedidoPerecedero::cabecera(report::LinePrinter& p) const
{
    p.setEmphasis(true);
    p.line(kMargen);
    p.line(kMargen + aj(1, QStringLiteral("PEDIDOS PERECEDERO"), 80));
    p.setEmphasis(false);
    p.line(kMargen + aj(0, QStringLiteral("EMPRESA : %1 - %2").arg(empresa).arg(nombreEmpresa), 80));
    p.line(kMargen + aj(0, QStringLiteral("ALMACEN : %1 - %2").arg(almacen).arg(nombreAlmacen), 80));
    p.line(kMargen + aj(0, QStringLiteral("TIPO    : ") + tipo, 80));
    p.line(kMargen + aj(0, QStringLiteral("FECHA   : ") + host::FechaTexto(fecha), 30)
           + aj(2, QStringLiteral("PAG. %1").arg(p.pageNumber()), 50));
    p.line(regla());
    p.line(kMargen + aj(1, QStringLiteral("CODIGO"), 10) + ' ' + aj(1, QStringLiteral("DESCRIPCION"), 40)
           + ' ' + aj(1, QStringLiteral("UxC"), 5) + ' ' + aj(1, QStringLiteral("CAJAS"), 7) + ' '
           + aj(1, QStringLiteral("UNIDADES"), 15));
    p.line(regla());
}

QString ImpresionPedidoPerecedero::lineaDetalle(const QStringList& l) const
{
    const auto col = [&l](int i) { return i < l.size() ? l.at(i) : QString(); };
    return kMargen + aj(0, col(0), 10) + ' ' + aj(0, col(1), 40) + ' ' + aj(2, col(2), 5) + ' '
           + aj(2, col(3), 7) + ' ' + aj(2, tresDecimales(col(4)), 15);
}

void ImpresionPedidoPerecedero::escribir(report::LinePrinter& trabajo) const
{
    trabajo.setLinesPerPage(kLineasPorPagina);
    // The job prints the heading at the top of every page it starts, with that page's number.
    trabajo.setHeading([this](report::LinePrinter& p) { cabecera(p); });
    for (const QStringList& l : lineas)
        trabajo.line(lineaDetalle(l));
}

void ImpresionPedidoPerecedero::imprimir() const
{
    report::LinePrinter trabajo;
    trabajo.setDocumentName(QStringLiteral("Pedido Perecedero"));
    const auto defecto = report::Printers::defaultPrinter();
    trabajo.setPrinterName(defecto ? defecto->deviceName : QString());
    escribir(trabajo);
    trabajo.finish();
}
