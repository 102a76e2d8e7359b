#pragma once

#include "host/EmpresaMemoria.h"
#include "platform/db/Connection.h"

#include <QDate>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

// Shared set-up of the reliability tests: demo company files made once per process and copied
// for each trial, the child processes, and the operations the trials run.
namespace fiab {

inline const QDate kHoy(2026, 12, 5);

// NRVX_FIABILIDAD_LARGA=1 selects the long forms.
bool largo();
int veces(int corto, int enLargo);

std::shared_ptr<host::EmpresaMemoria> empresa();
QString carpeta();
db::ConnectionPtr abrir(const QString& ruta);
// Copies a closed database file, dropping any journal left at the destination.
void copiar(const QString& desde, const QString& hasta);

// A demo company (central 1, stores 2..) with every group generated for store 2, so there are
// pre-invoices to annul and transfer. Built once per process and name; closed and checkpointed.
QString plantilla(const QString& nombre, int articulos, int tiendas);
// A demo company sized for the crash trials: `articulos` articles all in the pass of no group,
// pending at stores 2 and 3, the central stocked for all, and store 2 generated into one
// pre-invoice of (almost) every article. Long transactions, so that kills land inside them.
QString plantillaCaida(int articulos);
// An empty accounting database, as the transfer's second connection.
QString plantillaContable();

// Runs every generation pass for one store; answers the pre-invoices made.
std::vector<int64_t> generarTodo(const db::ConnectionPtr& c, int16_t origen, int16_t destino);
// The pre-invoice of the store with the most lines.
int64_t prefacturaMayor(const db::ConnectionPtr& c, int16_t destino);

// The operations of the crash and fault trials, the same code in the child and in the parent.
enum class Operacion { Generacion, Anulacion, Traspaso, Restos };
const char* nombre(Operacion op);
Operacion operacion(const QString& nombre);
// Runs `op` against the company file (and the accounting file for the transfer).
void ejecutar(Operacion op, const db::ConnectionPtr& c, const db::ConnectionPtr& contable);
// Leftover lines the recording trial writes: the first kLineasRestos articles, 1 to 5 units each.
constexpr int16_t kTiendaRestos = 3;
constexpr int kLineasRestos = 1500;
constexpr int32_t kPuesto = 77;

// Starts this test program again as a child running one test, with extra environment.
std::unique_ptr<QProcess> hijo(const QString& filtro, const QMap<QString, QString>& entorno,
                               bool reenviarSalida = true);

// Text users type or paste that has broken systems before: quotes, statement fragments,
// wildcards, control characters, other scripts, very long and empty (38 strings).
QStringList corpusHostil();

// Whether some process holds the write lock of an embedded database in WAL mode: the first lock
// byte of its shared-memory file, which SQLite holds from BEGIN IMMEDIATE to the commit. Asking
// (F_GETLK) takes no lock, so the probe cannot disturb the child it looks at.
bool enTransaccion(const QString& ruta);

}  // namespace fiab
