#include "reposic/prefactura/TraspasoPrefactura.h"

#include "host/Reloj.h"
#include "host/components/Traspaso.h"
#include "host/components/TraspasoSalida.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "reposic/data/clsAlmacen_Rep_PreF.h"

#include <optional>
#include <stdexcept>

using db::Money;

TraspasoPrefactura::TraspasoPrefactura(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion,
                                       std::shared_ptr<host::Empresa> empresaContable,
                                       db::ConnectionPtr conexionContable)
    : empresa_(std::move(empresa)),
      conexion_(std::move(conexion)),
      empresaContable_(std::move(empresaContable)),
      conexionContable_(std::move(conexionContable))
{
}

TraspasoPrefactura::Documento TraspasoPrefactura::traspasar(int16_t origen, int16_t destino, int64_t codigo)
{
    // Without the accounting side the transfer would book nothing there: refuse before writing.
    if (!conexionContable_ || !conexionContable_->isOpen())
        throw std::runtime_error("No se ha recibido la conexión de contabilidad: la prefactura no se puede"
                                 " traspasar.");
    const QString empresa = QString::number(empresa_->CodigoEmpresa());
    const QString empresaArt = QString::number(empresa_->CodigoEmpresaArticulos());

    QString observaciones;
    {
        db::Recordset rs(conexion_, "SELECT Observaciones FROM Reposicion_Pref" " WHERE Cod_Empresa ="
                                        + empresa + " AND Cod_Almacen =" + QString::number(origen)
                                        + " AND Codigo =" + QString::number(codigo),
                         db::CursorType::Static, db::LockType::ReadOnly);
        if (!rs.eof())
            observaciones = rs.field(QStringLiteral("Observaciones")).toText();
    }

    // The accounting entry waits in the company database until the company side has committed
    // (host::ContabilidadPendiente): only the company connection holds a transaction here.
    std::optional<db::Transaction> transEmpresa(std::in_place, *conexion_);
    try {
        host::Traspaso doc;
        doc.setEmpresa(empresa_);
        doc.setEmpresaContable(empresaContable_);
        doc.setConexion(conexion_);
        doc.setConexionContable(conexionContable_);
        doc.Fecha = host::Reloj::hoy();
        doc.AlmacenOrigen = origen;
        doc.AlmacenDestino = destino;
        doc.Usuario = usuario;
        doc.MoverStock = true;
        doc.Observaciones = observaciones;
        doc.Codigo = doc.Numerar(true);
        doc.TipoValoracion = 0;
        doc.Recibido = 0;

        const QString docOrigen = QString::number(doc.AlmacenOrigen);
        const QString docDestino = QString::number(doc.AlmacenDestino);
        db::Recordset rs(conexion_,
            "SELECT a.Cod_Articulo, a.Unidades, ISNULL(b.PU_Compra, 0) AS Costo, c.UxCaja"
            " FROM Reposicion_Pref_Lineas a"
            " INNER JOIN Almacen_Articulos b"
            " ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Cod_Almacen"
            " AND a.Cod_Articulo = b.Cod_Articulo"
            " INNER JOIN Articulos c"
            " ON c.Cod_Empresa =" + empresaArt + " AND a.Cod_Articulo = c.Codigo"
            " WHERE a.Cod_Empresa =" + empresa + " AND a.Cod_Almacen =" + docOrigen
            + " AND a.Codigo =" + QString::number(codigo)
            + " ORDER BY c.Familia_1, c.Familia_2, c.Familia_3",
            db::CursorType::Static, db::LockType::ReadOnly);
        doc.setLineas(std::make_shared<host::TraspasoLineas>());
        // A pre-invoice of a large store has more lines than a 16-bit number counts.
        int32_t linea = 0;
        for (; !rs.eof(); rs.moveNext()) {
            ++linea;
            const Money unidades = rs.field(QStringLiteral("Unidades")).toMoney();
            const Money uxCaja = rs.field(QStringLiteral("UxCaja")).toMoney();
            const auto cajas = static_cast<int16_t>(
                uxCaja > Money() ? unidades.scaled() / uxCaja.scaled() : 0);
            doc.Lineas()->Add(rs.field(QStringLiteral("Cod_Articulo")).toInt(), QString(), linea, uxCaja,
                              cajas, unidades, Money(), rs.field(QStringLiteral("Costo")).toMoney());
            doc.Lineas()->Item(linea).Lotes = std::make_shared<host::TraspasoLineaLotes>();
            doc.Lineas()->Item(linea).SeriesOrigen = std::make_shared<host::TraspasoLineaSeries>();
            doc.Lineas()->Item(linea).SeriesDestino = std::make_shared<host::TraspasoLineaSeries>();
        }
        rs.close();
        if (linea > 0)
            doc.Guardar();

        const QString lineasPrefactura = " (SELECT Cod_Articulo FROM Reposicion_Pref_Lineas"
                                         " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen ="
                                         + docOrigen + " AND Codigo =" + QString::number(codigo) + ")";
        // Mod_Ficha first: it finds the articles by their block, which the next update lifts.
        conexion_->execute("UPDATE Articulos SET Mod_Ficha = 1" " WHERE Cod_Empresa =" + empresaArt
                           + " AND Codigo IN " + lineasPrefactura + " AND Codigo IN "
                           " (SELECT Cod_Articulo FROM Almacen_Articulos" " WHERE Cod_Empresa =" + empresa
                           + " AND Cod_Almacen =" + docDestino + " AND Bloqueo = 1)");
        conexion_->execute("UPDATE Almacen_Articulos SET Bloqueo = 0" " WHERE Cod_Empresa =" + empresa
                           + " AND Cod_Almacen =" + docDestino + " AND Bloqueo = 1"
                           " AND Cod_Articulo IN " + lineasPrefactura);

        clsAlmacen_Rep_PreF cabecera;
        cabecera.cEmpresa(empresa_);
        cabecera.Conexion(conexion_);
        cabecera.Codigo = codigo;
        cabecera.Almacen = origen;
        cabecera.Eliminar();
        cabecera.Eliminar_Lineas();

        transEmpresa->commit();
        Documento hecho{doc.AlmacenOrigen, doc.Fecha, doc.Codigo, linea, {}};
        // Committed: a failure to book now leaves the entry pending for the next replay. Inside a
        // caller's transaction nothing is committed yet, so the entry waits for the replay too.
        if (linea > 0 && conexion_->transactionDepth() == 0) {
            try {
                doc.Asentar();
            } catch (const std::exception& e) {
                hecho.errorContable = QString::fromUtf8(e.what());
            }
        }
        return hecho;
    } catch (...) {
        transEmpresa.reset();
        throw;
    }
}

void TraspasoPrefactura::imprimir(const Documento& documento)
{
    host::TraspasoSalida salida;
    salida.setConexion(conexion_);
    salida.setEmpresa(empresa_);
    salida.AlmacenOrigen = documento.origen;
    salida.Fecha = documento.fecha;
    salida.Codigo = documento.codigo;
    salida.Imprimir = true;
    salida.Modelo = 3;
    salida.Destino = 2;
    salida.Ejecutar(1, nullptr);
}
