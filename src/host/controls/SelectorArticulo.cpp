#include "host/controls/SelectorArticulo.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"

namespace host {

namespace {

std::optional<int32_t> codigoArticulo(const QString& texto)
{
    bool ok = false;
    const qlonglong n = texto.trimmed().toLongLong(&ok);
    if (!ok || n <= 0 || n > 2147483647LL)
        return std::nullopt;
    return static_cast<int32_t>(n);
}

}  // namespace

SelectorArticulo::SelectorArticulo(QWidget* parent) : SelectorBase(parent)
{
}

int32_t SelectorArticulo::codigo()
{
    return codigoArticulo(codigoTexto()).value_or(0);
}

void SelectorArticulo::setCodigo(int32_t codigo)
{
    fijarCodigo(codigo == 0 ? QString() : QString::number(codigo));
}

QString SelectorArticulo::codigoTexto()
{
    const QString encontrado = codigoEncontrado();
    return encontrado.isEmpty() ? texto().trimmed() : encontrado;
}

void SelectorArticulo::setCodigoTexto(const QString& codigo)
{
    fijarCodigo(codigo.trimmed());
}

std::optional<SelectorBase::Encontrado> SelectorArticulo::buscar(const QString& texto)
{
    const QString empresaArt = QString::number(empresa()->CodigoEmpresaArticulos());
    if (const std::optional<int32_t> n = codigoArticulo(texto)) {
        db::Recordset rs(conexion(),
                         QStringLiteral("SELECT Codigo, Descripcion FROM Articulos"
                                        " WHERE Cod_Empresa = ") + empresaArt
                             + QStringLiteral(" AND Codigo = ") + QString::number(*n));
        if (!rs.eof())
            return Encontrado{rs.field(QStringLiteral("Codigo")).toText(),
                              rs.field(QStringLiteral("Descripcion")).toText()};
    }
    // What a scanner reads: the bar code as typed, quotes and all, compared as text.
    db::Recordset rs(conexion(),
                     QStringLiteral("SELECT a.Codigo, a.Descripcion FROM Articulos_CBarras c"
                                    " INNER JOIN Articulos a"
                                    " ON a.Cod_Empresa = c.Cod_Empresa"
                                    " AND a.Codigo = c.Cod_Articulo"
                                    " WHERE c.Cod_Empresa = ") + empresaArt
                         + QStringLiteral(" AND c.Cod_Barras = ") + db::sqlText(texto));
    if (rs.eof())
        return std::nullopt;
    return Encontrado{rs.field(QStringLiteral("Codigo")).toText(),
                      rs.field(QStringLiteral("Descripcion")).toText()};
}

QString SelectorArticulo::tituloLista() const
{
    return QStringLiteral("Artículos");
}

QString SelectorArticulo::consultaLista(const QString& filtro) const
{
    return selectLista()
        + QStringLiteral("Codigo, Descripcion AS Nombre FROM Articulos WHERE Cod_Empresa = ")
        + QString::number(empresa()->CodigoEmpresaArticulos())
        + condicionFiltro(QStringLiteral("Codigo"), QStringLiteral("Descripcion"), filtro)
        + QStringLiteral(" ORDER BY Codigo");
}

}  // namespace host
