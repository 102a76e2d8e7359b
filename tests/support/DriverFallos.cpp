#include "support/DriverFallos.h"

#include "platform/db/Error.h"

namespace testsupport {

namespace {

const char* nombrePaso(DriverFallos::Paso paso)
{
    switch (paso) {
    case DriverFallos::Paso::Sentencia: return "statement";
    case DriverFallos::Paso::Begin: return "BEGIN";
    case DriverFallos::Paso::Commit: return "COMMIT";
    case DriverFallos::Paso::Rollback: return "ROLLBACK";
    }
    return "";
}

class PreparadaConFallos : public db::PreparedStatement {
public:
    PreparadaConFallos(DriverFallos& driver, std::unique_ptr<db::PreparedStatement> interior)
        : driver_(driver), interior_(std::move(interior))
    {
    }
    void bind(int index, const db::Value& value) override { interior_->bind(index, value); }
    long long execute() override
    {
        driver_.contar(DriverFallos::Paso::Sentencia);
        return interior_->execute();
    }
    std::unique_ptr<db::Cursor> query() override
    {
        driver_.contar(DriverFallos::Paso::Sentencia);
        return interior_->query();
    }

private:
    DriverFallos& driver_;
    std::unique_ptr<db::PreparedStatement> interior_;
};

}  // namespace

DriverFallos::DriverFallos(std::unique_ptr<db::Driver> interior) : interior_(std::move(interior)) {}

DriverFallos& DriverFallos::de(db::Connection& conexion)
{
    if (auto* f = dynamic_cast<DriverFallos*>(&conexion.driver()))
        return *f;
    DriverFallos* creado = nullptr;
    conexion.wrapDriver([&](std::unique_ptr<db::Driver> d) {
        auto f = std::make_unique<DriverFallos>(std::move(d));
        creado = f.get();
        return f;
    });
    return *creado;
}

db::Driver& DriverFallos::motor(db::Connection& conexion)
{
    db::Driver& d = conexion.driver();
    if (auto* f = dynamic_cast<DriverFallos*>(&d))
        return f->interior();
    return d;
}

void DriverFallos::fallar(Paso paso, long long n, int veces)
{
    armados_[indice(paso)] = n > 0 ? cuentas_[indice(paso)] + n : 0;
    veces_[indice(paso)] = veces;
}

void DriverFallos::desarmar() { armados_.fill(0); }

void DriverFallos::contar(Paso paso)
{
    const int i = indice(paso);
    ++cuentas_[i];
    if (armados_[i] != 0 && cuentas_[i] >= armados_[i]) {
        if (--veces_[i] <= 0)
            armados_[i] = 0;
        throw db::Error(db::Error::Category::Other, QStringLiteral("Injected fault at %1 %2")
                                                        .arg(QLatin1String(nombrePaso(paso)))
                                                        .arg(cuentas_[i]));
    }
}

long long DriverFallos::limitarPaginas(long long paginas)
{
    auto c = interior_->query(QStringLiteral("PRAGMA max_page_count = %1").arg(paginas));
    return c->next() ? c->value(0).toInt64() : 0;
}

void DriverFallos::liberarDisco()
{
    // SQLite's own ceiling: the largest page count a database file may reach.
    limitarPaginas(4294967294LL);
}

long long DriverFallos::paginas()
{
    auto c = interior_->query(QStringLiteral("PRAGMA page_count"));
    return c->next() ? c->value(0).toInt64() : 0;
}

long long DriverFallos::execute(const QString& sql)
{
    contar(Paso::Sentencia);
    return interior_->execute(sql);
}

long long DriverFallos::executeShape(const QString& shape, const std::vector<db::Value>& literals)
{
    contar(Paso::Sentencia);
    const long long n = interior_->executeShape(shape, literals);
    // No shape path: the connection runs the original text next, and that one counts.
    if (n < 0)
        --cuentas_[indice(Paso::Sentencia)];
    return n;
}

void DriverFallos::executeScript(const QString& script)
{
    contar(Paso::Sentencia);
    interior_->executeScript(script);
}

std::unique_ptr<db::Cursor> DriverFallos::query(const QString& sql)
{
    contar(Paso::Sentencia);
    return interior_->query(sql);
}

std::unique_ptr<db::PreparedStatement> DriverFallos::prepare(const QString& sql)
{
    return std::make_unique<PreparadaConFallos>(*this, interior_->prepare(sql));
}

void DriverFallos::begin()
{
    contar(Paso::Begin);
    interior_->begin();
}

void DriverFallos::commit()
{
    contar(Paso::Commit);
    interior_->commit();
    alCommit_ = sentencias();
}

void DriverFallos::rollback()
{
    contar(Paso::Rollback);
    interior_->rollback();
}

}  // namespace testsupport
