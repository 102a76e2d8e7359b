#include "GruposFixture.h"

#include "host/controls/SelectorFamilia.h"
#include "host/controls/SelectorMarca.h"
#include "platform/ui/FlexGrid.h"
#include "reposic/grupos/frmRepGruposFamilias.h"

#include <QLabel>
#include <QTest>

#include <memory>

namespace {

class PantallaFamilias : public GruposFixture {
protected:
    PantallaFamilias()
    {
        empresa_->setNombreNivel(0, QStringLiteral("Sección"));
        empresa_->setNombreNivel(1, QStringLiteral("Familia"));
        empresa_->setNombreNivel(2, QStringLiteral("Subfamilia"));
        conn()->execute(
            "INSERT INTO Familias_1 (Cod_Empresa, Codigo, Nombre) VALUES (1, 10, 'Frutas'),"
            " (1, 11, 'Carnes')");
        conn()->execute(
            "INSERT INTO Familias_2 (Cod_Empresa, Familia_1, Codigo, Nombre)"
            " VALUES (1, 10, 5, 'Cítricos')");
        conn()->execute(
            "INSERT INTO Familias_3 (Cod_Empresa, Familia_1, Familia_2, Codigo, Nombre)"
            " VALUES (1, 10, 5, 2, 'Naranjas')");
        conn()->execute("INSERT INTO Marcas (Codigo, Nombre) VALUES (7, 'Acme')");
        aprov(5, QStringLiteral("Alimentación"));
        grupo(1, QStringLiteral("Frutas"), 5);
    }
    std::unique_ptr<frmRepGruposFamilias> abrir()
    {
        auto f = std::make_unique<frmRepGruposFamilias>();
        f->Cod_Grupo = 1;
        f->Nombre = QStringLiteral("Frutas");
        f->show();
        return f;
    }
    static host::SelectorFamilia* familia(QWidget* f, int index)
    {
        for (auto* s : f->findChildren<host::SelectorFamilia*>(QStringLiteral("txtFamilia")))
            if (s->property("Index").toInt() == index)
                return s;
        return nullptr;
    }
    static QLabel* etiqueta(QWidget* f, int index)
    {
        for (auto* l : f->findChildren<QLabel*>(QStringLiteral("lblTFamilia")))
            if (l->property("Index").toInt() == index)
                return l;
        return nullptr;
    }
    // Types a code into a picker and presses Enter, as the user does.
    static void teclear(host::SelectorBase* s, const QString& codigo)
    {
        s->lineaTexto()->setText(codigo);
        QTest::keyClick(s->lineaTexto(), Qt::Key_Return);
    }
    // Fills the pickers and presses Enter in the brand picker.
    void agregar(QWidget* f, const QString& f1, const QString& f2, const QString& f3,
                 const QString& marca)
    {
        const QString codigos[] = {f1, f2, f3};
        for (int i = 0; i < 3; ++i) {
            if (!familia(f, i)->isHidden())
                teclear(familia(f, i), codigos[i]);
        }
        auto* m = hijo<host::SelectorMarca>(f, QStringLiteral("txtMarca"));
        m->setTexto(marca);
        QTest::keyClick(m->lineaTexto(), Qt::Key_Return);
    }
    ui::FlexGrid* rejilla(QWidget* f) { return hijo<ui::FlexGrid>(f, QStringLiteral("vsFam")); }
};

}  // namespace

TEST_F(PantallaFamilias, loadsTheNamedLevelsAndTheElementsWithTheirNames)
{
    empresa_->setNombreNivel(2, QString());
    conn()->execute(
        "INSERT INTO Reposicion_Grp_Fam (Cod_Empresa, Cod_Grupo, Familia_1, Familia_2, Cod_Marca)"
        " VALUES (1, 1, 10, 5, 7), (1, 1, 0, 0, 99)");
    auto f = abrir();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Grupos para Reposición    [1 - Frutas]"));
    EXPECT_FALSE(familia(f.get(), 0)->isHidden());
    EXPECT_FALSE(familia(f.get(), 1)->isHidden());
    EXPECT_TRUE(familia(f.get(), 2)->isHidden());
    EXPECT_TRUE(etiqueta(f.get(), 2)->isHidden());
    EXPECT_EQ(etiqueta(f.get(), 1)->text(), QStringLiteral("Familia"));
    auto* g = rejilla(f.get());
    ASSERT_EQ(g->Rows(), 3);
    EXPECT_EQ(g->TextMatrix(0, 0), QStringLiteral("Sección"));
    EXPECT_EQ(g->TextMatrix(0, 3), QStringLiteral("Marca"));
    // Ordered by family path; a brand missing from the master keeps its code.
    EXPECT_EQ(g->TextMatrix(1, 3), QStringLiteral("99 - "));
    EXPECT_EQ(g->TextMatrix(1, 0), QString());
    EXPECT_EQ(g->TextMatrix(2, 0), QStringLiteral("10 - Frutas"));
    EXPECT_EQ(g->TextMatrix(2, 1), QStringLiteral("5 - Cítricos"));
    EXPECT_EQ(g->TextMatrix(2, 3), QStringLiteral("7 - Acme"));
    EXPECT_TRUE(hijo<QWidget>(f.get(), QStringLiteral("cmdEliminar"))->isEnabled());

    // With the third level hidden an element never has a third family.
    agregar(f.get(), QStringLiteral("10"), QString(), QString(), QString());
    EXPECT_EQ(count("Reposicion_Grp_Fam", "Familia_1 = 10 AND Familia_2 = 0 AND Familia_3 = 0"), 1);
}

