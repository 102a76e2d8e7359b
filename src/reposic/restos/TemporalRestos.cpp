#include "reposic/restos/TemporalRestos.h"

#include "host/Utilidades.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"

std::optional<TemporalRestos::Cabecera> TemporalRestos::cabecera() const
{
    db::Recordset rs(conexion_, QStringLiteral("SELECT * FROM Temp_Reposicion_Restos WHERE NroPuesto =")
                                    + puesto());
    if (rs.eof())
        return std::nullopt;
    return Cabecera{rs.field(QStringLiteral("Fecha")).toDate(),
                    static_cast<int16_t>(rs.field(QStringLiteral("Cod_Almacen")).toInt())};
}

QVector<TemporalRestos::Linea> TemporalRestos::lineas(int16_t empresaArticulos) const
{
    QVector<Linea> out;
    db::Recordset rs(conexion_, QStringLiteral("SELECT a.*, b.Descripcion FROM Temp_Reposicion_Restos_Lineas a "
                                               " INNER JOIN Articulos b ON b.Cod_Empresa =")
                                    + QString::number(empresaArticulos)
                                    + QStringLiteral(" AND a.Cod_Articulo = b.Codigo WHERE NroPuesto =")
                                    + puesto());
    for (; !rs.eof(); rs.moveNext()) {
        out.append(Linea{rs.field(QStringLiteral("Cod_Articulo")).toInt(),
                         rs.field(QStringLiteral("Descripcion")).toText(),
                         rs.field(QStringLiteral("Unidades")).toMoney(),
                         rs.field(QStringLiteral("Concepto")).toText()});
    }
    return out;
}

void TemporalRestos::guardarCabecera(const QDate& fecha, int16_t almacen)
{
    conexion_->execute(QStringLiteral("DELETE FROM Temp_Reposicion_Restos WHERE NroPuesto =") + puesto());
    conexion_->execute(QStringLiteral("INSERT INTO Temp_Reposicion_Restos (NroPuesto, Fecha, Cod_Almacen)"
                                      " VALUES (")
                       + puesto() + QStringLiteral(", ") + db::sqlDate(*conexion_, fecha)
                       + QStringLiteral(", ") + QString::number(almacen) + QStringLiteral(")"));
}

void TemporalRestos::insertarLinea(int32_t articulo, db::Money unidades, const QString& concepto)
{
    conexion_->execute(QStringLiteral("INSERT INTO Temp_Reposicion_Restos_Lineas (NroPuesto, Cod_Articulo,"
                                      " Unidades, Concepto) VALUES (")
                       + puesto() + QStringLiteral(", ") + QString::number(articulo)
                       + QStringLiteral(", ") + host::NumeroSQL(unidades) + QStringLiteral(", ")
                       + db::sqlText(concepto) + QStringLiteral(")"));
}

void TemporalRestos::modificarLinea(int32_t articulo, db::Money unidades, const QString& concepto)
{
    conexion_->execute(QStringLiteral("UPDATE Temp_Reposicion_Restos_Lineas SET Unidades =")
                       + host::NumeroSQL(unidades) + QStringLiteral(", Concepto =")
                       + db::sqlText(concepto) + QStringLiteral(" WHERE NroPuesto =") + puesto()
                       + QStringLiteral(" AND Cod_Articulo =") + QString::number(articulo));
}

void TemporalRestos::eliminarLinea(int32_t articulo)
{
    conexion_->execute(QStringLiteral("DELETE FROM Temp_Reposicion_Restos_Lineas WHERE NroPuesto =")
                       + puesto() + QStringLiteral(" AND Cod_Articulo =") + QString::number(articulo));
}

void TemporalRestos::borrar()
{
    conexion_->execute(QStringLiteral("DELETE FROM Temp_Reposicion_Restos WHERE NroPuesto =") + puesto());
    conexion_->execute(QStringLiteral("DELETE FROM Temp_Reposicion_Restos_Lineas WHERE NroPuesto =")
                       + puesto());
}
