#pragma once

#include "host/Empresa.h"
#include "host/components/ContabilidadPendiente.h"
#include "host/components/TraspasoLineas.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <memory>
#include <utility>

namespace host {

// A stock transfer document of the host: goods leaving one warehouse of the company for another.
// The caller fills it, numbers it and saves it inside transactions of its own on both
// connections; the document begins none, so the caller decides when the whole move counts.
//
// Saving writes `Traspasos` and `Traspasos_Lineas` (numbered per company, year of the date and
// origin through `Contador_Traspasos`), moves `Stock_Actual` down at the origin and up at the
// destination, releases the origin's reserved stock of the units sent, and records the accounting
// entry of the document's value as pending in the company database (ContabilidadPendiente).
// Once the company side has committed, Asentar books it on the accounting connection
// (`Contabilidad_Traspasos`, created there on first use); an entry left pending by a stop in
// between is booked by the next replay, never twice.
// Any failure throws (db::Error, or std::invalid_argument for a document that cannot be saved).
class Traspaso {
public:
    void setEmpresa(std::shared_ptr<Empresa> empresa) { empresa_ = std::move(empresa); }
    void setEmpresaContable(std::shared_ptr<Empresa> empresa) { empresaContable_ = std::move(empresa); }
    void setConexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }
    void setConexionContable(db::ConnectionPtr conexion) { conexionContable_ = std::move(conexion); }

    QDate Fecha;
    int16_t AlmacenOrigen = 0;
    int16_t AlmacenDestino = 0;
    int16_t Usuario = 0;
    // True: saving moves the stock of both warehouses (false only records the document).
    bool MoverStock = true;
    QString Observaciones;
    int64_t Codigo = 0;
    // 0: each line valued at the cost given; 1: a transfer without value (nothing booked).
    int TipoValoracion = 0;
    // 0: sent, waiting to be received at the destination; 1: already received.
    int Recibido = 0;

    std::shared_ptr<TraspasoLineas> Lineas() const { return lineas_; }
    void setLineas(std::shared_ptr<TraspasoLineas> lineas) { lineas_ = std::move(lineas); }

    // The next code of the origin for the year of Fecha; with `reservar` the counter advances
    // (inside the caller's transaction, so a rollback gives the number back).
    int64_t Numerar(bool reservar);

    // Saves the document; answers its value and its number of lines.
    std::pair<db::Money, int> Guardar();
    // Books the saved document's pending accounting entry, after the company commit; answers 1
    // when it booked it, 0 when there was none left to book.
    int Asentar();

    // Creates the accounting table where it is missing.
    static void prepararContabilidad(db::Connection& contable);

private:
    ContabilidadPendiente::Asiento asiento(db::Money importe) const;
    void moverStock(const QString& empresa, int16_t almacen, int32_t articulo, db::Money unidades);

    std::shared_ptr<Empresa> empresa_;
    std::shared_ptr<Empresa> empresaContable_;
    db::ConnectionPtr conexion_;
    db::ConnectionPtr conexionContable_;
    std::shared_ptr<TraspasoLineas> lineas_ = std::make_shared<TraspasoLineas>();
};

}  // namespace host
