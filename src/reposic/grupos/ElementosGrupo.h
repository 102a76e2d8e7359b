#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QString>
#include <QVector>

#include <array>
#include <cstdint>
#include <memory>

namespace reposic {

// The families and brands that make up one replenishment group. Each element is a family path
// and a brand; 0 at a position means "any", so generation takes every article that matches one
// element.
class ElementosGrupo {
public:
    struct Elemento {
        std::array<int32_t, 3> familia{};  // first, second and third level
        int32_t marca = 0;
        std::array<QString, 3> nombreFamilia;
        QString nombreMarca;
    };

    ElementosGrupo(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion, int16_t grupo);

    // With the names of the article master, in the order of the family path.
    QVector<Elemento> elementos() const;
    void agregar(const Elemento& e);
    void eliminar(const Elemento& e);

private:
    QString empresa() const;

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
    int16_t grupo_;
};

}  // namespace reposic
