#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "reposic/prefactura/RepartoProporcional.h"

#include <QString>
#include <QTextStream>
#include <QVector>

#include <memory>

// The nightly run of pre-invoice generation: for each store, every group's pass and then group
// 0's, each pre-invoice printed or saved as PDF as it is committed, one summary line per store.
// A failed pass is reported and the run goes on, as on the screen.
class GeneracionNocturna {
public:
    struct Opciones {
        int16_t origen = 0;
        QVector<int16_t> destinos;  // empty: every warehouse of the company but the origin
        int porcentaje = 100;
        QString impresora;
        QString carpetaPdf;
        bool faltas = true;
        bool imprimir = false;
        // Scarce origin stock shared out in proportion to each store's request, instead of
        // serving the stores in turn.
        bool proporcional = false;
    };

    GeneracionNocturna(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion,
                       QTextStream& salida, QTextStream& errores);
    // Answers the number of passes that failed.
    int ejecutar(const Opciones& opciones);

private:
    QVector<int16_t> todosLosDestinos(int16_t origen) const;
    int generarTienda(const Opciones& o, int16_t destino);
    void repartir(const Opciones& o, const QVector<int16_t>& destinos);

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
    QTextStream& salida_;
    QTextStream& errores_;
    QHash<int16_t, RepartoProporcional::Topes> topes_;  // by store, with --reparto proporcional
};
