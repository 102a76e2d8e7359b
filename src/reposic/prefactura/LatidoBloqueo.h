#pragma once

#include <QString>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

// Renews the heartbeat of a held generation lock from a thread of its own, on a connection of
// its own: the run's connection is busy inside long passes, and a workstation that sees the
// heartbeat stop for five minutes takes the lock over. A renewal that fails (the database busy
// with the run's own pass) is tried again at the next beat.
class LatidoBloqueo {
public:
    LatidoBloqueo(QString cadenaConexion, QString actualizacion);
    ~LatidoBloqueo();  // stops and joins the thread
    LatidoBloqueo(const LatidoBloqueo&) = delete;
    LatidoBloqueo& operator=(const LatidoBloqueo&) = delete;

    static std::chrono::milliseconds intervalo();
    // Tests shorten the beat; the program keeps 30 seconds.
    static void setIntervalo(std::chrono::milliseconds intervalo);

private:
    void bucle();

    QString cadena_;
    QString actualizacion_;  // the UPDATE of the holder's row; {latido} stands for the time
    std::mutex mutex_;
    std::condition_variable parar_;
    bool terminar_ = false;
    std::thread hilo_;
};
