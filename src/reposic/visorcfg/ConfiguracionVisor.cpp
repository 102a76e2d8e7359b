#include "reposic/visorcfg/ConfiguracionVisor.h"

#include "platform/db/Transaction.h"

#include <QVariant>

#include <cmath>
#include <stdexcept>

namespace reposic {

ConfiguracionVisor::ConfiguracionVisor(std::shared_ptr<host::Empresa> empresa,
                                       db::ConnectionPtr conexion)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion))
{
    if (!empresa_ || !conexion_)
        throw std::logic_error("ConfiguracionVisor: falta la empresa o la conexión");
}

int32_t ConfiguracionVisor::usuarioActual() const
{
    const QVariant valor = empresa_->Parametro(QStringLiteral("UsuarioActual"));
    const QString texto = valor.toString().trimmed();
    bool ok = false;
    const double n = texto.toDouble(&ok);
    if (!ok || n != std::floor(n) || n < 0 || n > 2147483647.0) {
        throw std::runtime_error(
            QStringLiteral("El usuario actual '%1' no es válido").arg(texto).toStdString());
    }
    return static_cast<int32_t>(n);
}

void ConfiguracionVisor::grabar(int tipo, const QVector<int>& visibles,
                                const QVector<Orden>& orden)
{
    if (tipo != 1 && tipo != 2)
        return;
    const int32_t usuario = usuarioActual();
    const int empresa = empresa_->CodigoEmpresa();

    db::Transaction tx(conexion_);
    conexion_->execute(QStringLiteral("UPDATE Reposicion_Columnas_Valores"
                                      " SET Visible = 0"
                                      " ,Orden = 0"
                                      " ,OrdenGrid = 0"
                                      " ,OrdenOrderBy = 0"
                                      " WHERE Cod_Empresa =%1"
                                      " AND TipoReposicion = %2"
                                      " AND Cod_Usuario =%3")
                           .arg(empresa).arg(tipo).arg(usuario));

    for (int p = 0; p < visibles.size(); ++p) {
        const long long n = conexion_->execute(
            QStringLiteral("UPDATE Reposicion_Columnas_Valores"
                           " SET Visible = 1"
                           " ,OrdenGrid =%1"
                           " WHERE Cod_Empresa =%2"
                           " AND Cod_Campo =%3"
                           " AND TipoReposicion = %4"
                           " AND Cod_Usuario =%5")
                .arg(p).arg(empresa).arg(visibles[p]).arg(tipo).arg(usuario));
        if (n == 0)
            escribirValores(tipo, usuario, visibles[p], 1, 0, p, 0);
    }

    for (int i = 0; i < orden.size(); ++i) {
        const int r = i + 1;
        const int direccion = orden[i].sentido == QLatin1String("ASC")    ? 1
                              : orden[i].sentido == QLatin1String("DESC") ? 2
                                                                          : 0;
        const long long n = conexion_->execute(
            QStringLiteral("UPDATE Reposicion_Columnas_Valores"
                           " SET Orden =%1"
                           " ,OrdenOrderBy =%2"
                           " WHERE Cod_Empresa =%3"
                           " AND Cod_Campo =%4"
                           " AND TipoReposicion = %5"
                           " AND Cod_Usuario =%6")
                .arg(direccion).arg(r).arg(empresa).arg(orden[i].codCampo).arg(tipo).arg(usuario));
        if (n == 0)
            escribirValores(tipo, usuario, orden[i].codCampo, 1, direccion, 0, r);
    }
    tx.commit();
}

void ConfiguracionVisor::escribirValores(int tipo, int32_t usuario, int codCampo, int visible,
                                         int direccion, int ordenGrid, int ordenOrderBy)
{
    conexion_->execute(
        QStringLiteral("INSERT INTO Reposicion_Columnas_Valores(Cod_Empresa, Cod_Campo,"
                       " TipoReposicion, Cod_Usuario, Ancho, Visible, Orden, OrdenGrid,"
                       " OrdenOrderBy) VALUES(%1, %2, %3, %4, 0, %5, %6, %7, %8)")
            .arg(empresa_->CodigoEmpresa()).arg(codCampo).arg(tipo).arg(usuario).arg(visible)
            .arg(direccion).arg(ordenGrid).arg(ordenOrderBy));
}

void ConfiguracionVisor::olvidarAnchos(int tipo)
{
    conexion_->execute(QStringLiteral("UPDATE Reposicion_Columnas_Valores SET Ancho = 0"
                                      " WHERE Cod_Empresa =%1"
                                      " AND TipoReposicion = %2"
                                      " AND Cod_Usuario =%3")
                           .arg(empresa_->CodigoEmpresa()).arg(tipo).arg(usuarioActual()));
}

}  // namespace reposic
