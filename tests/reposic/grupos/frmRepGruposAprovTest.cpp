#include "GruposFixture.h"

#include "platform/ui/FlexGrid.h"
#include "reposic/grupos/frmPedirAprovisionamiento.h"
#include "reposic/grupos/frmRepGruposAprov.h"

#include <memory>

namespace {

class PantallaAprov : public GruposFixture {
protected:
    PantallaAprov()
    {
        aprov(1, QStringLiteral("Alimentación"), 0);
        aprov(2, QStringLiteral("Bazar"), 1);
    }
    std::unique_ptr<frmRepGruposAprov> abrir()
    {
        auto f = std::make_unique<frmRepGruposAprov>();
        f->show();
        return f;
    }
    static ui::ModalHandler datos(const QString& codigo, const QString& nombre, int tipo = 0)
    {
        return [=](QDialog& d) {
            d.findChild<QComboBox*>(QStringLiteral("cboTipoFichero"))->setCurrentIndex(tipo);
            responder(
                {{QStringLiteral("txtCodigo"), codigo}, {QStringLiteral("txtNombre"), nombre}})(d);
        };
    }
    ui::FlexGrid* rejilla(QWidget* f) { return hijo<ui::FlexGrid>(f, QStringLiteral("vsLineas")); }
};

}  // namespace

TEST_F(PantallaAprov, listsTheGroupsWithTheirProposalFile)
{
    auto f = abrir();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Grupos de Aprovisionamiento de Reposición "));
    auto* g = rejilla(f.get());
    ASSERT_EQ(g->Rows(), 3);
    EXPECT_EQ(g->TextMatrix(0, 2), QStringLiteral("Fich.Propuesta"));
    EXPECT_EQ(g->TextMatrix(1, 2), QStringLiteral("PDF"));
    EXPECT_EQ(g->TextMatrix(2, 1), QStringLiteral("Bazar"));
    EXPECT_EQ(g->TextMatrix(2, 2), QStringLiteral("EXCEL"));
    EXPECT_TRUE(hijo<QWidget>(f.get(), QStringLiteral("cmdModificar"))->isEnabled());
}

TEST_F(PantallaAprov, addingRefusesAnExistingCodeOrNameAndTheDialogWantsACode)
{
    auto f = abrir();
    modales.then(datos(QStringLiteral("3"), QStringLiteral("BAZAR")))
        .then(datos(QStringLiteral("2"), QStringLiteral("Textil")))
        .then([](QDialog& d) {
            datos(QStringLiteral("0"), QStringLiteral("Textil"))(d);
            EXPECT_TRUE(d.findChild<QLineEdit*>(QStringLiteral("txtCodigo"))->text().isEmpty());
            datos(QStringLiteral("3"), QStringLiteral("Tex'til"), 1)(d);
        });
    for (int i = 0; i < 3; ++i)
        pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(mensajes.texts(),
              (QStringList{QStringLiteral("El grupo de aprovisionamiento especificado ya existe."),
                           QStringLiteral("El grupo de aprovisionamiento especificado ya existe."),
                           QStringLiteral("Se esperaba código.")}));
    EXPECT_EQ(mensajes.boxes()[0].title, QStringLiteral("¡ Operación no permitida !"));
    EXPECT_EQ(
        scalar("SELECT Nombre FROM Reposicion_Grp_Aprovisionamiento WHERE Cod_Aprov = 3").toText(),
        QStringLiteral("Tex'til"));
    EXPECT_EQ(scalar("SELECT TipoFichero_Propuesta FROM Reposicion_Grp_Aprovisionamiento"
                     " WHERE Cod_Aprov = 3")
                  .toInt(),
              1);
    EXPECT_EQ(rejilla(f.get())->TextMatrix(3, 2), QStringLiteral("EXCEL"));
}

TEST_F(PantallaAprov, renamingToAnotherGroupsNameIsAcceptedAndTheCodeStays)
{
    auto f = abrir();
    rejilla(f.get())->setRow(2);
    bool codigoFijo = false;
    int tipoMostrado = -1;
    modales.then([&](QDialog& d) {
        codigoFijo = d.findChild<QLineEdit*>(QStringLiteral("txtCodigo"))->isReadOnly();
        tipoMostrado = d.findChild<QComboBox*>(QStringLiteral("cboTipoFichero"))->currentIndex();
        datos(QStringLiteral("2"), QStringLiteral("Alimentación"), 0)(d);
    });
    pulsar(f.get(), QStringLiteral("cmdModificar"));
    EXPECT_TRUE(codigoFijo);
    EXPECT_EQ(tipoMostrado, 1);
    EXPECT_EQ(count("Reposicion_Grp_Aprovisionamiento", "Nombre = 'Alimentación'"), 2);
    EXPECT_EQ(
        count("Reposicion_Grp_Aprovisionamiento", "Cod_Aprov = 2 AND TipoFichero_Propuesta = 0"),
        1);
    EXPECT_EQ(rejilla(f.get())->TextMatrix(2, 2), QStringLiteral("PDF"));
}

