#pragma once

#include "ResumenTienda.h"

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "reposic/prefactura/RepartoProporcional.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>

#include <memory>

class GeneracionPrefactura;
class HistorialEjecuciones;
class Registro;

// The nightly run of pre-invoice generation: for each store, every group's pass and then group
// 0's, each pre-invoice printed or saved as PDF as it is committed, one line per store in the
// log. A failed pass is reported and the run goes on, as on the screen. A simulated run keeps
// every pass inside one transaction that the caller rolls back; its reports read through the
// run's own connection, so they show what would have been generated.
class GeneracionNocturna {
public:
    struct Opciones {
        int16_t origen = 0;
        QVector<int16_t> destinos;
        int porcentaje = 100;
        QString impresora;
        QString carpetaPdf;  // the folder of this run's day
        bool faltas = true;
        bool imprimir = false;
        bool simular = false;
        // Scarce origin stock shared out in proportion to each store's request, instead of
        // serving the stores in turn.
        bool proporcional = false;
    };

    GeneracionNocturna(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion,
                       Registro& registro, HistorialEjecuciones* historial);
    ResumenTienda ejecutar(const Opciones& opciones);

private:
    ResumenTienda generarTienda(const Opciones& o, int16_t destino, int indice, int total);
    int64_t generarPase(GeneracionPrefactura& pase, const Opciones& o, int16_t grupo);
    bool imprimir(const Opciones& o, int16_t destino, int64_t codigo);
    void repartir(const Opciones& o);

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
    Registro& registro_;
    HistorialEjecuciones* historial_;
    int savepoints_ = 0;
    QHash<int16_t, RepartoProporcional::Topes> topes_;  // by store, with --reparto proporcional
};
