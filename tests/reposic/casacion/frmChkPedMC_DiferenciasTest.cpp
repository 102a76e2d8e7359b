#include "CasacionFixture.h"

#include "reposic/casacion/frmChkPedMC_Diferencias.h"
#include "reposic/casacion/modChkPedMC.h"

#include <QCoreApplication>
#include <QLineEdit>

using db::Money;

namespace {

class PantallaDiferencias : public CasacionFixture {
protected:
    PantallaDiferencias()
    {
        semilla.articulo(1).articulo(2);
        conn()->execute("UPDATE Articulos SET Descripcion = 'CAFE D''OR 250G' WHERE Codigo = 2");
        ReiniciarArticulosChk();
        ArticulosChk().push_back({1, Money::fromInt(10), Money::fromInt(7), Money::fromInt(3)});
        ArticulosChk().push_back({5, Money::fromInt(2), Money::fromInt(2), Money()});
        ArticulosChk().push_back({2, Money::fromInt(1), Money::fromDouble(2.5), Money::fromDouble(-1.5)});
        ArticulosChk().push_back({77, Money(), Money::fromInt(4), Money::fromInt(-4)});
    }
    std::unique_ptr<frmChkPedMC_Diferencias> abrirDif()
    {
        auto d = std::make_unique<frmChkPedMC_Diferencias>();
        d->ListaPedidos = QStringLiteral("101, 102");
        d->ListaMiniCompras = QStringLiteral("7");
        d->show();
        return d;
    }
    // Opens the editor on a difference cell; null when the grid refuses.
    static QLineEdit* editar(ui::FlexGrid* g, int fila, int col = 4)
    {
        g->setRow(fila);
        g->setCol(col);
        return g->EditCell() ? g->EditWindow() : nullptr;
    }
};

}  // namespace

TEST_F(PantallaDiferencias, listsOnlyTheArticlesThatDisagreeAndNamesTheMissingOnes)
{
    auto d = abrirDif();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Artículos con Diferencias"));
    ui::FlexGrid* g = grid(d.get(), "vsDif");
    ASSERT_EQ(g->Rows(), 4);
    EXPECT_EQ(g->TextMatrix(2, 1), QStringLiteral("CAFE D'OR 250G"));
    EXPECT_EQ(g->TextMatrix(2, 3), QStringLiteral("2,5"));
    EXPECT_EQ(g->TextMatrix(2, 4), QStringLiteral("-1,5"));
    EXPECT_EQ(g->TextMatrix(3, 1), QStringLiteral("NO EXISTE EL ARTICULO"));
    EXPECT_EQ(g->TextMatrix(3, 5), QStringLiteral("4"));
    EXPECT_TRUE(g->ColHidden(5));
    EXPECT_TRUE(hijo<QWidget>(d.get(), QStringLiteral("cmdLiquidar"))->isVisibleTo(d.get()));

    empresa_->setParametro(QStringLiteral("PedProv_ModoActUndsPtes"), QStringLiteral("2"));
    auto soloImprimir = abrirDif();
    EXPECT_FALSE(hijo<QWidget>(soloImprimir.get(), QStringLiteral("cmdLiquidar"))->isVisibleTo(soloImprimir.get()));
}

TEST_F(PantallaDiferencias, onlyTheDifferenceTakesDigitsAndOneCommaAndMustBeANumber)
{
    auto d = abrirDif();
    ui::FlexGrid* g = grid(d.get(), "vsDif");
    EXPECT_EQ(editar(g, 1, 2), nullptr);
    EXPECT_EQ(editar(g, 1, 1), nullptr);

    QLineEdit* e = editar(g, 1);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->text(), QStringLiteral("3,00"));
    EXPECT_EQ(e->selectedText(), QStringLiteral("3,00"));
    QTest::keyClicks(e, QStringLiteral("1-a.5,x"));
    EXPECT_EQ(e->text(), QStringLiteral("1,5"));
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, QStringLiteral("75"));
    QTest::keyClick(e, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(g->TextMatrix(1, 4), QStringLiteral("1,75"));
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(mensajes.count(), 0);

    e = editar(g, 3);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->text(), QStringLiteral("-4,00"));
    e->clear();
    QTest::keyClick(e, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(mensajes.texts(), QStringList{QStringLiteral("Debe especificar un valor numerico")});
    EXPECT_EQ(mensajes.last().icon(), ui::vbExclamation);
    EXPECT_EQ(g->TextMatrix(3, 4), QStringLiteral("0"));
    EXPECT_EQ(g->Row(), 3);
}

