#pragma once

#include "platform/db/Connection.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class LatidoBloqueo;

// Who runs a generation for an origin.
struct TitularBloqueo {
    QString usuario;
    QString equipo;
    qint64 pid = 0;
    QDateTime inicio;
    QDateTime latido;

    // "La generación del almacén N está en curso en EQUIPO desde HH:MM (usuario U)."
    QString mensaje(int16_t origen) const;
};

// One generation per company and origin at a time, across processes and workstations: a row of
// Reposicion_Bloqueo written in its own transaction, whose heartbeat the holder renews while it
// runs. Two overlapping runs would both count the same pending units and leave empty pre-invoices
// and doubled shortages. A holder that died leaves its row behind; it is taken over when, on this
// workstation, its process is gone, or, on another one, its heartbeat is older than five minutes.
// The destructor releases a lock still held.
class BloqueoGeneracion {
public:
    BloqueoGeneracion(db::ConnectionPtr conexion, int16_t empresa, int16_t origen);
    ~BloqueoGeneracion();
    BloqueoGeneracion(const BloqueoGeneracion&) = delete;
    BloqueoGeneracion& operator=(const BloqueoGeneracion&) = delete;

    // Takes the lock for this process; answers the live holder when another run has it.
    std::optional<TitularBloqueo> tomar(const QString& usuario);
    void liberar();
    bool tomado() const { return tomado_; }

    // The live holder of an origin's lock, if any (a dead holder's row does not count).
    static std::optional<TitularBloqueo> titular(const db::ConnectionPtr& conexion,
                                                 int16_t empresa, int16_t origen);
    static bool muerto(const TitularBloqueo& t, const QDateTime& ahora);
    static QString equipoLocal();
    static QString usuarioLocal();

private:
    static std::optional<TitularBloqueo> leer(const db::ConnectionPtr& conexion, int16_t empresa,
                                              int16_t origen);
    bool intentar(const QString& usuario, std::optional<TitularBloqueo>& vivo);
    QString clave() const;
    QString delTitular() const;

    db::ConnectionPtr conexion_;
    int16_t empresa_;
    int16_t origen_;
    bool tomado_ = false;
    QDateTime inicio_;
    std::unique_ptr<LatidoBloqueo> latido_;
};
