#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QDate>

#include <cstdint>
#include <memory>

class QWidget;

namespace host {

// Prints a saved stock transfer document ("Traspaso.rpt" under the company's report folder,
// with the company heading) on the workstation's default printer. Run after the transfer has
// been committed: it reads what the database holds. Failures throw (report::Error, db::Error).
class TraspasoSalida {
public:
    void setConexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }
    void setEmpresa(std::shared_ptr<Empresa> empresa) { empresa_ = std::move(empresa); }

    int16_t AlmacenOrigen = 0;
    QDate Fecha;
    int64_t Codigo = 0;
    // False: the run does nothing (the caller only wanted the document recorded).
    bool Imprimir = true;
    // 3: the valued model (unit cost and amount per line); any other shows units only.
    int Modelo = 3;
    // 2: the workstation's default printer, the only destination this host offers.
    int Destino = 2;

    // Prints `copias` copies. Answers false, printing nothing, when there is nothing to print:
    // printing switched off, or no such document saved (a transfer that carried no line).
    bool Ejecutar(int16_t copias, QWidget* propietario = nullptr);

private:
    db::ConnectionPtr conexion_;
    std::shared_ptr<Empresa> empresa_;
};

}  // namespace host
