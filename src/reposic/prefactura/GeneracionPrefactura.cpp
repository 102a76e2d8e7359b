#include "reposic/prefactura/GeneracionPrefactura.h"

#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "reposic/data/clsAlmacen_Rep.h"
#include "reposic/data/clsAlmacen_Rep_PreF.h"
#include "reposic/data/clsAlmacen_Rep_PreF_Lineas.h"
#include "reposic/prefactura/ReglaEnvio.h"

using db::Money;

namespace {

QString num(int64_t v) { return QString::number(v); }

}  // namespace

GeneracionPrefactura::GeneracionPrefactura(std::shared_ptr<host::Empresa> empresa,
                                           db::ConnectionPtr conexion)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion))
{
}

QVector<int16_t> GeneracionPrefactura::grupos() const
{
    QVector<int16_t> lista;
    db::Recordset rs(conexion_, "SELECT Cod_Grupo FROM Reposicion_Grp WHERE Cod_Empresa ="
                                    + num(empresa_->CodigoEmpresa()));
    for (; !rs.eof(); rs.moveNext())
        lista.push_back(static_cast<int16_t>(rs.field(QStringLiteral("Cod_Grupo")).toInt()));
    return lista;
}

int16_t GeneracionPrefactura::umbralCajas() const
{
    db::Recordset rs(conexion_, "SELECT RepPorcentajeCajas FROM Almacenes WHERE Cod_Empresa ="
                                    + num(empresa_->CodigoEmpresa()) + " AND Codigo =" + num(destino));
    return rs.eof() ? 0 : static_cast<int16_t>(rs.field(QStringLiteral("RepPorcentajeCajas")).toInt());
}

QString GeneracionPrefactura::criterioGrupo(int16_t grupo) const
{
    QString sql = "SELECT * FROM Reposicion_Grp_Fam WHERE Cod_Empresa =" + num(empresa_->CodigoEmpresa());
    if (grupo != 0)
        sql += " AND Cod_Grupo =" + num(grupo);
    static const char* const kNiveles[4][2] = {{"Familia_1", " b.Familia_1="},
                                               {"Familia_2", " b.Familia_2="},
                                               {"Familia_3", " b.Familia_3="},
                                               {"Cod_Marca", " b.Marca="}};
    QString criterio;
    db::Recordset rs(conexion_, sql);
    for (; !rs.eof(); rs.moveNext()) {
        QString fila;
        for (const auto& nivel : kNiveles) {
            const int64_t valor = rs.field(QString::fromLatin1(nivel[0])).toInt64();
            if (valor > 0)
                fila += QString::fromLatin1(nivel[1]) + num(valor) + " AND ";
        }
        // A row with every level at 0 names no article; left in, it would break the statement.
        if (fila.isEmpty())
            continue;
        criterio += criterio.isEmpty() ? "(" : " OR (";
        fila.chop(5);
        criterio += fila + ")";
    }
    if (criterio.isEmpty())
        return {};
    return (grupo != 0 ? " AND (" : " AND NOT (") + criterio + ")";
}

QString GeneracionPrefactura::consultaCandidatos(const QString& criterio) const
{
    const QString empresa = num(empresa_->CodigoEmpresa());
    const QString empresaArt = num(empresa_->CodigoEmpresaArticulos());
    const QString orig = num(origen);
    const QString dest = num(destino);
    return "SELECT a.Cod_Articulo, a.Unidades, a.UnidadesVenta, a.UnidadesResto,"
           " b.UxCaja, b.UxFraccion, c.Stock_Actual, ISNULL(d.Unidades, 0) AS Stock_Reservado"
           " FROM Reposicion a"
           " INNER JOIN Articulos b"
           " ON a.Cod_Articulo = b.Codigo AND b.Cod_Empresa =" + empresaArt +
           " INNER JOIN Almacen_Articulos c"
           " ON a.Cod_Empresa = c.Cod_Empresa AND c.Cod_Almacen =" + orig +
           " AND a.Cod_Articulo = c.Cod_Articulo"
           " INNER JOIN Almacen_Articulos e"
           " ON a.Cod_Empresa = e.Cod_Empresa AND a.Cod_Almacen = e.Cod_Almacen"
           " AND a.Cod_Articulo = e.Cod_Articulo"
           " LEFT JOIN Reposicion_StockReservado d"
           " ON a.Cod_Empresa = d.Cod_Empresa AND d.Cod_Almacen =" + orig +
           " AND a.Cod_Articulo = d.Cod_Articulo"
           " WHERE a.Cod_Empresa =" + empresa + " AND a.Cod_Almacen =" + dest + " AND a.Codigo = 0"
           " AND a.Unidades > 0 AND b.TipoRep = 1"
           " AND e.Bloqueo = 0" + criterio;
}

EntradaEnvio GeneracionPrefactura::entrada(const db::Recordset& rs, int16_t umbral) const
{
    const int16_t fraccion = static_cast<int16_t>(rs.field(QStringLiteral("UxFraccion")).toInt());
    EntradaEnvio e;
    e.unidades = aplicarCantidad(rs.field(QStringLiteral("Unidades")).toMoney(), porcentaje);
    e.caja = fraccion > 0 ? fraccion : static_cast<int16_t>(rs.field(QStringLiteral("UxCaja")).toInt());
    e.umbral = umbral;
    e.stock = rs.field(QStringLiteral("Stock_Actual")).toMoney();
    e.reservado = rs.field(QStringLiteral("Stock_Reservado")).toMoney();
    return e;
}

