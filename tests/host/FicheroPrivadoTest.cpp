// The company configuration and its folder stay their owner's, whatever the umask.
#include "host/EmpresaConfig.h"
#include "host/FicheroPrivado.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using host::EmpresaConfig;
using host::FicheroPrivado;

namespace {

mode_t modo(const QString& ruta)
{
    struct stat st {};
    ::stat(QFile::encodeName(ruta).constData(), &st);
    return st.st_mode & 07777;
}

// Runs the test body under umask 000, the worst a user's shell can hand the program.
class UmaskCero : public ::testing::Test {
protected:
    void SetUp() override { antes_ = ::umask(0); }
    void TearDown() override { ::umask(antes_); }
    QTemporaryDir dir_;

private:
    mode_t antes_ = 022;
};

}  // namespace

TEST_F(UmaskCero, filesAreWrittenWholeAndPrivate)
{
    const QString ruta = dir_.filePath(QStringLiteral("a/b/empresa.ini"));
    ASSERT_TRUE(FicheroPrivado::crearCarpeta(dir_.filePath(QStringLiteral("a/b"))));
    EXPECT_EQ(modo(dir_.filePath(QStringLiteral("a"))), 0700u);
    EXPECT_EQ(modo(dir_.filePath(QStringLiteral("a/b"))), 0700u);
    EXPECT_EQ(modo(dir_.path()), 0700u);  // an existing folder is left as it is

    FicheroPrivado::escribir(ruta, "uno\n");
    EXPECT_EQ(modo(ruta), 0600u);
    // Rewriting an ini someone left open tightens it, and leaves no temporary behind.
    ::chmod(QFile::encodeName(ruta).constData(), 0666);
    FicheroPrivado::escribir(ruta, "dos\n");
    EXPECT_EQ(modo(ruta), 0600u);
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("dos\n"));
    EXPECT_EQ(QDir(dir_.filePath(QStringLiteral("a/b"))).entryList(QDir::Files).size(), 1);
    EXPECT_THROW(FicheroPrivado::escribir(dir_.filePath(QStringLiteral("no/hay/x.ini")), "x"),
                 std::runtime_error);
}

TEST_F(UmaskCero, anIniOthersCanWriteIsReportedOnStderr)
{
    const QString ruta = dir_.filePath(QStringLiteral("empresa.ini"));
    FicheroPrivado::escribir(ruta, "[Empresa]\nCodigoEmpresa=3\n");
    testing::internal::CaptureStderr();
    EmpresaConfig privada(ruta);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string());

    ::chmod(QFile::encodeName(ruta).constData(), 0666);
    EXPECT_TRUE(FicheroPrivado::escribiblePorOtros(ruta));
    testing::internal::CaptureStderr();
    EmpresaConfig abierta(ruta);
    const std::string aviso = testing::internal::GetCapturedStderr();
    EXPECT_NE(aviso.find("otros usuarios pueden modificar"), std::string::npos) << aviso;
    EXPECT_NE(aviso.find(ruta.toStdString()), std::string::npos) << aviso;
    EXPECT_EQ(abierta.CodigoEmpresa(), 3);
}

TEST_F(UmaskCero, settingOneParameterKeepsTheRestOfTheFile)
{
    const QString ruta = dir_.filePath(QStringLiteral("empresa.ini"));
    FicheroPrivado::escribir(ruta, "; comentario\n[Empresa]\nCodigoEmpresa=2\n\n"
                                   "[Parametros]\nODBCNombre=CENTRAL\nclavesupervisor=vieja\n"
                                   "UsuarioActual=7\n\n[Otra]\nX=1\n");
    ::chmod(QFile::encodeName(ruta).constData(), 0644);
    EmpresaConfig::escribirParametro(ruta, QStringLiteral("ClaveSupervisor"),
                                     QStringLiteral("pbkdf2-sha256$1$a=b$c"));
    EXPECT_EQ(modo(ruta), 0600u);
    EmpresaConfig e(ruta);
    EXPECT_EQ(e.Parametro(QStringLiteral("ClaveSupervisor")).toString(),
              QStringLiteral("pbkdf2-sha256$1$a=b$c"));
    EXPECT_EQ(e.Parametro(QStringLiteral("UsuarioActual")).toString(), QStringLiteral("7"));
    EXPECT_EQ(e.CodigoEmpresa(), 2);
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("; comentario\n"));

    // A file without the section gets one; a missing parameter is added to the section.
    const QString otra = dir_.filePath(QStringLiteral("otra.ini"));
    FicheroPrivado::escribir(otra, "[Empresa]\nCodigoEmpresa=1\n");
    EmpresaConfig::escribirParametro(otra, QStringLiteral("ClaveSupervisor"), QStringLiteral("k"));
    EmpresaConfig::escribirParametro(otra, QStringLiteral("UsuarioActual"), QStringLiteral("4"));
    EmpresaConfig eo(otra);
    EXPECT_EQ(eo.Parametro(QStringLiteral("ClaveSupervisor")).toString(), QStringLiteral("k"));
    EXPECT_EQ(eo.Parametro(QStringLiteral("UsuarioActual")).toString(), QStringLiteral("4"));
}
