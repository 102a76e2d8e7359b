#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"
#include "reposic/prefactura/RepartoProporcional.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace db {
class Recordset;
}
struct EntradaEnvio;

// One generation pass: the pending units of one store for one replenishment group become one
// pre-invoice from the origin, limited by the origin's free stock, in one transaction. The
// screen and the batch command both run it; a failing pass leaves nothing behind and throws.
class GeneracionPrefactura {
public:
    struct Totales {
        int lineas = 0;
        db::Money enviadas;
        db::Money faltas;
    };

    GeneracionPrefactura(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion);

    int16_t origen = 0;
    int16_t destino = 0;
    int porcentaje = 100;  // share of the pending units: 25, 50, 75 or 100
    // Called every few hundred articles so a screen can keep its progress message alive.
    std::function<void(int hechos, int total)> progreso;

    // Replenishment groups of the company, in the order the database returns them.
    QVector<int16_t> grupos() const;
    // Runs the pass for a group (0: articles of no group, and the leftover conversion). Answers
    // the pre-invoice code, 0 when the store had nothing pending for the group.
    int64_t generar(int16_t grupo);
    // What the passes run so far sent and found short.
    const Totales& totales() const { return totales_; }

    // For sharing scarce stock across the stores of a run: adds what this store would receive of
    // each candidate article with unlimited stock, and the origin's free stock of the article.
    void solicitar(RepartoProporcional& reparto) const;
    // From now on the articles named here send at most their cap over all the passes of this
    // object; the rest of each request is recorded short. Articles not named go as always.
    void limitar(RepartoProporcional::Topes topes) { topes_ = std::move(topes); }

    // " AND (...)" for a group, " AND NOT (...)" for group 0, "" when there are no rows.
    QString criterioGrupo(int16_t grupo) const;

private:
    int16_t umbralCajas() const;
    QString consultaCandidatos(const QString& criterio) const;
    EntradaEnvio entrada(const db::Recordset& rs, int16_t umbral) const;

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
    Totales totales_;
    std::optional<RepartoProporcional::Topes> topes_;  // what is left of each cap
};