TEST_F(PantallaAprov, aGroupInUseIsKeptAndAFreeOneGoesWithItsGrantsAndFilters)
{
    grupo(10, QStringLiteral("Frutas"), 1);
    permiso(7, 3, 1);
    permiso(7, 4, 2);
    conn()->execute(
        "INSERT INTO Reposicion_Pedidos_ArtCentral_Filtro_Categorias (Cod_Empresa, Cod_Filtro,"
        " Cod_Aprov) VALUES (1, 1, 2)");
    auto f = abrir();
    rejilla(f.get())->setRow(1);
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_EQ(mensajes.boxes()[0].title,
              QStringLiteral("Grupos de Aprovisionamiento de Reposición "));
    EXPECT_EQ(mensajes.last().text,
              QStringLiteral("Existen Grupos de Reposición asociadas al Aprovisionamiento."));
    EXPECT_EQ(count("Reposicion_Grp_Aprovisionamiento"), 2);
    EXPECT_EQ(count("SGD_Aprovisionamiento_Grupos", "Cod_Aprov = 1"), 1);

    rejilla(f.get())->setRow(2);
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_EQ(count("Reposicion_Grp_Aprovisionamiento"), 1);
    EXPECT_EQ(count("SGD_Aprovisionamiento_Grupos", "Cod_Aprov = 2"), 0);
    EXPECT_EQ(count("Reposicion_Pedidos_ArtCentral_Filtro_Categorias"), 0);
    EXPECT_EQ(rejilla(f.get())->Rows(), 2);
}

TEST_F(PantallaAprov, aFailingDeletionLeavesEverythingAndNamesItsLine)
{
    permiso(7, 4, 2);
    conn()->execute(
        "CREATE TRIGGER fallo BEFORE DELETE ON Reposicion_Pedidos_ArtCentral_Filtro_Categorias"
        " BEGIN SELECT RAISE(ABORT, 'bloqueado'); END");
    conn()->execute(
        "INSERT INTO Reposicion_Pedidos_ArtCentral_Filtro_Categorias (Cod_Empresa, Cod_Filtro,"
        " Cod_Aprov) VALUES (1, 1, 2)");
    auto f = abrir();
    rejilla(f.get())->setRow(2);
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    ASSERT_EQ(mensajes.count(), 2);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("bloqueado")));
    EXPECT_TRUE(tituloConLinea(mensajes.last().title,
                               QStringLiteral("frmRepGruposAprov:cmdEliminar_Click")))
        << mensajes.last().title.toStdString();
    EXPECT_EQ(count("Reposicion_Grp_Aprovisionamiento"), 2);
    EXPECT_EQ(count("SGD_Aprovisionamiento_Grupos"), 1);
    EXPECT_EQ(rejilla(f.get())->Rows(), 3);
}

TEST_F(PantallaAprov, theRequestOffersWhatTheUsersSecurityGroupsAllow)
{
    aprov(3, QStringLiteral("Textil"));
    empresa_->setParametro(QStringLiteral("UsuarioActual"), QStringLiteral("7"));
    auto ofrecidos = [] {
        frmPedirAprovisionamiento p;
        p.show();
        QStringList nombres;
        auto* cbo = p.findChild<QComboBox*>(QStringLiteral("cboAprovisionamiento"));
        for (int i = 0; i < cbo->count(); ++i)
            nombres << cbo->itemText(i);
        return nombres;
    };
    // No security group of the user is tied to provisioning groups: all are offered.
    permiso(8, 3, 2);
    EXPECT_EQ(ofrecidos(), (QStringList{QStringLiteral("Alimentación"), QStringLiteral("Bazar"),
                                        QStringLiteral("Textil")}));
    permiso(7, 4, 3);
    permiso(7, 5, 1);
    EXPECT_EQ(ofrecidos(), (QStringList{QStringLiteral("Alimentación"), QStringLiteral("Textil")}));

    frmPedirAprovisionamiento p;
    p.show();
    p.findChild<QComboBox*>(QStringLiteral("cboAprovisionamiento"))->setCurrentIndex(1);
    pulsar(&p, QStringLiteral("cmdAceptar"));
    EXPECT_EQ(p.Cod_Aprov, 3);
    EXPECT_EQ(p.Nombre, QStringLiteral("Textil"));
}
