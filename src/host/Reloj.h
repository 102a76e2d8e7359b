#pragma once

#include <QDate>
#include <QDateTime>

namespace host {

// The one source of "today" and "now" for the module: the pre-invoice counter runs per calendar
// year of today, so tests fix the clock instead of depending on the day they run.
// Process-wide; used from the user-interface thread only.
class Reloj {
public:
    static QDate hoy();
    static QDateTime ahora();
    static int anioActual() { return hoy().year(); }

    // Stops the clock at `momento` until liberar(); an invalid value releases it.
    static void fijar(const QDateTime& momento);
    static void fijar(const QDate& dia) { fijar(QDateTime(dia, QTime(0, 0))); }
    static void liberar();
    static bool fijado();

    // Fixes the clock for one scope (a test) and releases it on the way out.
    class Fijado {
    public:
        explicit Fijado(const QDateTime& momento) { Reloj::fijar(momento); }
        explicit Fijado(const QDate& dia) { Reloj::fijar(dia); }
        ~Fijado() { Reloj::liberar(); }
        Fijado(const Fijado&) = delete;
        Fijado& operator=(const Fijado&) = delete;
    };
};

}  // namespace host
