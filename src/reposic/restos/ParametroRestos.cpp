#include "reposic/restos/ParametroRestos.h"

#include "reposic/frame/ValorTexto.h"

bool ParametroActivo(const host::Empresa& empresa, const QString& nombre)
{
    const QVariant v = empresa.Parametro(nombre);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    const QString texto = v.toString().trimmed().toLower();
    if (texto == QLatin1String("true") || texto == QLatin1String("verdadero")
        || texto == QLatin1String("si") || texto == QStringLiteral("sí"))
        return true;
    return reposic::ValorTexto(texto) != 0.0;
}
