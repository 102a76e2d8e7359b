#pragma once

#include "ResumenTienda.h"

#include "platform/db/Connection.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTextStream>

// The runs of nightly generation kept in Reposicion_Ejecuciones: a row for the whole run
// (Cod_AlmacenD = 0), written at the start and closed at the end, so a run that never ended is
// seen as such; and one row per store once it is done. Each write commits on its own: the
// history must survive a store whose pass failed.
class HistorialEjecuciones {
public:
    HistorialEjecuciones(db::ConnectionPtr conexion, int16_t empresa, int16_t origen);

    void empezar(const QString& opciones, const QString& usuario, const QString& equipo);
    void tienda(const ResumenTienda& r, const QDateTime& inicio);
    void terminar(const ResumenTienda& total, int codigoSalida);

    // True when the last run of this origin started and never closed its row.
    bool ultimaSinTerminar() const;

    // Prints the runs since a date (every run when invalid), oldest first. Answers the rows.
    static int listar(const db::ConnectionPtr& conexion, int16_t empresa, const QDate& desde,
                      QTextStream& salida);

private:
    void insertar(int16_t destino, const QDateTime& inicio, const QDateTime& fin, int resultado,
                  const ResumenTienda& r);

    db::ConnectionPtr conexion_;
    int16_t empresa_;
    int16_t origen_;
    QString opciones_;
    QString usuario_;
    QString equipo_;
    QDateTime inicio_;
    long long id_ = 0;
};
