// Statements are built on every write of generation: concatenate without temporaries.
#define QT_USE_QSTRINGBUILDER

#include "reposic/data/clsAlmacen_Rep.h"

#include "host/Utilidades.h"

QString clsAlmacen_Rep::empresa() const { return QString::number(empresa_->CodigoEmpresa()); }

void clsAlmacen_Rep::Modificar()
{
    const QString u = host::NumeroSQL(Unidades);
    const QString uv = host::NumeroSQL(UnidadesVenta);
    const QString ur = host::NumeroSQL(UnidadesResto);
    const long long n = conexion_->execute(
        "UPDATE Reposicion SET Unidades = Unidades + " + u + ", UnidadesVenta = UnidadesVenta + "
        + uv + ", UnidadesResto = UnidadesResto + " + ur + " WHERE Cod_Empresa =" + empresa()
        + " AND Cod_Almacen =" + QString::number(Almacen) + " AND Cod_Articulo ="
        + QString::number(Articulo) + " AND CualidadX =" + QString::number(CualidadX)
        + " AND CualidadY =" + QString::number(CualidadY) + " AND Codigo = 0");
    if (n > 0)
        return;
    conexion_->execute(
        "INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo,"
        " Codigo, CualidadX, CualidadY, Unidades, UnidadesVenta, UnidadesResto) VALUES ("
        + empresa() + ", " + QString::number(Almacen) + ", " + QString::number(Articulo) + ", 0, "
        + QString::number(CualidadX) + ", " + QString::number(CualidadY) + ", " + u + ", " + uv
        + ", " + ur + ")");
}

void clsAlmacen_Rep::upsertUnidades(const QString& tabla)
{
    const QString u = host::NumeroSQL(Unidades);
    const long long n = conexion_->execute(
        "UPDATE " + tabla + " SET Unidades = Unidades + " + u + " WHERE Cod_Empresa =" + empresa()
        + " AND Cod_Almacen =" + QString::number(Almacen) + " AND Cod_Articulo ="
        + QString::number(Articulo));
    if (n > 0)
        return;
    conexion_->execute("INSERT INTO " + tabla + " (Cod_Empresa, Cod_Almacen, Cod_Articulo,"
                       " Unidades) VALUES (" + empresa() + ", " + QString::number(Almacen) + ", "
                       + QString::number(Articulo) + ", " + u + ")");
}

void clsAlmacen_Rep::Modificar_Faltas() { upsertUnidades(QStringLiteral("Reposicion_Faltas")); }

void clsAlmacen_Rep::Modificar_StockReservado()
{
    upsertUnidades(QStringLiteral("Reposicion_StockReservado"));
}