void GeneracionPrefactura::solicitar(RepartoProporcional& reparto) const
{
    const int16_t umbral = umbralCajas();
    // Every pass of the run takes its articles from these rows: the groups and group 0 split
    // them without leaving any out.
    db::Recordset rs(conexion_, consultaCandidatos(QString()), db::CursorType::Static,
                     db::LockType::ReadOnly);
    for (; !rs.eof(); rs.moveNext()) {
        const int32_t articulo = rs.field(QStringLiteral("Cod_Articulo")).toInt();
        const EntradaEnvio e = entrada(rs, umbral);
        const bool modoCajas = e.umbral != 0 && e.caja != 0;
        reparto.solicitar(destino, articulo, solicitudEnvio(e), modoCajas ? e.caja : int16_t{0});
        reparto.stockLibre(articulo, e.stock - e.reservado);
    }
}

int64_t GeneracionPrefactura::generar(int16_t grupo)
{
    const QString empresa = num(empresa_->CodigoEmpresa());
    const QString empresaArt = num(empresa_->CodigoEmpresaArticulos());
    const QString dest = num(destino);

    clsAlmacen_Rep_PreF cabecera;
    clsAlmacen_Rep_PreF_Lineas linea;
    clsAlmacen_Rep acumulador;
    cabecera.cEmpresa(empresa_);
    cabecera.Conexion(conexion_);
    linea.cEmpresa(empresa_);
    linea.Conexion(conexion_);
    acumulador.cEmpresa(empresa_);
    acumulador.Conexion(conexion_);
    acumulador.Almacen = destino;

    const int16_t umbral = umbralCajas();
    Totales delPase;
    // The caps are used up only when the pass commits: a pass that fails gives them back.
    RepartoProporcional::Topes gastado;

    db::Transaction transaccion(conexion_);
    const QString criterio = criterioGrupo(grupo);
    db::Recordset rs(conexion_, consultaCandidatos(criterio),
                     db::CursorType::Static, db::LockType::ReadOnly);

    if (!rs.eof()) {
        cabecera.Almacen = origen;
        cabecera.AlmacenDestino = destino;
        cabecera.Observaciones.clear();
        cabecera.Insertar();
        linea.Almacen = cabecera.Almacen;
        linea.Codigo = cabecera.Codigo;
    }

    const int total = static_cast<int>(rs.recordCount());
    int hechos = 0;
    for (; !rs.eof(); rs.moveNext()) {
        const int32_t articulo = rs.field(QStringLiteral("Cod_Articulo")).toInt();
        const EntradaEnvio e = entrada(rs, umbral);
        DecisionEnvio d;
        const auto tope = topes_ ? topes_->constFind(articulo)
                                 : RepartoProporcional::Topes::const_iterator();
        if (topes_ && tope != topes_->cend()) {
            Money& usado = gastado[articulo];
            d = decidirEnvioConTope(e, *tope - usado);
            usado += d.enviar;
        } else {
            d = decidirEnvio(e);
        }

        if (d.enviar > Money()) {
            linea.Articulo = articulo;
            linea.Unidades = d.enviar;
            linea.UnidadesVenta = rs.field(QStringLiteral("UnidadesVenta")).toMoney();
            linea.UnidadesResto = rs.field(QStringLiteral("UnidadesResto")).toMoney();
            linea.UnidadesGeneradas = d.enviar;
            linea.Insertar();

            acumulador.Almacen = destino;
            acumulador.Articulo = articulo;
            acumulador.Unidades = -d.enviar;
            acumulador.UnidadesVenta = -d.enviar;
            acumulador.UnidadesResto = Money();
            acumulador.Modificar();

            acumulador.Almacen = origen;
            acumulador.Unidades = d.enviar;
            acumulador.Modificar_StockReservado();
            ++delPase.lineas;
            delPase.enviadas += d.enviar;
        }
        if (d.falta > Money()) {
            acumulador.Almacen = destino;
            acumulador.Articulo = articulo;
            acumulador.Unidades = d.falta;
            acumulador.Modificar_Faltas();
            delPase.faltas += d.falta;
        }
        if (progreso && (++hechos % 500 == 0))
            progreso(hechos, total);
    }
    rs.close();

    conexion_->execute("DELETE FROM Reposicion" " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen ="
                       + dest + " AND Codigo = 0 AND Unidades = 0");
    conexion_->execute("DELETE FROM Reposicion" " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen ="
                       + dest + " AND Cod_Articulo IN (SELECT Codigo FROM Articulos WHERE TipoRep = 0 "
                       " AND Cod_Empresa=" + empresaArt + ")");
    conexion_->execute("DELETE FROM Reposicion" " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen ="
                       + dest + " AND Cod_Articulo IN" " (SELECT Cod_Articulo FROM Almacen_Articulos"
                       " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen =" + dest
                       + " AND Bloqueo = 1)");
    if (grupo == 0) {
        conexion_->execute("UPDATE Reposicion SET UnidadesResto = Unidades, UnidadesVenta = 0"
                           " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen =" + dest);
    }
    transaccion.commit();

    for (auto it = gastado.cbegin(); it != gastado.cend(); ++it)
        (*topes_)[it.key()] -= it.value();
    totales_.lineas += delPase.lineas;
    totales_.enviadas += delPase.enviadas;
    totales_.faltas += delPase.faltas;
    return cabecera.Codigo;
}
