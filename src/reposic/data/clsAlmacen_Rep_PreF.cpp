// Statements are built on every write of generation: concatenate without temporaries.
#define QT_USE_QSTRINGBUILDER

#include "reposic/data/clsAlmacen_Rep_PreF.h"

#include "host/Reloj.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "reposic/data/clsAlmacen_Rep_PreF_Lineas.h"

int64_t clsAlmacen_Rep_PreF::PrimerCodigo(const QDate& hoy, int16_t almacen)
{
    const QString texto = hoy.toString(QStringLiteral("yy"))
        + QStringLiteral("%1").arg(almacen, 2, 10, QLatin1Char('0')) + QStringLiteral("00001");
    return texto.toLongLong();
}

QString clsAlmacen_Rep_PreF::clave() const
{
    return " WHERE Cod_Empresa =" + QString::number(empresa_->CodigoEmpresa()) + " AND Cod_Almacen ="
        + QString::number(Almacen) + " AND Codigo =" + QString::number(Codigo);
}

int64_t clsAlmacen_Rep_PreF::Dev_Codigo()
{
    const QDate hoy = host::Reloj::hoy();
    // The pessimistic lock keeps the read and the advance of the counter one step for every
    // workstation, including the first call of a year that creates the row.
    db::Recordset rs(conexion_,
                     "SELECT * FROM Contador_Reposicion_Pref" " WHERE Cod_Empresa ="
                         + QString::number(empresa_->CodigoEmpresa()) + " AND Cod_Ejercicio ="
                         + QString::number(hoy.year()) + " AND Cod_Almacen =" + QString::number(Almacen),
                     db::CursorType::Dynamic, db::LockType::Pessimistic);
    int64_t codigo;
    if (rs.eof()) {
        codigo = PrimerCodigo(hoy, Almacen);
        rs.addNew();
        rs.setField(QStringLiteral("Cod_Empresa"), static_cast<int64_t>(empresa_->CodigoEmpresa()));
        rs.setField(QStringLiteral("Cod_Ejercicio"), static_cast<int64_t>(hoy.year()));
        rs.setField(QStringLiteral("Cod_Almacen"), static_cast<int64_t>(Almacen));
        rs.setField(QStringLiteral("Codigo"), codigo);
    } else {
        codigo = rs.field(QStringLiteral("Codigo")).toInt64() + 1;
        rs.setField(QStringLiteral("Codigo"), codigo);
    }
    rs.update();
    rs.close();
    return codigo;
}

void clsAlmacen_Rep_PreF::Insertar()
{
    Codigo = Dev_Codigo();
    conexion_->execute(
        "INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha,"
        " Cod_AlmacenD, Pendiente, Observaciones) VALUES ("
        + QString::number(empresa_->CodigoEmpresa()) + ", " + QString::number(Almacen) + ", "
        + QString::number(Codigo) + ", " + db::sqlDate(*conexion_, host::Reloj::hoy()) + ", "
        + QString::number(AlmacenDestino) + ", 1, " + db::sqlText(Observaciones) + ")");
}

void clsAlmacen_Rep_PreF::Anular()
{
    clsAlmacen_Rep_PreF_Lineas linea;
    linea.cEmpresa(empresa_);
    linea.Conexion(conexion_);
    linea.Almacen = Almacen;
    linea.Codigo = Codigo;
    db::Recordset rs(conexion_, "SELECT Cod_Articulo FROM Reposicion_Pref_Lineas" + clave(),
                     db::CursorType::Static, db::LockType::ReadOnly);
    for (; !rs.eof(); rs.moveNext()) {
        linea.Articulo = rs.field(QStringLiteral("Cod_Articulo")).toInt();
        linea.Eliminar();
    }
    rs.close();
    Eliminar();
}

void clsAlmacen_Rep_PreF::Eliminar()
{
    conexion_->execute("DELETE FROM Reposicion_Pref" + clave());
}

void clsAlmacen_Rep_PreF::Modificar()
{
    conexion_->execute("UPDATE Reposicion_Pref SET Observaciones =" + db::sqlText(Observaciones)
                       + clave());
}

void clsAlmacen_Rep_PreF::Eliminar_Lineas()
{
    conexion_->execute("DELETE FROM Reposicion_Pref_Lineas" + clave());
}
