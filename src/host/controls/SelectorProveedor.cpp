#include "host/controls/SelectorProveedor.h"

#include "platform/db/Recordset.h"

namespace host {

namespace {

std::optional<int32_t> codigoProveedor(const QString& texto)
{
    bool ok = false;
    const qlonglong n = texto.trimmed().toLongLong(&ok);
    if (!ok || n < 0 || n > 2147483647LL)
        return std::nullopt;
    return static_cast<int32_t>(n);
}

}  // namespace

SelectorProveedor::SelectorProveedor(QWidget* parent) : SelectorBase(parent)
{
}

int32_t SelectorProveedor::codigo()
{
    const QString encontrado = codigoEncontrado();
    return codigoProveedor(encontrado.isEmpty() ? texto() : encontrado).value_or(0);
}

void SelectorProveedor::setCodigo(int32_t codigo)
{
    fijarCodigo(codigo == 0 ? QString() : QString::number(codigo));
}

std::optional<SelectorBase::Encontrado> SelectorProveedor::buscar(const QString& texto)
{
    const std::optional<int32_t> n = codigoProveedor(texto);
    if (!n || *n == 0)
        return std::nullopt;
    db::Recordset rs(conexion(),
                     QStringLiteral("SELECT Codigo, Nombre FROM Proveedores WHERE Cod_Empresa = ")
                         + QString::number(empresa()->CodigoEmpresaProveedores())
                         + QStringLiteral(" AND Codigo = ") + QString::number(*n));
    if (rs.eof())
        return std::nullopt;
    return Encontrado{rs.field(QStringLiteral("Codigo")).toText(),
                      rs.field(QStringLiteral("Nombre")).toText()};
}

QString SelectorProveedor::tituloLista() const
{
    return QStringLiteral("Proveedores");
}

QString SelectorProveedor::consultaLista(const QString& filtro) const
{
    return selectLista() + QStringLiteral("Codigo, Nombre FROM Proveedores WHERE Cod_Empresa = ")
        + QString::number(empresa()->CodigoEmpresaProveedores())
        + condicionFiltro(QStringLiteral("Codigo"), QStringLiteral("Nombre"), filtro)
        + QStringLiteral(" ORDER BY Codigo");
}

}  // namespace host
