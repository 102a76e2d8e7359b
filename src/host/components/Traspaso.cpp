#include "host/components/Traspaso.h"

#include "host/components/ContabilidadPendiente.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"

#include <stdexcept>

using db::Money;

namespace host {

namespace {
QString n(int64_t v) { return QString::number(v); }
}  // namespace

int64_t Traspaso::Numerar(bool reservar)
{
    if (!empresa_ || !conexion_)
        throw std::invalid_argument("Traspaso: falta la empresa o la conexión");
    if (!Fecha.isValid())
        throw std::invalid_argument("Traspaso: falta la fecha del documento");
    db::Recordset rs(conexion_,
                     "SELECT * FROM Contador_Traspasos WHERE Cod_Empresa =" + n(empresa_->CodigoEmpresa())
                         + " AND Cod_Ejercicio =" + n(Fecha.year()) + " AND Cod_Almacen =" + n(AlmacenOrigen),
                     db::CursorType::Dynamic, db::LockType::Pessimistic);
    int64_t siguiente = 1;
    if (rs.eof()) {
        if (reservar) {
            rs.addNew();
            rs.setField(QStringLiteral("Cod_Empresa"), static_cast<int64_t>(empresa_->CodigoEmpresa()));
            rs.setField(QStringLiteral("Cod_Ejercicio"), static_cast<int64_t>(Fecha.year()));
            rs.setField(QStringLiteral("Cod_Almacen"), static_cast<int64_t>(AlmacenOrigen));
            rs.setField(QStringLiteral("Codigo"), siguiente);
            rs.update();
        }
    } else {
        siguiente = rs.field(QStringLiteral("Codigo")).toInt64() + 1;
        if (reservar) {
            rs.setField(QStringLiteral("Codigo"), siguiente);
            rs.update();
        }
    }
    rs.close();
    return siguiente;
}

void Traspaso::prepararContabilidad(db::Connection& contable)
{
    if (contable.dialect() == db::Dialect::Sqlite) {
        contable.executeScript(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS Contabilidad_Traspasos ("
            " Cod_Empresa SMALLINT NOT NULL, Cod_Ejercicio SMALLINT NOT NULL,"
            " Alm_Origen SMALLINT NOT NULL, Codigo INTEGER NOT NULL, Fecha TEXT NOT NULL,"
            " Alm_Destino SMALLINT NOT NULL, Importe NUMERIC NOT NULL DEFAULT 0,"
            " PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo))"));
    } else {
        contable.executeScript(QStringLiteral(
            "IF OBJECT_ID('Contabilidad_Traspasos') IS NULL CREATE TABLE Contabilidad_Traspasos ("
            " Cod_Empresa SMALLINT NOT NULL, Cod_Ejercicio SMALLINT NOT NULL,"
            " Alm_Origen SMALLINT NOT NULL, Codigo INT NOT NULL, Fecha DATETIME NOT NULL,"
            " Alm_Destino SMALLINT NOT NULL, Importe DECIMAL(19, 4) NOT NULL DEFAULT 0,"
            " PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo))"));
    }
}

void Traspaso::moverStock(const QString& empresa, int16_t almacen, int32_t articulo, Money unidades)
{
    const long long filas = conexion_->execute(
        "UPDATE Almacen_Articulos SET Stock_Actual = Stock_Actual + " + unidades.toSql()
        + " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen =" + n(almacen)
        + " AND Cod_Articulo =" + n(articulo));
    if (filas == 0) {
        conexion_->execute("INSERT INTO Almacen_Articulos (Cod_Empresa, Cod_Almacen, Cod_Articulo,"
                           " Stock_Actual) VALUES (" + empresa + ", " + n(almacen) + ", " + n(articulo)
                           + ", " + unidades.toSql() + ")");
    }
}

std::pair<Money, int> Traspaso::Guardar()
{
    if (!empresa_ || !conexion_)
        throw std::invalid_argument("Traspaso: falta la empresa o la conexión");
    if (!conexionContable_)
        throw std::invalid_argument("Traspaso: falta la conexión de contabilidad");
    if (!Fecha.isValid() || Codigo <= 0)
        throw std::invalid_argument("Traspaso: el documento no tiene fecha o número");
    if (AlmacenOrigen <= 0 || AlmacenDestino <= 0 || AlmacenOrigen == AlmacenDestino)
        throw std::invalid_argument("Traspaso: los almacenes de origen y destino no son válidos");

    const QString empresa = n(empresa_->CodigoEmpresa());
    const QString ejercicio = n(Fecha.year());
    const QString fecha = db::sqlDate(*conexion_, Fecha);
    Money importe;
    for (TraspasoLinea& l : lineas_->lineas()) {
        if (TipoValoracion == 0)
            importe += Money::fromDouble(l.Costo.toDouble() * l.Unidades.toDouble());
        if (l.Descripcion.isEmpty()) {
            l.Descripcion = conexion_->scalar("SELECT Descripcion FROM Articulos WHERE Cod_Empresa ="
                                              + n(empresa_->CodigoEmpresaArticulos()) + " AND Codigo ="
                                              + n(l.Cod_Articulo)).toText();
        }
    }

    conexion_->execute("INSERT INTO Traspasos (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo, Fecha,"
                       " Alm_Destino, Cod_Usuario, Observaciones, Importe, Recibido) VALUES ("
                       + empresa + ", " + ejercicio + ", " + n(AlmacenOrigen) + ", " + n(Codigo) + ", "
                       + fecha + ", " + n(AlmacenDestino) + ", " + n(Usuario) + ", "
                       + db::sqlText(Observaciones) + ", " + importe.toSql() + ", " + n(Recibido) + ")");

    for (TraspasoLinea& l : lineas_->lineas()) {
        const Money costo = TipoValoracion == 0 ? l.Costo : Money();
        conexion_->execute("INSERT INTO Traspasos_Lineas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo,"
                           " Linea, Cod_Articulo, Descripcion, UxCaja, Cajas, Unidades, Costo) VALUES ("
                           + empresa + ", " + ejercicio + ", " + n(AlmacenOrigen) + ", " + n(Codigo) + ", "
                           + n(l.Linea) + ", " + n(l.Cod_Articulo) + ", " + db::sqlText(l.Descripcion) + ", "
                           + l.UxCaja.toSql() + ", " + n(l.Cajas) + ", " + l.Unidades.toSql() + ", "
                           + costo.toSql() + ")");
        if (MoverStock) {
            moverStock(empresa, AlmacenOrigen, l.Cod_Articulo, -l.Unidades);
            moverStock(empresa, AlmacenDestino, l.Cod_Articulo, l.Unidades);
        }
        // The goods have left: the units reserved for them at the origin are free again.
        conexion_->execute("UPDATE Reposicion_StockReservado SET Unidades = Unidades - " + l.Unidades.toSql()
                           + " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen =" + n(AlmacenOrigen)
                           + " AND Cod_Articulo =" + n(l.Cod_Articulo));
        if (l.Lotes) {
            l.Lotes->Cod_Articulo = l.Cod_Articulo;
            l.Lotes->Unidades = l.Unidades;
            l.Lotes->rellenado = true;
        }
        if (l.SeriesOrigen)
            l.SeriesOrigen->Cod_Almacen = AlmacenOrigen;
        if (l.SeriesDestino)
            l.SeriesDestino->Cod_Almacen = AlmacenDestino;
    }

    // The entry is booked after the company commit (Asentar); until then it waits here, in the
    // same transaction as the document, so a stop between the two databases cannot lose it.
    if (TipoValoracion == 0) {
        ContabilidadPendiente::preparar(*conexion_);
        ContabilidadPendiente::registrar(*conexion_, asiento(importe));
    }
    return {importe, lineas_->Count()};
}

ContabilidadPendiente::Asiento Traspaso::asiento(Money importe) const
{
    ContabilidadPendiente::Asiento a;
    a.empresa = empresa_->CodigoEmpresa();
    a.ejercicio = static_cast<int16_t>(Fecha.year());
    a.origen = AlmacenOrigen;
    a.codigo = Codigo;
    a.empresaContable = (empresaContable_ ? empresaContable_ : empresa_)->CodigoEmpresa();
    a.fecha = Fecha;
    a.destino = AlmacenDestino;
    a.importe = importe;
    return a;
}

int Traspaso::Asentar()
{
    if (!empresa_ || !conexion_ || !conexionContable_)
        throw std::invalid_argument("Traspaso: falta la conexión de la empresa o la de contabilidad");
    return ContabilidadPendiente::asentar(conexion_, *conexionContable_, asiento(Money()));
}

}  // namespace host
