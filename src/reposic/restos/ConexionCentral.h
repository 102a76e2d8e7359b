#pragma once

#include "platform/db/Connection.h"

#include <QString>

// The connection a store's screens open to the central office's database ("Calbra"), with the
// database login the host gave the module. Servers that answer slowly must not freeze the screen
// for long: both time-outs are 5 seconds.
class ConexionCentral {
public:
    ConexionCentral() = delete;

    static constexpr int kPuerto = 1433;
    static constexpr int kEspera = 5;

    static QString cadena(const QString& servidor);
    // A connection with the short time-outs, not yet open.
    static db::ConnectionPtr crear();
};
