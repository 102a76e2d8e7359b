// The host's window under control-level security: its menu and each entry are controls, and a
// screen closed in the menu cannot be reached through the tree or by name either.
#include "host/app/RegistroLanzadores.h"
#include "host/app/VentanaPrincipal.h"
#include "platform/ui/MsgBoxScript.h"
#include "reposic/frame/clsControlSeg.h"
#include "support/DatosFixture.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

namespace {

class VentanaSeguridad : public testsupport::DatosFixture {
protected:
    VentanaSeguridad()
    {
        hostapp::registrarLanzadores();
        empresa_->setParametro(QStringLiteral("UsuarioActual"), QStringLiteral("7"));
        conn()->execute("INSERT INTO SGD_Usuarios_Grupos (CodUsuario, CodGrupo) VALUES (7, 3)");
    }
    ~VentanaSeguridad() override { reposic::clsControlSeg::setServidorRegistro(QString()); }

    // Registers the window's controls as an administrator's workstation would.
    void registrar()
    {
        empresa_->setParametro(QStringLiteral("ServidorRegistroSeguridad"), conn()->serverName());
        hostapp::VentanaPrincipal v(empresa_, conn());
        reposic::clsControlSeg::setServidorRegistro(QString());
        empresa_->setParametro(QStringLiteral("ServidorRegistroSeguridad"), QString());
    }
    void derecho(const QString& control, int grupo, int permiso)
    {
        conn()->execute(QStringLiteral(
            "INSERT INTO SGD_Controles_Grupos (Cod_Formulario, Cod_Control, Cod_Grupo, Permiso)"
            " SELECT c.Cod_Formulario, c.Cod_Control, %1, %2 FROM SGD_Controles c"
            " INNER JOIN SGD_Formularios f ON f.Cod_Formulario = c.Cod_Formulario"
            " WHERE f.Nombre = 'frmHost' AND c.Nombre = '%3'").arg(grupo).arg(permiso).arg(control));
    }
    static QTreeWidgetItem* hoja(hostapp::VentanaPrincipal& v, const QString& clase)
    {
        auto* arbol = v.findChild<QTreeWidget*>(QStringLiteral("trvPantallas"));
        const auto items = arbol->findItems(clase, Qt::MatchExactly | Qt::MatchRecursive, 1);
        return items.isEmpty() ? nullptr : items.first();
    }

    ui::MsgBoxScript mensajes;
};

}  // namespace

TEST_F(VentanaSeguridad, theMenuAndEachEntryAreRegisteredAsControls)
{
    registrar();
    for (const char* control : {"mnuPantallas", "mnuPrefacturas", "frmclsRepGrupos",
                                "frmclsRepPrefactGenerar", "mnuSalir", "trvPantallas"})
        EXPECT_EQ(count("SGD_Controles", QStringLiteral("Nombre = '%1'").arg(control)), 1)
            << control;
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
}

TEST_F(VentanaSeguridad, aScreenClosedInTheMenuIsClosedEverywhere)
{
    registrar();
    derecho(QStringLiteral("frmclsRepGrupos"), 3, 2);
    derecho(QStringLiteral("frmclsRepVisorRestos"), 4, 2);  // a group user 7 is not in

    hostapp::VentanaPrincipal v(empresa_, conn());
    auto* entrada = v.findChild<QAction*>(QStringLiteral("frmclsRepGrupos"));
    ASSERT_NE(entrada, nullptr);
    EXPECT_FALSE(entrada->isEnabled());
    EXPECT_FALSE(v.puedeAbrir(QStringLiteral("FRMCLSREPGRUPOS")));
    EXPECT_TRUE(hoja(v, QStringLiteral("frmclsRepGrupos"))->isDisabled());
    EXPECT_TRUE(v.puedeAbrir(QStringLiteral("frmclsRepVisorRestos")));
    EXPECT_FALSE(hoja(v, QStringLiteral("frmclsRepVisorRestos"))->isDisabled());

    EXPECT_FALSE(v.abrir(QStringLiteral("frmclsRepGrupos")));
    EXPECT_EQ(mensajes.last().text,
              QStringLiteral("No tiene permiso para abrir la pantalla frmclsRepGrupos."));
    EXPECT_EQ(v.formulario(QStringLiteral("frmclsRepGrupos")), nullptr);
}

TEST_F(VentanaSeguridad, aRightOnTheWholeMenuClosesEveryScreen)
{
    registrar();
    derecho(QStringLiteral("mnuPantallas"), 0, 1);
    hostapp::VentanaPrincipal v(empresa_, conn());
    auto* menu = v.findChild<QMenu*>(QStringLiteral("mnuPantallas"));
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->menuAction()->isEnabled());
    for (const char* clase : {"frmclsRepGrupos", "frmclsRepPrefactGenerar", "frmclsRepArtVisorCfg"})
        EXPECT_FALSE(v.puedeAbrir(QString::fromLatin1(clase))) << clase;

    // With the parameter that switches rights off, everything opens again.
    empresa_->setParametro(QStringLiteral("NoProcesarPermisosControles"), QStringLiteral("1"));
    hostapp::VentanaPrincipal libre(empresa_, conn());
    EXPECT_TRUE(libre.puedeAbrir(QStringLiteral("frmclsRepGrupos")));
}
