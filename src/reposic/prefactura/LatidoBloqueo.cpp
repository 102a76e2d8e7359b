#include "reposic/prefactura/LatidoBloqueo.h"

#include "platform/db/Connection.h"
#include "platform/db/SqlText.h"

#include <QDateTime>

#include <atomic>
#include <exception>

namespace {

std::atomic<long long> intervaloMs{30000};

}  // namespace

LatidoBloqueo::LatidoBloqueo(QString cadenaConexion, QString actualizacion)
    : cadena_(std::move(cadenaConexion)), actualizacion_(std::move(actualizacion))
{
    hilo_ = std::thread([this] { bucle(); });
}

LatidoBloqueo::~LatidoBloqueo()
{
    {
        std::lock_guard<std::mutex> l(mutex_);
        terminar_ = true;
    }
    parar_.notify_all();
    hilo_.join();
}

std::chrono::milliseconds LatidoBloqueo::intervalo()
{
    return std::chrono::milliseconds(intervaloMs.load());
}

void LatidoBloqueo::setIntervalo(std::chrono::milliseconds intervalo)
{
    intervaloMs = intervalo.count();
}

void LatidoBloqueo::bucle()
{
    db::ConnectionPtr conexion;
    std::unique_lock<std::mutex> l(mutex_);
    for (;;) {
        if (parar_.wait_for(l, intervalo(), [this] { return terminar_; }))
            break;
        l.unlock();
        try {
            if (!conexion)
                conexion = db::Connection::openShared(cadena_);
            const QString ahora = QDateTime::currentDateTime().toString(Qt::ISODate);
            conexion->execute(QString(actualizacion_).replace(QStringLiteral("{latido}"),
                                                              db::sqlText(ahora)));
        } catch (const std::exception&) {
            // Busy or unreachable for now: the next beat tries again, and five minutes of
            // silence are what another workstation waits before taking over.
            conexion.reset();
        }
        l.lock();
    }
}
