#pragma once

#include "host/controls/SelectorBase.h"

#include <cstdint>

namespace host {

// Supplier picker: a supplier of `Proveedores` under CodigoEmpresaProveedores.
class SelectorProveedor : public SelectorBase {
    Q_OBJECT

public:
    explicit SelectorProveedor(QWidget* parent = nullptr);

    // The code found, or the number typed when it names nothing (0 when there is none).
    int32_t codigo();
    void setCodigo(int32_t codigo);

protected:
    std::optional<Encontrado> buscar(const QString& texto) override;
    QString tituloLista() const override;
    QString consultaLista(const QString& filtro) const override;
};

}  // namespace host
