#include "host/EmpresaConfig.h"
#include "host/EmpresaMemoria.h"
#include "host/ParametroError.h"
#include "host/Reloj.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace host;

namespace {

QString escribir(const QTemporaryDir& dir, const QByteArray& contenido)
{
    const QString ruta = dir.filePath(QStringLiteral("empresa.ini"));
    QFile f(ruta);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(contenido);
    return ruta;
}

}  // namespace

TEST(EmpresaMemoria, missingParameterFailsAndNamesIgnoreCase)
{
    EmpresaMemoria e;
    e.setParametro(QStringLiteral("OficinaCentral"), true);
    EXPECT_TRUE(e.Parametro(QStringLiteral("oficinacentral")).toBool());
    try {
        e.Parametro(QStringLiteral("ServidorCentral"));
        FAIL() << "a missing parameter must throw";
    } catch (const ParametroError& err) {
        EXPECT_EQ(err.nombre(), "ServidorCentral");
    }
    e.quitarParametro(QStringLiteral("OFICINACENTRAL"));
    EXPECT_THROW(e.Parametro(QStringLiteral("OficinaCentral")), std::runtime_error);

    e.setNombreNivel(1, QStringLiteral("Subfamilia"));
    EXPECT_EQ(e.NombreNivel(0), "");
    EXPECT_EQ(e.NombreNivel(1), "Subfamilia");
    EXPECT_EQ(e.NombreNivel(2), "");
    EXPECT_EQ(e.NombreNivel(-1), "");
}

TEST(EmpresaConfig, readsMembersAndParametersFromIni)
{
    QTemporaryDir dir;
    const QString ruta = escribir(dir,
        "[Empresa]\n"
        "CodigoEmpresa=3\n"
        "; comentario\n"
        "NombreEmpresa=Compañía Ejemplo, S.L.\n"
        "CodigoEmpresaProveedores=9\n"
        "AlmacenDefecto=12\n"
        "DecimalesPvp=3\n"
        "RutaAplicacion=/opt/nrvx\n"
        "NombreNivel0=Familia\n"
        "NombreNivel2=Grupo\n"
        "[Parametros]\n"
        "ODBCNombre=CENTRAL\n"
        "UsuarioActual=\"7\"\n"
        "ConnectionString=Provider=SQLite;Data Source=/tmp/x.db\n");
    const EmpresaConfig e(ruta);
    EXPECT_EQ(e.CodigoEmpresa(), 3);
    EXPECT_EQ(e.NombreEmpresa(), QString::fromUtf8("Compañía Ejemplo, S.L."));
    EXPECT_EQ(e.CodigoEmpresaArticulos(), 3);  // not configured: the company's own
    EXPECT_EQ(e.CodigoEmpresaProveedores(), 9);
    EXPECT_EQ(e.AlmacenDefecto(), 12);
    EXPECT_EQ(e.DecimalesPvp(), 3);
    EXPECT_EQ(e.RutaAplicacion(), "/opt/nrvx");
    EXPECT_EQ(e.NombreNivel(0), "Familia");
    EXPECT_EQ(e.NombreNivel(1), "");
    EXPECT_EQ(e.NombreNivel(2), "Grupo");
    EXPECT_EQ(e.Parametro(QStringLiteral("ODBCNombre")).toString(), "CENTRAL");
    EXPECT_EQ(e.Parametro(QStringLiteral("usuarioactual")).toString(), "7");
    EXPECT_EQ(e.Parametro(QStringLiteral("ConnectionString")).toString(),
              "Provider=SQLite;Data Source=/tmp/x.db");
    EXPECT_THROW(e.Parametro(QStringLiteral("ODBCPassword")), ParametroError);
}

TEST(EmpresaConfig, refusesMissingFileAndBadCodes)
{
    QTemporaryDir dir;
    EXPECT_THROW(EmpresaConfig(dir.filePath(QStringLiteral("no.ini"))), std::runtime_error);
    EXPECT_THROW(EmpresaConfig(escribir(dir, "[Empresa]\nCodigoEmpresa=uno\n")), std::runtime_error);
    EXPECT_THROW(EmpresaConfig(escribir(dir, "[Empresa]\nAlmacenDefecto=40000\n")),
                 std::runtime_error);
    EXPECT_THROW(EmpresaConfig(escribir(dir, "[Parametros]\nODBCNombre\n")), std::runtime_error);
}

TEST(Reloj, fixedClockDrivesTodayAndYearUntilReleased)
{
    {
        Reloj::Fijado fijo(QDateTime(QDate(2026, 12, 5), QTime(10, 30)));
        EXPECT_EQ(Reloj::hoy(), QDate(2026, 12, 5));
        EXPECT_EQ(Reloj::anioActual(), 2026);
        EXPECT_EQ(Reloj::ahora().time(), QTime(10, 30));
    }
    EXPECT_FALSE(Reloj::fijado());
    const QDate antes = QDate::currentDate();
    const QDate hoy = Reloj::hoy();
    EXPECT_TRUE(hoy == antes || hoy == QDate::currentDate());
}
