#include "host/controls/SelectorFamilia.h"

#include "platform/db/Recordset.h"

#include <stdexcept>

namespace host {

namespace {

std::optional<int32_t> codigoFamilia(const QString& texto)
{
    bool ok = false;
    const qlonglong n = texto.trimmed().toLongLong(&ok);
    if (!ok || n < 0 || n > 2147483647LL)
        return std::nullopt;
    return static_cast<int32_t>(n);
}

}  // namespace

SelectorFamilia::SelectorFamilia(QWidget* parent) : SelectorBase(parent)
{
}

void SelectorFamilia::setNivel(int16_t nivel)
{
    if (nivel < 1 || nivel > 3)
        throw std::out_of_range("SelectorFamilia: el nivel de familia va de 1 a 3");
    if (nivel != nivel_) {
        nivel_ = nivel;
        superiorCambiado();
    }
}

void SelectorFamilia::setFamilia1(int32_t codigo)
{
    if (codigo != familia1_) {
        familia1_ = codigo;
        superiorCambiado();
    }
}

void SelectorFamilia::setFamilia2(int32_t codigo)
{
    if (codigo != familia2_) {
        familia2_ = codigo;
        superiorCambiado();
    }
}

void SelectorFamilia::superiorCambiado()
{
    // The same code names another family under other upper codes: look it up again on next read.
    setTexto(texto());
}

int32_t SelectorFamilia::codigo()
{
    const QString encontrado = codigoEncontrado();
    return codigoFamilia(encontrado.isEmpty() ? texto() : encontrado).value_or(0);
}

void SelectorFamilia::setCodigo(int32_t codigo)
{
    fijarCodigo(codigo == 0 ? QString() : QString::number(codigo));
}

QString SelectorFamilia::tabla() const
{
    return QStringLiteral("Familias_%1").arg(nivel_);
}

QString SelectorFamilia::condicionSuperior() const
{
    QString c;
    if (nivel_ >= 2)
        c += QStringLiteral(" AND Familia_1 = ") + QString::number(familia1_);
    if (nivel_ >= 3)
        c += QStringLiteral(" AND Familia_2 = ") + QString::number(familia2_);
    return c;
}

std::optional<SelectorBase::Encontrado> SelectorFamilia::buscar(const QString& texto)
{
    const std::optional<int32_t> n = codigoFamilia(texto);
    if (!n || *n == 0)
        return std::nullopt;
    if ((nivel_ >= 2 && familia1_ == 0) || (nivel_ >= 3 && familia2_ == 0))
        return std::nullopt;
    db::Recordset rs(conexion(),
                     QStringLiteral("SELECT Codigo, Nombre FROM ") + tabla()
                         + QStringLiteral(" WHERE Cod_Empresa = ")
                         + QString::number(empresa()->CodigoEmpresaArticulos())
                         + condicionSuperior() + QStringLiteral(" AND Codigo = ")
                         + QString::number(*n));
    if (rs.eof())
        return std::nullopt;
    return Encontrado{rs.field(QStringLiteral("Codigo")).toText(),
                      rs.field(QStringLiteral("Nombre")).toText()};
}

QString SelectorFamilia::tituloLista() const
{
    const QString nombreNivel = empresa() ? empresa()->NombreNivel(nivel_ - 1) : QString();
    return nombreNivel.isEmpty() ? QStringLiteral("Familias") : nombreNivel;
}

QString SelectorFamilia::consultaLista(const QString& filtro) const
{
    return selectLista() + QStringLiteral("Codigo, Nombre FROM ") + tabla()
        + QStringLiteral(" WHERE Cod_Empresa = ")
        + QString::number(empresa()->CodigoEmpresaArticulos()) + condicionSuperior()
        + condicionFiltro(QStringLiteral("Codigo"), QStringLiteral("Nombre"), filtro)
        + QStringLiteral(" ORDER BY Codigo");
}

}  // namespace host
