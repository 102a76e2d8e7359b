#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

namespace host {

// The host's object for the current company: what the module asks of it, nothing more.
// The module keeps it by shared_ptr and reads every member afresh at each use, so a host that
// switches company sees the change in the next statement built. Parametro throws
// host::ParametroError for a name the host does not know, as the host's own call fails.
class Empresa {
public:
    virtual ~Empresa() = default;

    virtual int16_t CodigoEmpresa() const = 0;
    // Name the company gives to family level `nivel` (0 first); empty when the level is unused.
    virtual QString NombreNivel(int nivel) const = 0;
    virtual QString NombreEmpresa() const = 0;
    virtual int16_t CodigoEmpresaArticulos() const = 0;
    virtual int16_t CodigoEmpresaProveedores() const = 0;
    virtual int16_t AlmacenDefecto() const = 0;
    virtual int16_t DecimalesPvp() const = 0;
    // Folder that holds the report files (its "Rpt" subfolder).
    virtual QString RutaAplicacion() const = 0;
    virtual QVariant Parametro(const QString& nombre) const = 0;
};

}  // namespace host
