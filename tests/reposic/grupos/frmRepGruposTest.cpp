#include "GruposFixture.h"

#include "platform/ui/FlexGrid.h"
#include "reposic/grupos/frmRepGrupos.h"

#include <QCoreApplication>

#include <memory>

namespace {

class PantallaGrupos : public GruposFixture {
protected:
    PantallaGrupos()
    {
        empresa_->setParametro(QStringLiteral("UsuarioActual"), QStringLiteral("7"));
        aprov(5, QStringLiteral("Alimentación"));
        aprov(6, QStringLiteral("Bazar"));
    }
    std::unique_ptr<frmRepGrupos> abrir(int16_t codAprov = 5)
    {
        auto f = std::make_unique<frmRepGrupos>();
        f->Cod_Aprov = codAprov;
        f->show();
        QCoreApplication::processEvents();
        return f;
    }
    ui::FlexGrid* rejilla(QWidget* f) { return hijo<ui::FlexGrid>(f, QStringLiteral("vsLineas")); }
    void elegirFila(QWidget* f, int fila) { rejilla(f)->setRow(fila); }
};

}  // namespace

TEST_F(PantallaGrupos, aUserTiedToOneProvisioningGroupOpensOnItWithoutBeingAsked)
{
    permiso(7, 3, 6);
    grupo(1, QStringLiteral("Frutas"), 5);
    grupo(2, QStringLiteral("Menaje"), 6);
    auto f = abrir(0);
    EXPECT_EQ(modales.count(), 0);
    EXPECT_EQ(f->Cod_Aprov, 6);
    ASSERT_EQ(rejilla(f.get())->Rows(), 2);
    EXPECT_EQ(rejilla(f.get())->TextMatrix(0, 0), QStringLiteral("Codigo"));
    EXPECT_EQ(rejilla(f.get())->TextMatrix(1, 1), QStringLiteral("Menaje"));
    EXPECT_GE(rejilla(f.get())->ColWidth(1), 4000);  // the name column takes the spare width
    EXPECT_TRUE(hijo<QWidget>(f.get(), QStringLiteral("cmdEliminar"))->isEnabled());
}

TEST_F(PantallaGrupos, aUserTiedToSeveralOrNoneIsAskedAndMayChooseNone)
{
    // Several allowed: the request lists only those, and its choice is taken.
    permiso(7, 3, 5);
    permiso(7, 3, 6);
    QStringList ofrecidos;
    modales.then([&](QDialog& d) {
        auto* cbo = d.findChild<QComboBox*>(QStringLiteral("cboAprovisionamiento"));
        for (int i = 0; i < cbo->count(); ++i)
            ofrecidos << cbo->itemText(i);
        cbo->setCurrentIndex(1);
        d.findChild<QAbstractButton*>(QStringLiteral("cmdAceptar"))->click();
    });
    auto f = abrir(0);
    EXPECT_EQ(modales.dialogs(), QStringList{QStringLiteral("frmPedirAprovisionamiento")});
    EXPECT_EQ(ofrecidos, (QStringList{QStringLiteral("Alimentación"), QStringLiteral("Bazar")}));
    EXPECT_EQ(f->Cod_Aprov, 6);
    EXPECT_FALSE(f->descargado());

    // Closing the request without choosing leaves no group: the screen says so and closes.
    modales.then([](QDialog& d) { d.reject(); });
    auto g = abrir(0);
    EXPECT_EQ(mensajes.texts(),
              QStringList{QStringLiteral("Código Grupo de Aprovisionamiento incorrecto")});
    EXPECT_EQ(mensajes.last().icon(), ui::vbInformation);
    EXPECT_TRUE(g->descargado());
}

TEST_F(PantallaGrupos, anEmptyRequestListMeansNoProvisioningGroup)
{
    conn()->execute("DELETE FROM Reposicion_Grp_Aprovisionamiento");
    modales.then(responder({}));
    auto f = abrir(0);
    EXPECT_EQ(f->Cod_Aprov, 0);
    EXPECT_TRUE(mensajes.shown(QStringLiteral("Código Grupo de Aprovisionamiento incorrecto")));
    EXPECT_TRUE(f->descargado());
}

