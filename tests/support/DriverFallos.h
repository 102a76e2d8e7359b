#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Driver.h"

#include <array>
#include <memory>

namespace testsupport {

// Fault injection for the reliability tests: a driver put around a connection's own that counts
// what the connection asks of the engine and fails a chosen step as if the engine had refused it.
// Statements are counted where they reach the engine (execute, a lifted shape, a script, a query,
// a prepared statement's run); BEGIN, COMMIT and ROLLBACK are counted apart. A failed step does
// not reach the engine: a failed COMMIT or ROLLBACK leaves the transaction open, the worst a real
// engine does. The connection owns the driver; it lives until close.
class DriverFallos : public db::Driver {
public:
    enum class Paso { Sentencia, Begin, Commit, Rollback };

    // The fault driver of the connection, put around its driver on first use.
    static DriverFallos& de(db::Connection& conexion);
    static DriverFallos& de(const db::ConnectionPtr& conexion) { return de(*conexion); }
    // The engine's own driver of a connection, whether or not faults are installed: reads through
    // it neither count nor fail.
    static db::Driver& motor(db::Connection& conexion);

    // The nth step of that kind from now (1 = the next) fails, and so do the `veces` - 1 after
    // it; n = 0 switches it off.
    void fallar(Paso paso, long long n, int veces = 1);
    void desarmar();
    // Steps of that kind since the driver was installed.
    long long cuenta(Paso paso) const { return cuentas_[indice(paso)]; }
    long long sentencias() const { return cuenta(Paso::Sentencia); }
    // Statements counted when the last COMMIT succeeded: a fault past it finds the work kept.
    long long sentenciasAlCommit() const { return alCommit_; }

    // The disk of an embedded database, made full at any size: no page beyond `paginas` can be
    // written (SQLite's max_page_count, never below the current size). Answers the limit set.
    long long limitarPaginas(long long paginas);
    void liberarDisco();
    long long paginas();

    db::Driver& interior() { return *interior_; }

    explicit DriverFallos(std::unique_ptr<db::Driver> interior);
    db::Dialect dialect() const override { return interior_->dialect(); }
    long long execute(const QString& sql) override;
    long long executeShape(const QString& shape, const std::vector<db::Value>& literals) override;
    void executeScript(const QString& script) override;
    std::unique_ptr<db::Cursor> query(const QString& sql) override;
    std::unique_ptr<db::PreparedStatement> prepare(const QString& sql) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    void setCommandTimeout(int seconds) override { interior_->setCommandTimeout(seconds); }
    void setTransactionDepth(int depth) override { interior_->setTransactionDepth(depth); }

    // Counts one step and throws when it is the one armed to fail; the prepared statements of
    // this driver call it too.
    void contar(Paso paso);

private:
    static int indice(Paso paso) { return static_cast<int>(paso); }
    std::unique_ptr<db::Driver> interior_;
    std::array<long long, 4> cuentas_{};
    std::array<long long, 4> armados_{};  // the count at which the first fault fires, 0 none
    std::array<int, 4> veces_{};
    long long alCommit_ = 0;
};

}  // namespace testsupport
