#include "host/Instalacion.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Sets an environment variable for one test and puts the old value back.
class Entorno {
public:
    Entorno(const char* nombre, const QString& valor)
        : nombre_(nombre), habia_(qEnvironmentVariableIsSet(nombre)), antes_(qgetenv(nombre))
    {
        qputenv(nombre_, valor.toUtf8());
    }
    ~Entorno()
    {
        if (habia_)
            qputenv(nombre_, antes_);
        else
            qunsetenv(nombre_);
    }

private:
    const char* nombre_;
    bool habia_;
    QByteArray antes_;
};

}  // namespace

TEST(Instalacion, nrvxAppDirWinsAndAnyBuildFolderFindsTheSourceReports)
{
    QTemporaryDir propia;
    ASSERT_TRUE(QDir(propia.path()).mkpath(QStringLiteral("Rpt")));
    {
        Entorno e("NRVX_APP_DIR", propia.path());
        EXPECT_EQ(host::Instalacion::carpetaAplicacion(), QDir(propia.path()).absolutePath());
    }
    // A folder without reports is passed over: the test program runs from a build folder,
    // wherever it is, and the reports are those of the source it was configured from.
    QTemporaryDir vacia;
    Entorno e("NRVX_APP_DIR", vacia.path());
    EXPECT_EQ(host::Instalacion::carpetaAplicacion(), QDir(QStringLiteral(NRVX_SOURCE_DIR)).absolutePath());
    EXPECT_FALSE(host::Instalacion::version().isEmpty());
}