TEST_F(PantallaGrupos, codesAreDrawnCompanyWideBelow3000)
{
    auto f = abrir();
    modales.then(nombre(QStringLiteral("Frutas")));
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(scalar("SELECT Cod_Grupo FROM Reposicion_Grp WHERE Nombre = 'Frutas'").toInt(), 1);
    EXPECT_EQ(scalar("SELECT Cod_Aprov FROM Reposicion_Grp WHERE Cod_Grupo = 1").toInt(), 5);
    EXPECT_EQ(rejilla(f.get())->TextMatrix(1, 0), QStringLiteral("1"));

    // Codes of other provisioning groups count; codes of 3000 and above do not.
    grupo(40, QStringLiteral("Otros"), 6);
    grupo(3500, QStringLiteral("Externo"), 5);
    modales.then(nombre(QStringLiteral("Verduras")));
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(scalar("SELECT Cod_Grupo FROM Reposicion_Grp WHERE Nombre = 'Verduras'").toInt(), 41);

    conn()->execute("UPDATE Reposicion_Grp SET Cod_Grupo = 2999 WHERE Cod_Grupo = 41");
    modales.then(nombre(QStringLiteral("Lácteos")));
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(scalar("SELECT Cod_Grupo FROM Reposicion_Grp WHERE Nombre = 'Lácteos'").toInt(),
              3000);
    modales.then(nombre(QStringLiteral("Congelados")));
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(mensajes.texts(), QStringList{QStringLiteral("El grupo especificado ya existe.")});
    EXPECT_EQ(count("Reposicion_Grp", "Nombre = 'Congelados'"), 0);

    // The code drawn is held by another provisioning group: refused the same way, never the
    // database's own complaint about a duplicate key.
    conn()->execute("UPDATE Reposicion_Grp SET Cod_Aprov = 6 WHERE Cod_Grupo = 3000");
    modales.then(nombre(QStringLiteral("Helados")));
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(mensajes.texts(), (QStringList{QStringLiteral("El grupo especificado ya existe."),
                                             QStringLiteral("El grupo especificado ya existe.")}));
    EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Operación no permitida !"));
    EXPECT_EQ(count("Reposicion_Grp", "Nombre = 'Helados'"), 0);
    EXPECT_EQ(scalar("SELECT Cod_Aprov FROM Reposicion_Grp WHERE Cod_Grupo = 3000").toInt(), 6);
    EXPECT_TRUE(modales.problems().isEmpty()) << modales.problems().join('\n').toStdString();
}

TEST_F(PantallaGrupos, duplicateNamesAreRefusedOnAddWhateverTheCaseButAcceptedOnRename)
{
    grupo(1, QStringLiteral("Frutas"), 5);
    grupo(2, QStringLiteral("Menaje"), 5);
    grupo(3, QStringLiteral("Drogueria"), 6);
    auto f = abrir();
    modales.then(nombre(QStringLiteral("frutas")));
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Operación no permitida !"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbExclamation);
    EXPECT_EQ(count("Reposicion_Grp"), 3);

    // The same name in another provisioning group is no duplicate.
    modales.then(nombre(QStringLiteral("Drogueria")));
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(count("Reposicion_Grp", "Nombre = 'Drogueria'"), 2);

    elegirFila(f.get(), 2);
    QString mostrado;
    modales.then([&](QDialog& d) {
        mostrado = d.findChild<QLineEdit*>(QStringLiteral("txtNombre"))->text();
        nombre(QStringLiteral("Frutas"))(d);
    });
    pulsar(f.get(), QStringLiteral("cmdModificar"));
    EXPECT_EQ(mostrado, QStringLiteral("Menaje"));
    EXPECT_EQ(count("Reposicion_Grp", "Nombre = 'Frutas'"), 2);
    EXPECT_EQ(rejilla(f.get())->TextMatrix(2, 1), QStringLiteral("Frutas"));
    EXPECT_EQ(mensajes.count(), 1);
}

TEST_F(PantallaGrupos, namesWithQuotesAreStoredAndComparedAsTyped)
{
    auto f = abrir();
    modales.then(nombre(QStringLiteral("D'Artagnan")));
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(scalar("SELECT Nombre FROM Reposicion_Grp WHERE Cod_Grupo = 1").toText(),
              QStringLiteral("D'Artagnan"));
    modales.then(nombre(QStringLiteral("d'artagnan")));
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(mensajes.texts(), QStringList{QStringLiteral("El grupo especificado ya existe.")});
    elegirFila(f.get(), 1);
    modales.then(nombre(QStringLiteral("O'Neill's")));
    pulsar(f.get(), QStringLiteral("cmdModificar"));
    EXPECT_EQ(scalar("SELECT Nombre FROM Reposicion_Grp WHERE Cod_Grupo = 1").toText(),
              QStringLiteral("O'Neill's"));
    EXPECT_EQ(count("Reposicion_Grp"), 1);
}

TEST_F(PantallaGrupos, theDataDialogWantsAName)
{
    auto f = abrir();
    modales.then([](QDialog& d) {
        d.findChild<QAbstractButton*>(QStringLiteral("cmdAceptar"))->click();
        EXPECT_FALSE(static_cast<reposic::FormBase&>(d).descargado());
        d.findChild<QAbstractButton*>(QStringLiteral("cmdCancelar"))->click();
    });
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(mensajes.texts(), QStringList{QStringLiteral("Se esperaba Nombre.")});
    EXPECT_EQ(count("Reposicion_Grp"), 0);
}

