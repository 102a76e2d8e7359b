#include "host/controls/SelectorAlmacen.h"

#include "platform/db/Recordset.h"

namespace host {

namespace {

std::optional<int16_t> codigoCorto(const QString& texto)
{
    bool ok = false;
    const int n = texto.trimmed().toInt(&ok);
    if (!ok || n < 0 || n > 32767)
        return std::nullopt;
    return static_cast<int16_t>(n);
}

}  // namespace

SelectorAlmacen::SelectorAlmacen(QWidget* parent) : SelectorBase(parent)
{
}

int16_t SelectorAlmacen::codigo()
{
    const QString encontrado = codigoEncontrado();
    return codigoCorto(encontrado.isEmpty() ? texto() : encontrado).value_or(0);
}

void SelectorAlmacen::setCodigo(int16_t codigo)
{
    fijarCodigo(codigo == 0 ? QString() : QString::number(codigo));
}

std::optional<SelectorBase::Encontrado> SelectorAlmacen::buscar(const QString& texto)
{
    const std::optional<int16_t> n = codigoCorto(texto);
    if (!n || *n == 0)
        return std::nullopt;
    db::Recordset rs(conexion(),
                     QStringLiteral("SELECT Codigo, Nombre FROM Almacenes WHERE Cod_Empresa = ")
                         + QString::number(empresa()->CodigoEmpresa())
                         + QStringLiteral(" AND Codigo = ") + QString::number(*n));
    if (rs.eof())
        return std::nullopt;
    return Encontrado{rs.field(QStringLiteral("Codigo")).toText(),
                      rs.field(QStringLiteral("Nombre")).toText()};
}

QString SelectorAlmacen::tituloLista() const
{
    return QStringLiteral("Almacenes");
}

QString SelectorAlmacen::consultaLista(const QString& filtro) const
{
    return selectLista() + QStringLiteral("Codigo, Nombre FROM Almacenes WHERE Cod_Empresa = ")
        + QString::number(empresa()->CodigoEmpresa())
        + condicionFiltro(QStringLiteral("Codigo"), QStringLiteral("Nombre"), filtro)
        + QStringLiteral(" ORDER BY Codigo");
}

}  // namespace host
