#pragma once

#include "host/Empresa.h"

#include <QHash>
#include <QStringList>

namespace host {

// A company held in memory with every member settable: the tests' company and the base of the
// configured one. Parameter names ignore case, as the host's parameter table does.
class EmpresaMemoria : public Empresa {
public:
    EmpresaMemoria() = default;

    int16_t CodigoEmpresa() const override { return codigoEmpresa_; }
    QString NombreNivel(int nivel) const override;
    QString NombreEmpresa() const override { return nombreEmpresa_; }
    int16_t CodigoEmpresaArticulos() const override { return codigoEmpresaArticulos_; }
    int16_t CodigoEmpresaProveedores() const override { return codigoEmpresaProveedores_; }
    int16_t AlmacenDefecto() const override { return almacenDefecto_; }
    int16_t DecimalesPvp() const override { return decimalesPvp_; }
    QString RutaAplicacion() const override { return rutaAplicacion_; }
    QVariant Parametro(const QString& nombre) const override;

    void setCodigoEmpresa(int16_t v) { codigoEmpresa_ = v; }
    void setNombreNivel(int nivel, const QString& nombre);
    void setNombreEmpresa(const QString& v) { nombreEmpresa_ = v; }
    void setCodigoEmpresaArticulos(int16_t v) { codigoEmpresaArticulos_ = v; }
    void setCodigoEmpresaProveedores(int16_t v) { codigoEmpresaProveedores_ = v; }
    void setAlmacenDefecto(int16_t v) { almacenDefecto_ = v; }
    void setDecimalesPvp(int16_t v) { decimalesPvp_ = v; }
    void setRutaAplicacion(const QString& v) { rutaAplicacion_ = v; }

    void setParametro(const QString& nombre, const QVariant& valor);
    void quitarParametro(const QString& nombre);
    bool tieneParametro(const QString& nombre) const;

private:
    int16_t codigoEmpresa_ = 1;
    QString nombreEmpresa_;
    int16_t codigoEmpresaArticulos_ = 1;
    int16_t codigoEmpresaProveedores_ = 1;
    int16_t almacenDefecto_ = 1;
    int16_t decimalesPvp_ = 2;
    QString rutaAplicacion_;
    QStringList niveles_;
    QHash<QString, QVariant> parametros_;  // keyed by upper-case name
};

}  // namespace host
