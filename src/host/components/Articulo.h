#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace host {

// The host's article record as the line editors ask for it: given the company, the connection
// and a code, Cargar() reads it from the article master (stored under the company's
// CodigoEmpresaArticulos) and says whether it exists. A database failure throws db::Error.
class Articulo {
public:
    void setEmpresa(std::shared_ptr<Empresa> empresa) { empresa_ = std::move(empresa); }
    void setConexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }

    int32_t Codigo = 0;

    // True when the article exists; otherwise the fields below are emptied.
    bool Cargar();
    bool encontrado() const { return encontrado_; }

    QString Descripcion() const { return descripcion_; }
    // Units in one box; 0 for an article sold loose.
    db::Money UxCaja() const { return uxCaja_; }
    db::Money UxFraccion() const { return uxFraccion_; }
    int16_t TipoRep() const { return tipoRep_; }

private:
    std::shared_ptr<Empresa> empresa_;
    db::ConnectionPtr conexion_;
    bool encontrado_ = false;
    QString descripcion_;
    db::Money uxCaja_;
    db::Money uxFraccion_;
    int16_t tipoRep_ = 0;
};

}  // namespace host
