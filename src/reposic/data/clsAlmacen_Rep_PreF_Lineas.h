#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <cstdint>
#include <memory>

// One line of a pre-invoice: the units sent and how they split into sales and leftovers, plus
// the units generation put on it. The caller owns the transaction.
class clsAlmacen_Rep_PreF_Lineas {
public:
    int16_t Almacen = 0;
    int64_t Codigo = 0;
    int32_t Articulo = 0;
    db::Money Unidades;
    db::Money UnidadesVenta;
    db::Money UnidadesResto;
    db::Money UnidadesGeneradas;

    void cEmpresa(std::shared_ptr<host::Empresa> empresa) { empresa_ = std::move(empresa); }
    void Conexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }

    void Insertar();
    // Replaces the stored units; creates the line when the pre-invoice does not have it yet.
    void Modificar();
    void Eliminar();
    // Reads the stored units; an article not on the pre-invoice leaves the properties as they are.
    void Cargar();

private:
    QString clave() const;

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};
