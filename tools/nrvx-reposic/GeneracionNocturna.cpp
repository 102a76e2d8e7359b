#include "GeneracionNocturna.h"

#include "host/Utilidades.h"
#include "platform/db/Recordset.h"
#include "reposic/prefactura/GeneracionPrefactura.h"
#include "reposic/prefactura/ImpresionPrefactura.h"

GeneracionNocturna::GeneracionNocturna(std::shared_ptr<host::Empresa> empresa,
                                       db::ConnectionPtr conexion, QTextStream& salida,
                                       QTextStream& errores)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion)), salida_(salida), errores_(errores)
{
}

QVector<int16_t> GeneracionNocturna::todosLosDestinos(int16_t origen) const
{
    QVector<int16_t> lista;
    db::Recordset rs(conexion_, QStringLiteral("SELECT Codigo FROM Almacenes WHERE Cod_Empresa =%1"
                                               " AND Codigo <> %2 ORDER BY Codigo")
                                    .arg(empresa_->CodigoEmpresa()).arg(origen));
    for (; !rs.eof(); rs.moveNext())
        lista << static_cast<int16_t>(rs.field(QStringLiteral("Codigo")).toInt());
    return lista;
}

int GeneracionNocturna::ejecutar(const Opciones& o)
{
    const QVector<int16_t> destinos = o.destinos.isEmpty() ? todosLosDestinos(o.origen) : o.destinos;
    int fallos = 0;
    if (o.proporcional)
        repartir(o, destinos);
    for (int16_t destino : destinos)
        fallos += generarTienda(o, destino);
    return fallos;
}

// Reads every store's requests before anything is written, so the shares of an article do not
// depend on which store is served first.
void GeneracionNocturna::repartir(const Opciones& o, const QVector<int16_t>& destinos)
{
    RepartoProporcional reparto;
    QVector<int16_t> vistos;
    for (int16_t destino : destinos) {
        if (vistos.contains(destino))
            continue;
        vistos << destino;
        GeneracionPrefactura pase(empresa_, conexion_);
        pase.origen = o.origen;
        pase.destino = destino;
        pase.porcentaje = o.porcentaje;
        pase.solicitar(reparto);
    }
    topes_ = reparto.repartir();
}

int GeneracionNocturna::generarTienda(const Opciones& o, int16_t destino)
{
    GeneracionPrefactura pase(empresa_, conexion_);
    pase.origen = o.origen;
    pase.destino = destino;
    pase.porcentaje = o.porcentaje;
    if (o.proporcional)
        pase.limitar(topes_.value(destino));
    int fallos = 0;
    int prefacturas = 0;
    QVector<int16_t> grupos = pase.grupos();
    grupos << 0;
    const QString criterio = QStringLiteral("Almacén: %1  Proveedor: TODOS  ").arg(destino);
    for (int16_t grupo : grupos) {
        int64_t codigo = 0;
        try {
            codigo = pase.generar(grupo);
        } catch (const std::exception& e) {
            ++fallos;
            errores_ << "Almacén " << destino << ", grupo " << grupo << ": " << e.what() << Qt::endl;
            continue;
        }
        if (codigo <= 0)
            continue;
        ++prefacturas;
        if (!o.imprimir)
            continue;
        try {
            ImpresionPrefactura impresion;
            impresion.impresora = o.impresora;
            impresion.carpetaPdf = o.carpetaPdf;
            impresion.controlStock = o.faltas;
            impresion.imprimir(o.origen, codigo, destino, criterio);
        } catch (const std::exception& e) {
            // The pre-invoice is committed; only its paper is missing.
            ++fallos;
            errores_ << "Almacén " << destino << ", prefactura " << codigo << ": " << e.what() << Qt::endl;
        }
    }
    const auto& t = pase.totales();
    salida_ << "Almacén " << destino << ": " << prefacturas << " prefacturas, " << t.lineas
            << " líneas, " << host::NumeroTexto(t.enviadas, 2) << " unidades enviadas, "
            << host::NumeroTexto(t.faltas, 2) << " unidades en falta";
    if (o.proporcional)
        salida_ << ", " << topes_.value(destino).size() << " artículos repartidos";
    salida_ << Qt::endl;
    return fallos;
}
