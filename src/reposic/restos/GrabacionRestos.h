#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QDate>
#include <QString>
#include <QVector>

#include <cstdint>
#include <memory>

// A leftovers document: its numbering and its recording. Recording stores header and lines,
// adds every line's units to the warehouse's pending replenishment (as units and as leftovers)
// and clears the scratch copy, in one transaction; a failure leaves nothing of it and throws.
class GrabacionRestos {
public:
    struct Linea {
        int32_t articulo = 0;
        db::Money unidades;  // exactly as typed, not as the grid rounds them for display
        QString concepto;
    };

    GrabacionRestos(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion);

    // Numbers run per company, year of the document date and warehouse; the first of a year is
    // yy + warehouse ("00") + "5000" at the central office or "0000" elsewhere, plus 1. With
    // reservar false nothing is written: the screen only shows the estimate.
    static int64_t PrimerCodigo(const QDate& fecha, int16_t almacen, bool oficinaCentral);
    int64_t ObtenerCodigo(const QDate& fecha, int16_t almacen, bool oficinaCentral, bool reservar);

    // Records document `codigo` (already reserved) and clears the scratch rows of `puesto`.
    void grabar(int64_t codigo, const QDate& fecha, int16_t almacen, const QVector<Linea>& lineas,
                int32_t puesto);

private:
    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};
