#pragma once

#include "host/controls/SelectorBase.h"

#include <cstdint>

namespace host {

// Family picker for one level (1 to 3) of the article master's families (`Familias_1/2/3` by
// CodigoEmpresaArticulos). A second-level family is only known under its first-level family,
// and a third under both: the screen hands the upper codes (usually on activando()), and with
// an upper code 0 the lower levels find and list nothing.
class SelectorFamilia : public SelectorBase {
    Q_OBJECT

public:
    explicit SelectorFamilia(QWidget* parent = nullptr);

    int16_t nivel() const { return nivel_; }
    // Throws std::out_of_range outside 1..3.
    void setNivel(int16_t nivel);
    int32_t familia1() const { return familia1_; }
    void setFamilia1(int32_t codigo);
    int32_t familia2() const { return familia2_; }
    void setFamilia2(int32_t codigo);

    // The family chosen, or the number typed when it names nothing (0 when there is none).
    int32_t codigo();
    void setCodigo(int32_t codigo);

    // Availability: whether the user may choose a family here.
    bool disponible() const { return editable(); }
    void setDisponible(bool disponible) { setEditable(disponible); }

protected:
    std::optional<Encontrado> buscar(const QString& texto) override;
    QString tituloLista() const override;
    QString consultaLista(const QString& filtro) const override;

private:
    QString tabla() const;
    // The conditions on the upper levels for this level ("" at level 1).
    QString condicionSuperior() const;
    void superiorCambiado();

    int16_t nivel_ = 1;
    int32_t familia1_ = 0;
    int32_t familia2_ = 0;
};

}  // namespace host
