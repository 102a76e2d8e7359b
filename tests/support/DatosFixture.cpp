#include "support/DatosFixture.h"

namespace testsupport {

DatosFixture::DatosFixture() : empresa_(std::make_shared<host::EmpresaMemoria>())
{
    empresa_->setCodigoEmpresa(1);
    empresa_->setCodigoEmpresaArticulos(1);
    empresa_->setNombreEmpresa(QStringLiteral("Distribuciones Norte S.A."));
    host::Reloj::fijar(QDateTime(QDate(2026, 12, 5), QTime(10, 30)));
}

DatosFixture::~DatosFixture() { host::Reloj::liberar(); }

long long DatosFixture::count(const QString& table, const QString& where) const
{
    return conn()->scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table
                          + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where))
        .toInt64();
}

}  // namespace testsupport
