#include "host/components/TraspasoSalida.h"

#include "platform/report/Report.h"

#include <stdexcept>

namespace host {

bool TraspasoSalida::Ejecutar(int16_t copias, QWidget* /*propietario*/)
{
    if (!Imprimir)
        return false;
    if (!empresa_ || !conexion_)
        throw std::invalid_argument("Salida de traspaso: falta la empresa o la conexión");
    if (Destino != 2)
        throw std::invalid_argument("Salida de traspaso: destino de impresión no disponible");

    const QString empresa = QString::number(empresa_->CodigoEmpresa());
    const long long existe = conexion_->scalar(
        "SELECT COUNT(*) FROM Traspasos WHERE Cod_Empresa =" + empresa + " AND Cod_Ejercicio ="
        + QString::number(Fecha.year()) + " AND Alm_Origen =" + QString::number(AlmacenOrigen)
        + " AND Codigo =" + QString::number(Codigo)).toInt64();
    if (existe == 0)
        return false;

    auto informe = report::Report::open(empresa_->RutaAplicacion() + QStringLiteral("/Rpt/Traspaso.rpt"));
    informe->setConnection(conexion_);
    informe->setParameter(1, empresa.toInt());
    informe->setParameter(2, Fecha.year());
    informe->setParameter(3, static_cast<int>(AlmacenOrigen));
    informe->setParameter(4, static_cast<qlonglong>(Codigo));
    informe->setParameter(5, Modelo == 3);
    if (informe->subreportNames().contains(QStringLiteral("Empresa.rpt"))) {
        report::Report& cabecera = informe->subreport(QStringLiteral("Empresa.rpt"));
        cabecera.setConnection(conexion_);
        cabecera.setParameter(1, empresa.toInt());
    }
    informe->setDocumentName(QStringLiteral("Traspaso %1-%2").arg(AlmacenOrigen).arg(Codigo));
    informe->printOut(copias < 1 ? 1 : copias);
    return true;
}

}  // namespace host
