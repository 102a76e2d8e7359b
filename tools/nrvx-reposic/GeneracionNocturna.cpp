#include "GeneracionNocturna.h"

#include "HistorialEjecuciones.h"
#include "PuntoGuardado.h"
#include "Registro.h"

#include "host/Utilidades.h"
#include "reposic/prefactura/GeneracionPrefactura.h"
#include "reposic/prefactura/ImpresionPrefactura.h"

#include <QElapsedTimer>

#include <optional>

GeneracionNocturna::GeneracionNocturna(std::shared_ptr<host::Empresa> empresa,
                                       db::ConnectionPtr conexion, Registro& registro,
                                       HistorialEjecuciones* historial)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion)), registro_(registro),
      historial_(historial)
{
}

ResumenTienda GeneracionNocturna::ejecutar(const Opciones& o)
{
    if (o.proporcional)
        repartir(o);
    ResumenTienda total;
    for (int i = 0; i < o.destinos.size(); ++i)
        total += generarTienda(o, o.destinos[i], i + 1, static_cast<int>(o.destinos.size()));
    return total;
}

// Reads every store's requests before anything is written, so the shares of an article do not
// depend on which store is served first.
void GeneracionNocturna::repartir(const Opciones& o)
{
    RepartoProporcional reparto;
    for (int16_t destino : o.destinos) {
        GeneracionPrefactura pase(empresa_, conexion_);
        pase.origen = o.origen;
        pase.destino = destino;
        pase.porcentaje = o.porcentaje;
        pase.solicitar(reparto);
    }
    topes_ = reparto.repartir();
}

int64_t GeneracionNocturna::generarPase(GeneracionPrefactura& pase, const Opciones& o,
                                        int16_t grupo)
{
    if (!o.simular)
        return pase.generar(grupo);
    PuntoGuardado punto(conexion_, QStringLiteral("nrvx_pase_%1").arg(++savepoints_));
    const int64_t codigo = pase.generar(grupo);
    punto.liberar();
    return codigo;
}

bool GeneracionNocturna::imprimir(const Opciones& o, int16_t destino, int64_t codigo)
{
    try {
        ImpresionPrefactura impresion;
        impresion.impresora = o.impresora;
        impresion.carpetaPdf = o.carpetaPdf;
        impresion.controlStock = o.faltas;
        if (o.simular) {
            impresion.conexion = conexion_;
            impresion.prefijoTitulo = QStringLiteral("SIMULACIÓN ");
        }
        impresion.imprimir(o.origen, codigo, destino,
                           QStringLiteral("Almacén: %1  Proveedor: TODOS  ").arg(destino));
        return true;
    } catch (const std::exception& e) {
        // The pre-invoice is committed; only its paper is missing.
        registro_.error(QStringLiteral("Almacén %1, prefactura %2: %3")
                            .arg(destino)
                            .arg(codigo)
                            .arg(QString::fromUtf8(e.what())));
        return false;
    }
}

ResumenTienda GeneracionNocturna::generarTienda(const Opciones& o, int16_t destino, int indice,
                                                int total)
{
    QElapsedTimer reloj;
    reloj.start();
    const QDateTime inicio = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
    ResumenTienda r;
    r.destino = destino;
    GeneracionPrefactura pase(empresa_, conexion_);
    pase.origen = o.origen;
    pase.destino = destino;
    pase.porcentaje = o.porcentaje;
    if (o.proporcional)
        pase.limitar(topes_.value(destino));
    pase.progreso = [&](int hechos, int articulos) {
        registro_.progreso(QStringLiteral("Almacén %1 de %2 (%3): %4 de %5 artículos")
                               .arg(indice)
                               .arg(total)
                               .arg(destino)
                               .arg(hechos)
                               .arg(articulos));
    };
    registro_.progreso(QStringLiteral("Almacén %1 de %2 (%3)").arg(indice).arg(total).arg(destino));
    QVector<int16_t> grupos = pase.grupos();
    grupos << 0;
    for (int16_t grupo : grupos) {
        int64_t codigo = 0;
        try {
            codigo = generarPase(pase, o, grupo);
        } catch (const std::exception& e) {
            ++r.fallos;
            registro_.error(QStringLiteral("Almacén %1, grupo %2: %3")
                                .arg(destino)
                                .arg(grupo)
                                .arg(QString::fromUtf8(e.what())));
            continue;
        }
        if (codigo <= 0)
            continue;
        ++r.prefacturas;
        if (o.imprimir && !imprimir(o, destino, codigo))
            ++r.fallos;
    }
    const auto& t = pase.totales();
    r.lineas = t.lineas;
    r.enviadas = t.enviadas;
    r.faltas = t.faltas;
    r.segundos = static_cast<double>(reloj.elapsed()) / 1000.0;
    QString linea = QStringLiteral("Almacén %1: %2 prefacturas, %3 líneas, %4 unidades enviadas,"
                                   " %5 unidades en falta, %6 s")
                        .arg(destino)
                        .arg(r.prefacturas)
                        .arg(r.lineas)
                        .arg(host::NumeroTexto(r.enviadas, 2), host::NumeroTexto(r.faltas, 2),
                             host::NumeroTexto(r.segundos, 1));
    if (o.proporcional)
        linea += QStringLiteral(", %1 artículos repartidos").arg(topes_.value(destino).size());
    registro_.info(linea);
    if (historial_) {
        try {
            historial_->tienda(r, inicio);
        } catch (const std::exception& e) {
            registro_.error(QStringLiteral("Almacén %1: no se pudo anotar en el historial: %2")
                                .arg(destino)
                                .arg(QString::fromUtf8(e.what())));
        }
    }
    return r;
}
