// The host program as a user starts it: a fresh working folder, no display, its files on disk.
#include "platform/db/Connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Resultado {
    int codigo = -1;
    QString salida;
    QString errores;
};

class HostProgramaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(programa()))
            << "build nrvx-host first: " << programa().toStdString();
        ASSERT_TRUE(dir_.isValid());
    }

    static QString programa() { return QStringLiteral(NRVX_BINARY_DIR "/src/nrvx-host"); }

    // Runs the program in the temporary folder with no display at all.
    Resultado ejecutar(const QStringList& argumentos, const QProcessEnvironment& extra = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "NRVX_HOST_DB",
                              "NRVX_APP_DIR"})
            env.remove(QString::fromLatin1(v));
        for (const QString& k : extra.keys())
            env.insert(k, extra.value(k));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir_.path());
        p.start(programa(), argumentos);
        Resultado r;
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.salida = QString::fromLocal8Bit(p.readAllStandardOutput());
        r.errores = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

    QString ruta(const QString& relativa) const { return dir_.filePath(relativa); }

    QTemporaryDir dir_;
};

TEST_F(HostProgramaTest, withoutDisplayOnlyListAndScreenshotRun)
{
    const Resultado gui = ejecutar({});
    EXPECT_EQ(gui.codigo, 2);
    EXPECT_TRUE(gui.errores.contains(QStringLiteral("xvfb-run -a scripts/run")))
        << gui.errores.toStdString();

    // The list is the main window's, in its order: the report screen without a launcher too.
    const Resultado lista = ejecutar({QStringLiteral("--list")});
    EXPECT_EQ(lista.codigo, 0) << lista.errores.toStdString();
    const QStringList clases = lista.salida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(clases,
              (QStringList{"frmclsRepPrefactGenerar", "frmclsRepPrefactModificar",
                           "frmclsRepPrefactVisor", "frmclsRepPrefactCtrlFaltas", "frmclsRepGrupos",
                           "frmclsRepGruposAprov", "frmclsRepPrefactPedCtrl",
                           "frmclsRepPedPerecListado", "frmclsRepPedPerecVisor",
                           "frmclsRepPedPerecConformar", "frmclsRepGrabRestos",
                           "frmclsRepVisorRestos", "frmInformeReposicionRestos",
                           "frmclsRepCasacionPedMC", "frmclsRepArtVisorCfg"}))
        << lista.salida.toStdString();
    // Listing needs no company: it must not create one.
    EXPECT_FALSE(QFileInfo::exists(ruta(QStringLiteral("demo/Calbra.db"))));
}

TEST_F(HostProgramaTest, firstStartCreatesTheDemoCompanyAndPhotographsTheMainWindow)
{
    QTemporaryDir aplicacion;
    QDir(aplicacion.path()).mkpath(QStringLiteral("rpt"));
    QProcessEnvironment env;
    env.insert(QStringLiteral("NRVX_APP_DIR"), aplicacion.path());

    const Resultado r = ejecutar({QStringLiteral("--screenshot"), QStringLiteral("principal.png")},
                                 env);
    ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
    const QImage imagen(ruta(QStringLiteral("principal.png")));
    ASSERT_FALSE(imagen.isNull());
    EXPECT_GT(imagen.width(), 100);

    ASSERT_TRUE(QFileInfo::exists(ruta(QStringLiteral("demo/Calbra.db"))));
    EXPECT_FALSE(QFileInfo::exists(ruta(QStringLiteral("demo/Calbra.db.nueva"))));
    {
        // The company starts with work done: leftovers recorded by stores 3 and 4, then the
        // pre-invoices of stores 3 to 5, made as the screens make them.
        const auto c = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=")
                                                  + ruta(QStringLiteral("demo/Calbra.db")));
        const auto contar = [&](const QString& sql) { return c->scalar(sql).toInt64(); };
        EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(DISTINCT Cod_Almacen) FROM Reposicion_Restos")),
                  2);
        EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_Restos_Lineas")), 8);
        EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(DISTINCT Cod_AlmacenD) FROM Reposicion_Pref"
                                        " WHERE Cod_Almacen = 1")),
                  3);
        EXPECT_GT(contar(QStringLiteral("SELECT COUNT(DISTINCT Codigo) FROM Reposicion_Pref_Lineas"
                                        " WHERE Cod_Almacen = 1")),
                  6);
        // What they sent is held at the origin; what was left pending at those stores became
        // leftovers, and the other stores keep theirs for the user to generate.
        EXPECT_GT(contar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_StockReservado"
                                        " WHERE Cod_Almacen = 1")),
                  0);
        EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM Reposicion WHERE Cod_Almacen IN"
                                        " (3, 4, 5) AND UnidadesVenta <> 0")),
                  0);
        EXPECT_GT(contar(QStringLiteral("SELECT COUNT(*) FROM Reposicion WHERE Cod_Almacen = 6")),
                  0);
        EXPECT_GT(contar(QStringLiteral("SELECT COUNT(*) FROM Pedidos_Central")), 0);
        c->close();
    }
    QFile ini(ruta(QStringLiteral("demo/Calbra.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString texto = QString::fromUtf8(ini.readAll());
    for (const QString& linea :
         {QStringLiteral("CodigoEmpresa=1"), QStringLiteral("AlmacenDefecto=1"),
          QStringLiteral("ODBCNombre=NRVXDEMO"), QStringLiteral("ODBCBaseDatos=Calbra"),
          QStringLiteral("ServidorCentral=NRVXDEMO"),
          QStringLiteral("UsuarioActual=1"), QStringLiteral("OficinaCentral=1"),
          QStringLiteral("RutaAplicacion=") + QDir(aplicacion.path()).absolutePath()})
        EXPECT_TRUE(texto.contains(linea)) << linea.toStdString();

    // A second start keeps the company it has; a configuration deleted is written again.
    const QDateTime creada = QFileInfo(ruta(QStringLiteral("demo/Calbra.db"))).lastModified();
    ASSERT_TRUE(ini.remove());
    const Resultado otra =
        ejecutar({QStringLiteral("--screenshot"), QStringLiteral("otra.png")}, env);
    EXPECT_EQ(otra.codigo, 0) << otra.errores.toStdString();
    EXPECT_FALSE(otra.errores.contains(QStringLiteral("Creada")));
    EXPECT_EQ(QFileInfo(ruta(QStringLiteral("demo/Calbra.db"))).lastModified(), creada);
    EXPECT_TRUE(QFileInfo::exists(ruta(QStringLiteral("demo/Calbra.ini"))));
}

TEST_F(HostProgramaTest, anUnknownScreenFailsWithoutAPicture)
{
    const Resultado r = ejecutar({QStringLiteral("--open"), QStringLiteral("frmclsNoExiste"),
                                  QStringLiteral("--screenshot"), QStringLiteral("x.png")});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_FALSE(QFileInfo::exists(ruta(QStringLiteral("x.png"))));
}

TEST_F(HostProgramaTest, aDamagedConfigurationIsReportedNotGuessed)
{
    QDir(dir_.path()).mkpath(QStringLiteral("demo"));
    QFile ini(ruta(QStringLiteral("demo/Calbra.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Text));
    ini.write("[Empresa]\nCodigoEmpresa=uno\n");
    ini.close();
    const Resultado r = ejecutar({QStringLiteral("--screenshot"), QStringLiteral("x.png")});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_TRUE(r.errores.contains(QStringLiteral("CodigoEmpresa"))) << r.errores.toStdString();
    EXPECT_FALSE(QFileInfo::exists(ruta(QStringLiteral("x.png"))));
}

}  // namespace
