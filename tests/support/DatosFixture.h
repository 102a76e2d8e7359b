#pragma once

#include "host/EmpresaMemoria.h"
#include "host/Reloj.h"
#include "support/TestDatabase.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

// A company database with the schema, company 1, and the clock fixed on 5 December 2026.
class DatosFixture : public ::testing::Test {
protected:
    DatosFixture();
    ~DatosFixture() override;

    const db::ConnectionPtr& conn() const { return db_.connection(); }
    db::Value scalar(const QString& sql) const { return conn()->scalar(sql); }
    long long count(const QString& table, const QString& where = {}) const;

    TestDatabase db_;
    std::shared_ptr<host::EmpresaMemoria> empresa_;
};

}  // namespace testsupport
