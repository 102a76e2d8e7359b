#include "host/controls/SelectorMarca.h"

#include "platform/db/Recordset.h"

namespace host {

namespace {

std::optional<int32_t> codigoMarca(const QString& texto)
{
    bool ok = false;
    const qlonglong n = texto.trimmed().toLongLong(&ok);
    if (!ok || n < 0 || n > 2147483647LL)
        return std::nullopt;
    return static_cast<int32_t>(n);
}

}  // namespace

SelectorMarca::SelectorMarca(QWidget* parent) : SelectorBase(parent)
{
}

int32_t SelectorMarca::codigo()
{
    const QString encontrado = codigoEncontrado();
    return codigoMarca(encontrado.isEmpty() ? texto() : encontrado).value_or(0);
}

void SelectorMarca::setCodigo(int32_t codigo)
{
    fijarCodigo(codigo == 0 ? QString() : QString::number(codigo));
}

std::optional<SelectorBase::Encontrado> SelectorMarca::buscar(const QString& texto)
{
    const std::optional<int32_t> n = codigoMarca(texto);
    if (!n || *n == 0)
        return std::nullopt;
    db::Recordset rs(conexion(), QStringLiteral("SELECT Codigo, Nombre FROM Marcas WHERE Codigo = ")
                                     + QString::number(*n));
    if (rs.eof())
        return std::nullopt;
    return Encontrado{rs.field(QStringLiteral("Codigo")).toText(),
                      rs.field(QStringLiteral("Nombre")).toText()};
}

QString SelectorMarca::tituloLista() const
{
    return QStringLiteral("Marcas");
}

QString SelectorMarca::consultaLista(const QString& filtro) const
{
    QString condicion = condicionFiltro(QStringLiteral("Codigo"), QStringLiteral("Nombre"), filtro);
    if (!condicion.isEmpty())
        condicion = QStringLiteral(" WHERE ") + condicion.mid(5);  // " AND (...)" -> " WHERE (...)"
    return selectLista() + QStringLiteral("Codigo, Nombre FROM Marcas") + condicion
        + QStringLiteral(" ORDER BY Codigo");
}

}  // namespace host
