#pragma once

#include "host/controls/SelectorBase.h"

#include <cstdint>

namespace host {

// Brand picker: brands (`Marcas`) are shared by every company, so it needs only the connection.
class SelectorMarca : public SelectorBase {
    Q_OBJECT

public:
    explicit SelectorMarca(QWidget* parent = nullptr);

    int32_t codigo();
    void setCodigo(int32_t codigo);

protected:
    std::optional<Encontrado> buscar(const QString& texto) override;
    QString tituloLista() const override;
    QString consultaLista(const QString& filtro) const override;
    bool contextoListo() const override { return conexion() != nullptr; }
};

}  // namespace host
