#include "reposic/restos/GrabacionRestos.h"

#include "host/Utilidades.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"
#include "reposic/data/clsAlmacen_Rep.h"
#include "reposic/restos/TemporalRestos.h"

GrabacionRestos::GrabacionRestos(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion))
{
}

int64_t GrabacionRestos::PrimerCodigo(const QDate& fecha, int16_t almacen, bool oficinaCentral)
{
    const QString texto = QStringLiteral("%1%2%3")
                              .arg(fecha.year() % 100, 2, 10, QLatin1Char('0'))
                              .arg(static_cast<int>(almacen), 2, 10, QLatin1Char('0'))
                              .arg(oficinaCentral ? QStringLiteral("5000") : QStringLiteral("0000"));
    return texto.toLongLong() + 1;
}

int64_t GrabacionRestos::ObtenerCodigo(const QDate& fecha, int16_t almacen, bool oficinaCentral,
                                       bool reservar)
{
    const int16_t empresa = empresa_->CodigoEmpresa();
    // The pessimistic lock makes reading and advancing the counter one step for every
    // workstation, the first number of a year included. An estimate only reads, so opening the
    // screen never waits for another workstation's recording.
    db::Recordset rs(conexion_,
                     QStringLiteral("SELECT * FROM Contador_Reposicion_Restos WHERE Cod_Empresa =")
                         + QString::number(empresa) + QStringLiteral(" AND Cod_Ejercicio =")
                         + QString::number(fecha.year()) + QStringLiteral(" AND Cod_Almacen =")
                         + QString::number(almacen),
                     reservar ? db::CursorType::Keyset : db::CursorType::ForwardOnly,
                     reservar ? db::LockType::Pessimistic : db::LockType::ReadOnly);
    int64_t codigo;
    if (rs.eof()) {
        codigo = PrimerCodigo(fecha, almacen, oficinaCentral);
        if (reservar) {
            rs.addNew();
            rs.setField(QStringLiteral("Cod_Empresa"), static_cast<int64_t>(empresa));
            rs.setField(QStringLiteral("Cod_Ejercicio"), static_cast<int64_t>(fecha.year()));
            rs.setField(QStringLiteral("Cod_Almacen"), static_cast<int64_t>(almacen));
            rs.setField(QStringLiteral("Codigo"), codigo);
            rs.update();
        }
    } else {
        codigo = rs.field(QStringLiteral("Codigo")).toInt64() + 1;
        if (reservar) {
            rs.setField(QStringLiteral("Codigo"), codigo);
            rs.update();
        }
    }
    rs.close();
    return codigo;
}

void GrabacionRestos::grabar(int64_t codigo, const QDate& fecha, int16_t almacen,
                             const QVector<Linea>& lineas, int32_t puesto)
{
    const QString emp = QString::number(empresa_->CodigoEmpresa());
    const QString alm = QString::number(almacen);
    const QString cod = QString::number(codigo);

    clsAlmacen_Rep acumulado;
    acumulado.cEmpresa(empresa_);
    acumulado.Conexion(conexion_);

    db::Transaction tx(conexion_);
    conexion_->execute(QStringLiteral("INSERT INTO Reposicion_Restos (Cod_Empresa, Cod_Almacen, Codigo,"
                                      " Fecha,  Enviado) VALUES (")
                       + emp + QStringLiteral(", ") + alm + QStringLiteral(", ") + cod
                       + QStringLiteral(", ") + db::sqlDate(*conexion_, fecha) + QStringLiteral(", 0)"));
    for (const Linea& l : lineas) {
        conexion_->execute(QStringLiteral("INSERT INTO Reposicion_Restos_Lineas (Cod_Empresa, Cod_Almacen,"
                                          " Codigo, Cod_Articulo, Unidades, Concepto) VALUES (")
                           + emp + QStringLiteral(", ") + alm + QStringLiteral(", ") + cod
                           + QStringLiteral(", ") + QString::number(l.articulo) + QStringLiteral(", ")
                           + host::NumeroSQL(l.unidades) + QStringLiteral(", ")
                           + db::sqlText(l.concepto) + QStringLiteral(")"));
        acumulado.Almacen = almacen;
        acumulado.Articulo = l.articulo;
        acumulado.Unidades = l.unidades;
        acumulado.UnidadesResto = l.unidades;
        acumulado.UnidadesVenta = db::Money();
        acumulado.CualidadX = 0;
        acumulado.CualidadY = 0;
        acumulado.Modificar();
    }
    TemporalRestos(conexion_, puesto).borrar();
    tx.commit();
}
