#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;

namespace host {

// Family range selector: from and to codes for each of the three family levels
// (`txtFamilia1D`, `txtFamilia1H`, ... `txtFamilia3H`). An empty "from" is 0 and an empty "to"
// is 32767, so untouched bounds take every family. Rows of levels the company does not name
// (NombreNivel empty) are hidden and keep the full range.
class SelectorRangoFamilias : public QWidget {
    Q_OBJECT

public:
    static constexpr int16_t kMinimo = 0;
    static constexpr int16_t kMaximo = 32767;

    explicit SelectorRangoFamilias(QWidget* parent = nullptr);

    // Labels the rows with the company's level names; the connection is kept for the screens'
    // sake (the bounds are plain codes, looked up by the report).
    void setEmpresa(std::shared_ptr<Empresa> empresa);
    std::shared_ptr<Empresa> empresa() const { return empresa_; }
    void setConexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }
    db::ConnectionPtr conexion() const { return conexion_; }

    int16_t familia1Desde() const { return limite(0); }
    int16_t familia1Hasta() const { return limite(1); }
    int16_t familia2Desde() const { return limite(2); }
    int16_t familia2Hasta() const { return limite(3); }
    int16_t familia3Desde() const { return limite(4); }
    int16_t familia3Hasta() const { return limite(5); }
    // The six bounds in the order above (1 from, 1 to, 2 from, 2 to, 3 from, 3 to).
    std::array<int16_t, 6> limites() const;
    // Sets bound i (0..5 in the order above); throws std::out_of_range for another index.
    void setLimite(int indice, int16_t valor);
    void reiniciar();

    // The range in words for report headings: "Familias: TODAS" or one part per level limited.
    QString descripcion() const;
    // False when some level's "from" is above its "to" (the range would take nothing).
    bool valido() const;

signals:
    void cambio();

private:
    int16_t limite(int indice) const;
    QString nombreNivel(int nivel) const;

    std::shared_ptr<Empresa> empresa_;
    db::ConnectionPtr conexion_;
    std::array<QLabel*, 3> etiquetas_{};
    std::array<QLineEdit*, 6> limites_{};
};

}  // namespace host
