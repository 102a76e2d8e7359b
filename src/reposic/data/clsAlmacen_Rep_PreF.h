#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <memory>

// A pre-invoice header and its yearly numbering per origin warehouse. Codes are 64-bit: a
// three-digit warehouse gives a ten-digit code. The caller owns the transaction.
class clsAlmacen_Rep_PreF {
public:
    int16_t Almacen = 0;
    int64_t Codigo = 0;
    QDate Fecha;
    int16_t AlmacenDestino = 0;
    QString Observaciones;

    void cEmpresa(std::shared_ptr<host::Empresa> empresa) { empresa_ = std::move(empresa); }
    void Conexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }

    int64_t Dev_Codigo();
    void Insertar();
    void Anular();
    void Eliminar();
    void Modificar();
    void Eliminar_Lineas();

    // First code of a year for a warehouse: yy, the warehouse with at least two digits, 00001.
    static int64_t PrimerCodigo(const QDate& hoy, int16_t almacen);

private:
    QString clave() const;

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};