TEST_F(PantallaDiferencias, theQuestionDecidesLiquidationAndCarrying)
{
    struct Caso {
        const char* tipo;
        int respuesta;
        int botones;
        int resultado;
        bool llevar;
    } casos[] = {{"1", ui::vbYes, ui::vbYesNoCancel, 1, true},
                 {"1", ui::vbNo, ui::vbYesNoCancel, 1, false},
                 {"1", ui::vbCancel, ui::vbYesNoCancel, 0, false},
                 {"0", ui::vbOK, ui::vbOKCancel, 1, false}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.respuesta);
        empresa_->setParametro(QStringLiteral("RepArtProv_TipoReposicionAutomatica"), QString::fromLatin1(c.tipo));
        mensajes.clear();
        auto d = abrirDif();
        grid(d.get(), "vsDif")->setTextMatrix(1, 4, QStringLiteral("2,5"));
        mensajes.answer(c.respuesta);
        pulsar(d.get(), QStringLiteral("cmdLiquidar"));
        ASSERT_EQ(mensajes.count(), 1);
        EXPECT_EQ(mensajes.last().buttons(), c.botones);
        EXPECT_EQ(mensajes.last().defaultButton(), ui::vbDefaultButton3);
        EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Atención !"));
        EXPECT_EQ(d->Resultado, c.resultado);
        EXPECT_EQ(d->LlevarAReposicion, c.llevar);
        EXPECT_EQ(d->descargado(), c.resultado == 1);
        EXPECT_EQ(ArticulosChk()[1].Diferencia, c.resultado == 1 ? Money::fromDouble(2.5) : Money::fromInt(3));
        ArticulosChk()[1].Diferencia = Money::fromInt(3);
    }
    EXPECT_TRUE(mensajes.last().text.endsWith(QStringLiteral("¿Desea continuar?")));
}

TEST_F(PantallaDiferencias, printsTheListWithQuotedDescriptionsAndClearsItsRows)
{
    auto d = abrirDif();
    pulsar(d.get(), QStringLiteral("cmImprimir"));
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    ASSERT_EQ(impresos.size(), 1);
    const QString& texto = impresos[0].texto;
    EXPECT_TRUE(texto.contains(QStringLiteral("CAFE D'OR 250G")));
    EXPECT_TRUE(texto.contains(QStringLiteral("NO EXISTE EL ARTICULO")));
    EXPECT_TRUE(texto.contains(QStringLiteral("101, 102")));
    EXPECT_FALSE(texto.contains(QStringLiteral("Artículo 5")));
    EXPECT_EQ(count("Temp_ChkPedidos"), 0);

    // A report that cannot open leaves the rows, stored as typed, for the next print to clear.
    empresa_->setRutaAplicacion(QStringLiteral("/no/existe"));
    pulsar(d.get(), QStringLiteral("cmImprimir"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_EQ(count("Temp_ChkPedidos"), 3);
    EXPECT_EQ(scalar("SELECT Descripcion FROM Temp_ChkPedidos WHERE Cod_Articulo = 2").toText(),
              QStringLiteral("CAFE D'OR 250G"));
    EXPECT_EQ(dinero("SELECT UnidadesMC FROM Temp_ChkPedidos WHERE Cod_Articulo = 2"), Money::fromDouble(2.5));
}
