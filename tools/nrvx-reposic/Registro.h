#pragma once

#include <QFile>
#include <QString>

// What a run tells the operator: every line with an ISO-8601 timestamp, on standard output
// (unless quiet) and appended to the log file; errors always on standard error too. On a
// terminal a progress line is redrawn in place and never reaches the log.
class Registro {
public:
    Registro(const QString& ficheroLog, bool silencioso);
    ~Registro();

    // The log file cannot be opened: said before anything runs.
    bool abierto() const { return log_.fileName().isEmpty() || log_.isOpen(); }
    QString errorLog() const { return log_.errorString(); }

    void info(const QString& linea);
    void error(const QString& linea);
    void progreso(const QString& texto);

    static QString marcaTiempo();

private:
    void escribirLog(const QString& linea);
    void borrarProgreso();

    QFile log_;
    bool silencioso_;
    bool terminal_;
    bool progresoVisible_ = false;
};
