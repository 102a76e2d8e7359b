#include "host/EmpresaConfig.h"

#include "host/FicheroPrivado.h"

#include <QFile>
#include <QHash>
#include <QStringList>
#include <QStringConverter>
#include <QTextStream>

#include <cstdio>
#include <limits>
#include <stdexcept>

namespace host {

namespace {

// Read by hand rather than through QSettings, whose ini reading cuts a value at ';' and turns
// commas into lists: a connection string or a company name would arrive mangled without a word.
using Seccion = QHash<QString, QPair<QString, QString>>;  // upper-case key -> (key, value)

QHash<QString, Seccion> leerIni(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error(
            QStringLiteral("No se puede leer la configuración de empresa: %1").arg(ruta).toStdString());
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);

    QHash<QString, Seccion> secciones;
    QString actual;
    int numero = 0;
    while (!in.atEnd()) {
        const QString linea = in.readLine().trimmed();
        ++numero;
        if (linea.isEmpty() || linea.startsWith(QLatin1Char(';')) || linea.startsWith(QLatin1Char('#')))
            continue;
        if (linea.startsWith(QLatin1Char('[')) && linea.endsWith(QLatin1Char(']'))) {
            actual = linea.mid(1, linea.size() - 2).trimmed().toUpper();
            continue;
        }
        const int igual = linea.indexOf(QLatin1Char('='));
        if (igual <= 0)
            throw std::runtime_error(QStringLiteral("Línea %1 incorrecta en %2: '%3'")
                                         .arg(numero).arg(ruta, linea).toStdString());
        const QString clave = linea.left(igual).trimmed();
        QString valor = linea.mid(igual + 1).trimmed();
        if (valor.size() >= 2 && valor.startsWith(QLatin1Char('"')) && valor.endsWith(QLatin1Char('"')))
            valor = valor.mid(1, valor.size() - 2);
        secciones[actual].insert(clave.toUpper(), qMakePair(clave, valor));
    }
    return secciones;
}

QString texto(const Seccion& s, const QString& clave)
{
    return s.value(clave.toUpper()).second;
}

int16_t codigo(const Seccion& s, const QString& clave, int16_t defecto, const QString& ruta)
{
    const QString v = texto(s, clave);
    if (v.isEmpty())
        return defecto;
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok || n < std::numeric_limits<int16_t>::min() || n > std::numeric_limits<int16_t>::max())
        throw std::runtime_error(
            QStringLiteral("Valor no válido para %1 en %2: '%3'").arg(clave, ruta, v).toStdString());
    return static_cast<int16_t>(n);
}

}  // namespace

EmpresaConfig::EmpresaConfig(const QString& rutaIni) : rutaIni_(rutaIni)
{
    const QHash<QString, Seccion> ini = leerIni(rutaIni);
    // Whoever can rewrite the file can name another user or point the program at another
    // database: say so every time it is opened.
    if (FicheroPrivado::escribiblePorOtros(rutaIni))
        std::fprintf(stderr, "aviso: otros usuarios pueden modificar la configuración de empresa "
                             "%s; protéjala con: chmod 600 %s\n",
                     qPrintable(rutaIni), qPrintable(rutaIni));

    const Seccion e = ini.value(QStringLiteral("EMPRESA"));
    const int16_t empresa = codigo(e, QStringLiteral("CodigoEmpresa"), 1, rutaIni);
    setCodigoEmpresa(empresa);
    setNombreEmpresa(texto(e, QStringLiteral("NombreEmpresa")));
    setCodigoEmpresaArticulos(
        codigo(e, QStringLiteral("CodigoEmpresaArticulos"), empresa, rutaIni));
    setCodigoEmpresaProveedores(
        codigo(e, QStringLiteral("CodigoEmpresaProveedores"), empresa, rutaIni));
    setAlmacenDefecto(codigo(e, QStringLiteral("AlmacenDefecto"), 1, rutaIni));
    setDecimalesPvp(codigo(e, QStringLiteral("DecimalesPvp"), 2, rutaIni));
    setRutaAplicacion(texto(e, QStringLiteral("RutaAplicacion")));
    for (int nivel = 0; nivel < 3; ++nivel)
        setNombreNivel(nivel, texto(e, QStringLiteral("NombreNivel%1").arg(nivel)));

    const Seccion parametros = ini.value(QStringLiteral("PARAMETROS"));
    for (const auto& [clave, valor] : parametros)
        setParametro(clave, valor);
}

}  // namespace host

namespace host {

void EmpresaConfig::escribirParametro(const QString& rutaIni, const QString& clave,
                                      const QString& valor)
{
    QFile f(rutaIni);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error(
            QStringLiteral("No se puede leer la configuración de empresa: %1").arg(rutaIni).toStdString());
    QStringList lineas = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    f.close();
    if (!lineas.isEmpty() && lineas.last().isEmpty())
        lineas.removeLast();

    const QString nueva = clave + QLatin1Char('=') + valor;
    bool enParametros = false;
    int finParametros = -1;  // line after the last one of the section
    for (int i = 0; i < lineas.size(); ++i) {
        const QString l = lineas[i].trimmed();
        if (l.startsWith(QLatin1Char('[')) && l.endsWith(QLatin1Char(']'))) {
            enParametros = l.mid(1, l.size() - 2).trimmed().compare(QLatin1String("Parametros"),
                                                                    Qt::CaseInsensitive) == 0;
            if (enParametros)
                finParametros = i + 1;
            continue;
        }
        if (!enParametros)
            continue;
        if (!l.isEmpty())
            finParametros = i + 1;
        const int igual = l.indexOf(QLatin1Char('='));
        if (igual > 0 && l.left(igual).trimmed().compare(clave, Qt::CaseInsensitive) == 0) {
            lineas[i] = nueva;
            finParametros = -2;
            break;
        }
    }
    if (finParametros == -1)
        lineas << QString() << QStringLiteral("[Parametros]") << nueva;
    else if (finParametros >= 0)
        lineas.insert(finParametros, nueva);
    FicheroPrivado::escribir(rutaIni, (lineas.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

}  // namespace host
