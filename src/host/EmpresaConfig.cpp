#include "host/EmpresaConfig.h"

#include <QFileInfo>
#include <QSettings>

#include <limits>
#include <stdexcept>

namespace host {

namespace {

// An unquoted value with commas comes back from QSettings as a list; put it back together.
QString texto(const QVariant& v)
{
    if (v.userType() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

int16_t codigo(const QSettings& ini, const QString& clave, int16_t defecto)
{
    const QVariant v = ini.value(clave);
    if (!v.isValid() || texto(v).trimmed().isEmpty())
        return defecto;
    bool ok = false;
    const int n = texto(v).trimmed().toInt(&ok);
    if (!ok || n < std::numeric_limits<int16_t>::min() || n > std::numeric_limits<int16_t>::max())
        throw std::runtime_error(QStringLiteral("Valor no válido para %1 en %2: '%3'")
                                     .arg(clave, ini.fileName(), texto(v))
                                     .toStdString());
    return static_cast<int16_t>(n);
}

}  // namespace

EmpresaConfig::EmpresaConfig(const QString& rutaIni) : rutaIni_(rutaIni)
{
    const QFileInfo info(rutaIni);
    if (!info.isFile() || !info.isReadable())
        throw std::runtime_error(
            QStringLiteral("No se puede leer la configuración de empresa: %1").arg(rutaIni).toStdString());

    QSettings ini(rutaIni, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        throw std::runtime_error(
            QStringLiteral("Configuración de empresa con formato incorrecto: %1").arg(rutaIni).toStdString());

    ini.beginGroup(QStringLiteral("Empresa"));
    const int16_t empresa = codigo(ini, QStringLiteral("CodigoEmpresa"), 1);
    setCodigoEmpresa(empresa);
    setNombreEmpresa(texto(ini.value(QStringLiteral("NombreEmpresa"))));
    setCodigoEmpresaArticulos(codigo(ini, QStringLiteral("CodigoEmpresaArticulos"), empresa));
    setCodigoEmpresaProveedores(codigo(ini, QStringLiteral("CodigoEmpresaProveedores"), empresa));
    setAlmacenDefecto(codigo(ini, QStringLiteral("AlmacenDefecto"), 1));
    setDecimalesPvp(codigo(ini, QStringLiteral("DecimalesPvp"), 2));
    setRutaAplicacion(texto(ini.value(QStringLiteral("RutaAplicacion"))));
    for (int nivel = 0; nivel < 3; ++nivel)
        setNombreNivel(nivel, texto(ini.value(QStringLiteral("NombreNivel%1").arg(nivel))));
    ini.endGroup();

    ini.beginGroup(QStringLiteral("Parametros"));
    const QStringList claves = ini.childKeys();
    for (const QString& clave : claves)
        setParametro(clave, texto(ini.value(clave)));
    ini.endGroup();
}

}  // namespace host
