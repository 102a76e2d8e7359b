// The host program's own files and its refusals, as a user meets them from a shell.
#include "host/ClaveSupervisor.h"
#include "host/EmpresaConfig.h"
#include "platform/db/Connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct Salida {
    int codigo = -1;
    QString errores;
};

mode_t modo(const QString& ruta)
{
    struct stat st {};
    ::stat(QFile::encodeName(ruta).constData(), &st);
    return st.st_mode & 07777;
}

class SeguridadPrograma : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    // Runs nrvx-host in the temporary folder, without a display, feeding `entrada` to stdin.
    Salida ejecutar(const QStringList& argumentos, const QByteArray& entrada = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "NRVX_HOST_DB"})
            env.remove(QString::fromLatin1(v));
        env.insert(QStringLiteral("NRVX_APP_DIR"), QStringLiteral(NRVX_SOURCE_DIR));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir_.path());
        p.start(QStringLiteral(NRVX_BINARY_DIR "/src/nrvx-host"), argumentos);
        p.write(entrada);
        p.closeWriteChannel();
        Salida s;
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            return s;
        }
        s.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        s.errores = QString::fromLocal8Bit(p.readAllStandardError());
        return s;
    }
    QString ruta(const QString& relativa) const { return dir_.filePath(relativa); }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(SeguridadPrograma, aFirstStartUnderUmaskZeroLeavesOnlyPrivateFiles)
{
    const mode_t antes = ::umask(0);
    const Salida s = ejecutar({QStringLiteral("--screenshot"), QStringLiteral("p.png")});
    ::umask(antes);
    ASSERT_EQ(s.codigo, 0) << s.errores.toStdString();
    EXPECT_EQ(modo(ruta(QStringLiteral("demo"))), 0700u);
    EXPECT_EQ(modo(ruta(QStringLiteral("demo/Calbra.db"))), 0600u);
    EXPECT_EQ(modo(ruta(QStringLiteral("demo/Calbra.ini"))), 0600u);
    EXPECT_FALSE(s.errores.contains(QStringLiteral("aviso"))) << s.errores.toStdString();

    // An ini someone opened up is used, with a warning every time.
    ::chmod(QFile::encodeName(ruta(QStringLiteral("demo/Calbra.ini"))).constData(), 0666);
    const Salida otra = ejecutar({QStringLiteral("--screenshot"), QStringLiteral("p.png")});
    EXPECT_EQ(otra.codigo, 0) << otra.errores.toStdString();
    EXPECT_TRUE(otra.errores.contains(QStringLiteral("otros usuarios pueden modificar")))
        << otra.errores.toStdString();
}

TEST_F(SeguridadPrograma, openRefusesAScreenTheUsersRightsCloseInTheMenu)
{
    ASSERT_EQ(ejecutar({QStringLiteral("--screenshot"), QStringLiteral("p.png")}).codigo, 0);
    {
        auto c = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=")
                                            + ruta(QStringLiteral("demo/Calbra.db")));
        c->execute(QStringLiteral("INSERT INTO SGD_Formularios (Cod_Formulario, Nombre)"
                                  " VALUES (90, 'frmHost')"));
        c->execute(QStringLiteral("INSERT INTO SGD_Controles (Cod_Formulario, Cod_Control, Nombre,"
                                  " Indice, TabIndex) VALUES (90, 1, 'frmclsRepGrupos', '', 0)"));
        c->execute(QStringLiteral("INSERT INTO SGD_Usuarios_Grupos (CodUsuario, CodGrupo)"
                                  " VALUES (1, 5)"));
        c->execute(QStringLiteral("INSERT INTO SGD_Controles_Grupos (Cod_Formulario, Cod_Control,"
                                  " Cod_Grupo, Permiso) VALUES (90, 1, 5, 2)"));
    }
    const Salida r = ejecutar({QStringLiteral("--open"), QStringLiteral("frmclsRepGrupos"),
                               QStringLiteral("--screenshot"), QStringLiteral("g.png")});
    EXPECT_EQ(r.codigo, 2) << r.errores.toStdString();
    EXPECT_TRUE(r.errores.contains(
        QStringLiteral("no tiene permiso para abrir la pantalla frmclsRepGrupos")))
        << r.errores.toStdString();
    EXPECT_FALSE(QFileInfo::exists(ruta(QStringLiteral("g.png"))));

    const Salida otra = ejecutar({QStringLiteral("--open"), QStringLiteral("frmclsRepVisorRestos"),
                                  QStringLiteral("--screenshot"), QStringLiteral("v.png")});
    EXPECT_EQ(otra.codigo, 0) << otra.errores.toStdString();
}

TEST_F(SeguridadPrograma, claveSupervisorWritesOnlyTheHashOfAKeyTypedTwice)
{
    // Nothing to write into: refused, and no company is created by accident.
    EXPECT_EQ(ejecutar({QStringLiteral("--clave-supervisor")}, "k\nk\n").codigo, 2);
    EXPECT_FALSE(QFileInfo::exists(ruta(QStringLiteral("demo"))));

    ASSERT_EQ(ejecutar({QStringLiteral("--screenshot"), QStringLiteral("p.png")}).codigo, 0);
    const QString ini = ruta(QStringLiteral("demo/Calbra.ini"));
    const Salida distinta = ejecutar({QStringLiteral("--clave-supervisor")}, "uno\ndos\n");
    EXPECT_EQ(distinta.codigo, 2);
    EXPECT_TRUE(distinta.errores.contains(QStringLiteral("no coinciden")));
    EXPECT_EQ(host::EmpresaConfig(ini).Parametro(QStringLiteral("ClaveSupervisor")).toString(),
              QString());

    const Salida s = ejecutar({QStringLiteral("--clave-supervisor")}, "Clave;Buena\nClave;Buena\n");
    ASSERT_EQ(s.codigo, 0) << s.errores.toStdString();
    EXPECT_FALSE(s.errores.contains(QStringLiteral("Clave;Buena")));
    const QString guardada =
        host::EmpresaConfig(ini).Parametro(QStringLiteral("ClaveSupervisor")).toString();
    EXPECT_TRUE(guardada.startsWith(QStringLiteral("pbkdf2-sha256$"))) << guardada.toStdString();
    EXPECT_TRUE(host::ClaveSupervisor::comprobar(guardada, QStringLiteral("Clave;Buena")));
    EXPECT_EQ(modo(ini), 0600u);
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.readAll().contains("Clave;Buena"));
}