TEST_F(PantallaFamilias, addsFullPathsAndBrandOnlyElementsAndIgnoresAnEmptyOne)
{
    auto f = abrir();
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("cmdEliminar"))->isEnabled());
    agregar(f.get(), QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("2"), QString());
    agregar(f.get(), QString(), QString(), QString(), QStringLiteral("7"));
    agregar(f.get(), QString(), QString(), QString(), QString());
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    EXPECT_EQ(count("Reposicion_Grp_Fam"), 2);
    EXPECT_EQ(count("Reposicion_Grp_Fam",
                    "Familia_1 = 10 AND Familia_2 = 5 AND Familia_3 = 2"
                    " AND Cod_Marca = 0"),
              1);
    EXPECT_EQ(count("Reposicion_Grp_Fam", "Familia_1 = 0 AND Cod_Marca = 7"), 1);
    auto* g = rejilla(f.get());
    ASSERT_EQ(g->Rows(), 3);
    EXPECT_EQ(g->TextMatrix(1, 2), QStringLiteral("2 - Naranjas"));
    EXPECT_EQ(g->TextMatrix(2, 3), QStringLiteral("7 - Acme"));
    EXPECT_EQ(g->Row(), 2);
    // The pickers are emptied for the next element.
    EXPECT_TRUE(familia(f.get(), 0)->texto().isEmpty());
    EXPECT_EQ(hijo<host::SelectorMarca>(f.get(), QStringLiteral("txtMarca"))->codigo(), 0);
    EXPECT_TRUE(hijo<QWidget>(f.get(), QStringLiteral("cmdEliminar"))->isEnabled());
}

TEST_F(PantallaFamilias, aLowerLevelWithoutTheUpperOnesIsRefused)
{
    auto f = abrir();
    agregar(f.get(), QString(), QStringLiteral("5"), QString(), QString());
    agregar(f.get(), QStringLiteral("10"), QString(), QStringLiteral("2"), QString());
    ASSERT_EQ(mensajes.count(), 2);
    EXPECT_EQ(mensajes.boxes()[0].text,
              QStringLiteral("No puede dejar en blanco Sección habiendo especificado Familia."));
    EXPECT_EQ(mensajes.boxes()[1].text,
              QStringLiteral(
                  "No puede dejar en blanco Sección o Familia habiendo especificado Subfamilia."));
    EXPECT_EQ(mensajes.last().title, QStringLiteral("Validando ..."));
    EXPECT_EQ(mensajes.last().icon(), ui::vbExclamation);
    EXPECT_EQ(count("Reposicion_Grp_Fam"), 0);
}

TEST_F(PantallaFamilias, choosingAnotherUpperFamilyClearsTheLevelsBelow)
{
    auto f = abrir();
    teclear(familia(f.get(), 0), QStringLiteral("10"));
    teclear(familia(f.get(), 1), QStringLiteral("5"));
    teclear(familia(f.get(), 2), QStringLiteral("2"));
    EXPECT_EQ(familia(f.get(), 2)->nombre(), QStringLiteral("Naranjas"));
    teclear(familia(f.get(), 1), QStringLiteral("6"));
    EXPECT_TRUE(familia(f.get(), 2)->texto().isEmpty());
    teclear(familia(f.get(), 1), QStringLiteral("5"));
    teclear(familia(f.get(), 0), QStringLiteral("11"));
    EXPECT_TRUE(familia(f.get(), 1)->texto().isEmpty());
    EXPECT_TRUE(familia(f.get(), 2)->texto().isEmpty());
    EXPECT_EQ(familia(f.get(), 0)->nombre(), QStringLiteral("Carnes"));
}

TEST_F(PantallaFamilias, deletesByTheLeadingNumbersOfTheCells)
{
    conn()->execute(
        "INSERT INTO Reposicion_Grp_Fam (Cod_Empresa, Cod_Grupo, Familia_1, Familia_2, Cod_Marca)"
        " VALUES (1, 1, 10, 5, 0), (1, 1, 12, 0, 7)");
    auto f = abrir();
    auto* g = rejilla(f.get());
    g->setRow(2);
    EXPECT_EQ(g->TextMatrix(2, 0), QStringLiteral("12 - "));
    mensajes.answer(ui::vbNo);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_EQ(count("Reposicion_Grp_Fam"), 2);
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_EQ(mensajes.last().text, QStringLiteral("¿Desea eliminar el elemento actual?"));
    EXPECT_EQ(count("Reposicion_Grp_Fam"), 1);
    EXPECT_EQ(count("Reposicion_Grp_Fam", "Familia_1 = 10 AND Familia_2 = 5"), 1);
    EXPECT_EQ(g->Rows(), 2);

    // Once the last element is gone there is nothing left to delete.
    g->setRow(1);
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_EQ(count("Reposicion_Grp_Fam"), 0);
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("cmdEliminar"))->isEnabled());
    const int cajas = mensajes.count();
    f->cmdEliminar_Click();
    EXPECT_EQ(mensajes.count(), cajas);
}

TEST_F(PantallaFamilias, organiseReloadsInStoredOrderAndEscCloses)
{
    auto f = abrir();
    agregar(f.get(), QStringLiteral("11"), QString(), QString(), QString());
    agregar(f.get(), QStringLiteral("10"), QString(), QString(), QString());
    EXPECT_EQ(rejilla(f.get())->TextMatrix(1, 0), QStringLiteral("11 - Carnes"));
    pulsar(f.get(), QStringLiteral("cmdOrganizar"));
    EXPECT_EQ(rejilla(f.get())->TextMatrix(1, 0), QStringLiteral("10 - Frutas"));
    QTest::keyClick(f.get(), Qt::Key_Escape);
    EXPECT_TRUE(f->descargado());
}
