#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace host {

// The host's operation log: who did what to which document, and when. Each Grabar() writes one
// row of Log_Operaciones with the current date and time, inside the caller's transaction when
// there is one, so an operation that rolls back leaves no trace of having happened.
class LogOperaciones {
public:
    void setConexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }
    void setEmpresa(std::shared_ptr<Empresa> empresa) { empresa_ = std::move(empresa); }

    int16_t Usuario = 0;
    int16_t TipoDocumento = 0;
    int16_t Operacion = 0;
    int64_t Cod_Documento = 0;
    QString Comentario;

    void Grabar();

private:
    db::ConnectionPtr conexion_;
    std::shared_ptr<Empresa> empresa_;
};

}  // namespace host