TEST_F(PantallaGrupos, eachReferenceBlocksTheDeletionWithItsOwnMessageInOrder)
{
    grupo(1, QStringLiteral("Frutas"), 5);
    conn()->execute(
        "INSERT INTO Reposicion_Grp_Fam (Cod_Empresa, Cod_Grupo, Familia_1) VALUES (1, 1, 10)");
    conn()->execute(
        "INSERT INTO Reposicion_Pedidos_ArtCentral_ProgPedidos (Cod_Empresa, Codigo, Cod_Grupo)"
        " VALUES (1, 1, 1)");
    conn()->execute(
        "INSERT INTO Reposicion_Pedidos_ArtCentral_ProgPedidosM (Cod_Empresa, Codigo,"
        " Cod_Grupo) VALUES (1, 1, 1)");
    conn()->execute(
        "INSERT INTO Reposicion_Pedidos_ArtCentral (Cod_Empresa, Codigo, Fecha, Cod_GrupoRep)"
        " VALUES (1, 1, '2026-12-01', 1)");
    conn()->execute(
        "INSERT INTO Reposicion_Pedidos_ArtCentral_Filtro (Cod_Empresa, Codigo,"
        " Cod_Grupo_Reposicion) VALUES (1, 1, 1)");
    auto f = abrir();
    elegirFila(f.get(), 1);
    const char* const tablas[] = {
        "Reposicion_Pedidos_ArtCentral_ProgPedidos", "Reposicion_Pedidos_ArtCentral_ProgPedidosM",
        "Reposicion_Pedidos_ArtCentral", "Reposicion_Pedidos_ArtCentral_Filtro"};
    const QStringList esperados{
        QStringLiteral("Existen programaciones asociadas al grupo."),
        QStringLiteral("Existen programaciones Multifiltro asociadas al grupo."),
        QStringLiteral("Existen pedidos asociados al grupo."),
        QStringLiteral("Existen programaciones asociadas al grupo.")};
    for (int i = 0; i < 4; ++i) {
        mensajes.clear();
        mensajes.answer(ui::vbYes);
        pulsar(f.get(), QStringLiteral("cmdEliminar"));
        ASSERT_EQ(mensajes.count(), 2) << i;
        EXPECT_EQ(mensajes.boxes()[0].title, QStringLiteral("Grupos de Reposición"));
        EXPECT_EQ(mensajes.last().text, esperados[i]) << i;
        EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Operación no permitida !"));
        EXPECT_EQ(count("Reposicion_Grp"), 1);
        conn()->execute(QStringLiteral("DELETE FROM %1").arg(QString::fromLatin1(tablas[i])));
    }
    mensajes.clear();
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_EQ(mensajes.count(), 1);
    EXPECT_EQ(count("Reposicion_Grp"), 0);
    EXPECT_EQ(count("Reposicion_Grp_Fam"), 0);
    EXPECT_EQ(rejilla(f.get())->Rows(), 1);
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("cmdEliminar"))->isEnabled());
}

TEST_F(PantallaGrupos, aFailedCheckRefusesTheDeletionAndNamesItsLine)
{
    grupo(1, QStringLiteral("Frutas"), 5);
    conn()->execute("DROP TABLE Reposicion_Pedidos_ArtCentral_Filtro");
    auto f = abrir();
    elegirFila(f.get(), 1);
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    ASSERT_EQ(mensajes.count(), 2);
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_TRUE(tituloConLinea(mensajes.last().title,
                               QStringLiteral("frmRepGrupos:Validar_Eliminar_GrupoRep")))
        << mensajes.last().title.toStdString();
    EXPECT_EQ(count("Reposicion_Grp"), 1);
}

TEST_F(PantallaGrupos, aDeletionThatFailsHalfWayLeavesGroupAndFamiliesAsTheyWere)
{
    grupo(1, QStringLiteral("Frutas"), 5);
    conn()->execute(
        "INSERT INTO Reposicion_Grp_Fam (Cod_Empresa, Cod_Grupo, Familia_1) VALUES (1, 1, 10)");
    conn()->execute(
        "CREATE TRIGGER fallo BEFORE DELETE ON Reposicion_Grp_Fam"
        " BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
    auto f = abrir();
    elegirFila(f.get(), 1);
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    ASSERT_EQ(mensajes.count(), 2);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("disco lleno")));
    EXPECT_EQ(mensajes.last().title, QStringLiteral("frmAlmacen_RepGrupos:cmdEliminar_Click"));
    EXPECT_EQ(count("Reposicion_Grp"), 1);
    EXPECT_EQ(count("Reposicion_Grp_Fam"), 1);
    EXPECT_EQ(rejilla(f.get())->Rows(), 2);
    EXPECT_EQ(conn()->transactionDepth(), 0);
}

TEST_F(PantallaGrupos, propertiesOpenTheFamiliesOfTheCurrentGroup)
{
    grupo(1, QStringLiteral("Frutas"), 5);
    grupo(2, QStringLiteral("Menaje"), 5);
    auto f = abrir();
    elegirFila(f.get(), 2);
    QString titulo;
    modales.then([&](QDialog& d) {
        titulo = d.windowTitle();
        d.findChild<QAbstractButton*>(QStringLiteral("cmdSalir"))->click();
    });
    pulsar(f.get(), QStringLiteral("cmdPropiedades"));
    EXPECT_EQ(titulo, QStringLiteral("Grupos para Reposición    [2 - Menaje]"));
}
