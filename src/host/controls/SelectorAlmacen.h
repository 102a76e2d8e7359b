#pragma once

#include "host/controls/SelectorBase.h"

#include <cstdint>

namespace host {

// Warehouse picker: a warehouse of the current company (`Almacenes` by CodigoEmpresa).
// A code that is not a whole number in range, or that names no warehouse, leaves the picker
// invalid with an empty name; codigo() then answers the number typed (0 when there is none).
class SelectorAlmacen : public SelectorBase {
    Q_OBJECT

public:
    explicit SelectorAlmacen(QWidget* parent = nullptr);

    int16_t codigo();
    // Sets the code (0 empties the picker) and looks it up when the context is there.
    void setCodigo(int16_t codigo);

protected:
    bool avanzaConIntro() const override { return true; }
    std::optional<Encontrado> buscar(const QString& texto) override;
    QString tituloLista() const override;
    QString consultaLista(const QString& filtro) const override;
};

}  // namespace host
