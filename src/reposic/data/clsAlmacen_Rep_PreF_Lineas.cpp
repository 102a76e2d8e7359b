// Statements are built on every write of generation: concatenate without temporaries.
#define QT_USE_QSTRINGBUILDER

#include "reposic/data/clsAlmacen_Rep_PreF_Lineas.h"

#include "host/Utilidades.h"
#include "platform/db/Recordset.h"

QString clsAlmacen_Rep_PreF_Lineas::clave() const
{
    return " WHERE Cod_Empresa =" + QString::number(empresa_->CodigoEmpresa()) + " AND Cod_Almacen ="
        + QString::number(Almacen) + " AND Codigo =" + QString::number(Codigo) + " AND Cod_Articulo ="
        + QString::number(Articulo);
}

void clsAlmacen_Rep_PreF_Lineas::Insertar()
{
    conexion_->execute(
        "INSERT INTO Reposicion_Pref_Lineas (Cod_Empresa, Cod_Almacen, Codigo,"
        " Cod_Articulo, Unidades, UnidadesVenta, UnidadesResto, UnidadesGen) VALUES ("
        + QString::number(empresa_->CodigoEmpresa()) + ", " + QString::number(Almacen) + ", "
        + QString::number(Codigo) + ", " + QString::number(Articulo) + ", "
        + host::NumeroSQL(Unidades) + ", " + host::NumeroSQL(UnidadesVenta) + ", "
        + host::NumeroSQL(UnidadesResto) + ", " + host::NumeroSQL(UnidadesGeneradas) + ")");
}

void clsAlmacen_Rep_PreF_Lineas::Modificar()
{
    const long long n = conexion_->execute(
        "UPDATE Reposicion_Pref_Lineas SET Unidades =" + host::NumeroSQL(Unidades)
        + ", UnidadesVenta =" + host::NumeroSQL(UnidadesVenta) + ", UnidadesResto ="
        + host::NumeroSQL(UnidadesResto) + ", UnidadesGen =" + host::NumeroSQL(UnidadesGeneradas)
        + clave());
    if (n == 0)
        Insertar();
}

void clsAlmacen_Rep_PreF_Lineas::Eliminar()
{
    conexion_->execute("DELETE FROM Reposicion_Pref_Lineas" + clave());
}

void clsAlmacen_Rep_PreF_Lineas::Cargar()
{
    db::Recordset rs(conexion_, "SELECT * FROM Reposicion_Pref_Lineas" + clave());
    if (!rs.eof()) {
        Unidades = rs.field(QStringLiteral("Unidades")).toMoney();
        UnidadesVenta = rs.field(QStringLiteral("UnidadesVenta")).toMoney();
        UnidadesResto = rs.field(QStringLiteral("UnidadesResto")).toMoney();
        UnidadesGeneradas = rs.field(QStringLiteral("UnidadesGen")).toMoney();
    }
    rs.close();
}
