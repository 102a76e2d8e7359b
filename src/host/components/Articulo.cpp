#include "host/components/Articulo.h"

#include "platform/db/Recordset.h"

#include <stdexcept>

namespace host {

bool Articulo::Cargar()
{
    if (!empresa_ || !conexion_)
        throw std::logic_error("Articulo: falta la empresa o la conexión");
    encontrado_ = false;
    descripcion_.clear();
    uxCaja_ = db::Money();
    uxFraccion_ = db::Money();
    tipoRep_ = 0;

    db::Recordset rs(conexion_,
                     "SELECT Descripcion, UxCaja, UxFraccion, TipoRep FROM Articulos"
                     " WHERE Cod_Empresa =" + QString::number(empresa_->CodigoEmpresaArticulos())
                         + " AND Codigo =" + QString::number(Codigo));
    if (rs.eof())
        return false;
    encontrado_ = true;
    descripcion_ = rs.field(QStringLiteral("Descripcion")).toText();
    uxCaja_ = rs.field(QStringLiteral("UxCaja")).toMoney();
    uxFraccion_ = rs.field(QStringLiteral("UxFraccion")).toMoney();
    tipoRep_ = static_cast<int16_t>(rs.field(QStringLiteral("TipoRep")).toInt());
    return true;
}

}  // namespace host
