#include "EmpresaPrograma.h"

#include "Numeros.h"

#include "host/Instalacion.h"
#include "reposic/frame/modComun.h"

void EmpresaPrograma::anadirOpciones(QCommandLineParser& p)
{
    p.addOption({QStringLiteral("empresa"), QStringLiteral("Empresa (1)."), QStringLiteral("N"),
                 QStringLiteral("1")});
}

std::shared_ptr<host::EmpresaMemoria> EmpresaPrograma::preparar(const QCommandLineParser& p,
                                                                const db::ConnectionPtr& conexion)
{
    const int16_t codigo = codigoPositivo(p.value(QStringLiteral("empresa")), QStringLiteral("--empresa"));
    if (conexion->scalar(QStringLiteral("SELECT COUNT(*) FROM Empresas WHERE Codigo =%1").arg(codigo))
            .toInt() == 0)
        throw Rechazo::malUso(QStringLiteral("la empresa %1 no existe en la base de datos").arg(codigo));
    auto empresa = std::make_shared<host::EmpresaMemoria>();
    empresa->setCodigoEmpresa(codigo);
    empresa->setCodigoEmpresaArticulos(codigo);
    empresa->setCodigoEmpresaProveedores(codigo);
    empresa->setRutaAplicacion(host::Instalacion::carpetaAplicacion());
    reposic::modComun::setEmpresa(empresa);
    reposic::modComun::setConexion(conexion);
    return empresa;
}

void EmpresaPrograma::comprobarAlmacen(const db::ConnectionPtr& conexion, int16_t empresa,
                                       int16_t almacen, const QString& que)
{
    if (conexion
            ->scalar(QStringLiteral("SELECT COUNT(*) FROM Almacenes WHERE Cod_Empresa =%1 AND Codigo =%2")
                         .arg(empresa)
                         .arg(almacen))
            .toInt()
        == 0)
        throw Rechazo::malUso(
            QStringLiteral("%1: la empresa %2 no tiene el almacén %3").arg(que).arg(empresa).arg(almacen));
}
