#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "reposic/visorcfg/frmRepArtVisorCfg.h"
#include "reposic/visorcfg/frmclsRepArtVisorCfg.h"
#include "support/PantallaFixture.h"

#include <QListWidget>

#include <memory>

namespace {

const QString kAtencion = QStringLiteral("¡ Atención !");

class PantallaVisorCfg : public testsupport::PantallaFixture {
protected:
    PantallaVisorCfg()
    {
        empresa_->setParametro(QStringLiteral("UsuarioActual"), QStringLiteral("3"));
        columna(1, "EAN", "EAN", 1, 1);
        columna(2, "Descripcion", "Descripción", 1, 0);
        columna(3, "Codigo", "Código de artículo", 1, 1);
        columna(4, "Familia", "Familia", 0, 1);
        columna(7, "UdsPedir", "Unidades/cajas a pedir", 1, 0);
        columna(9, "Marca", "Marca", 0, 0);
    }
    void columna(int cod, const char* id, const char* descripcion, int cen, int prov)
    {
        conn()->execute(QStringLiteral("INSERT INTO Reposicion_Columnas (Cod_Empresa, Cod_Campo,"
                                       " Id_Campo, Descripcion, ArtCen_DF, ArtProv_DF)"
                                       " VALUES (1, %1, '%2', '%3', %4, %5)")
                            .arg(cod).arg(QString::fromUtf8(id), QString::fromUtf8(descripcion))
                            .arg(cen).arg(prov));
    }
    void valor(int cod, int tipo, int usuario, int visible, int ordenGrid, int orden = 0,
               int ordenOrderBy = 0, int ancho = 0)
    {
        conn()->execute(QStringLiteral("INSERT INTO Reposicion_Columnas_Valores (Cod_Empresa,"
                                       " Cod_Campo, TipoReposicion, Cod_Usuario, Ancho, Visible,"
                                       " Orden, OrdenGrid, OrdenOrderBy)"
                                       " VALUES (1, %1, %2, %3, %4, %5, %6, %7, %8)")
                            .arg(cod).arg(tipo).arg(usuario).arg(ancho).arg(visible).arg(orden)
                            .arg(ordenGrid).arg(ordenOrderBy));
    }
    std::unique_ptr<frmRepArtVisorCfg> abrir(int tipo)
    {
        auto f = std::make_unique<frmRepArtVisorCfg>();
        f->TipoReposicion = static_cast<uint8_t>(tipo);
        f->show();
        return f;
    }
    QListWidget* lista(QWidget* f, const char* nombre)
    {
        return hijo<QListWidget>(f, QString::fromLatin1(nombre));
    }
    ui::FlexGrid* orden(QWidget* f) { return hijo<ui::FlexGrid>(f, QStringLiteral("vsOrden")); }
    static QStringList textos(const QListWidget* l)
    {
        QStringList t;
        for (int i = 0; i < l->count(); ++i)
            t << l->item(i)->text();
        return t;
    }
    static QStringList filas(const ui::FlexGrid* g)
    {
        QStringList t;
        for (int r = 1; r < g->Rows(); ++r)
            t << g->TextMatrix(r, 0) + '|' + g->TextMatrix(r, 1) + '|' + g->TextMatrix(r, 2);
        return t;
    }
    void elegir(QWidget* f, const QString& descripcion)
    {
        QListWidget* org = lista(f, "lstOrg");
        const auto items = org->findItems(descripcion, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        org->setCurrentItem(items.first(), QItemSelectionModel::ClearAndSelect);
    }
    void agregar(QWidget* f, const QString& descripcion)
    {
        elegir(f, descripcion);
        pulsar(f, QStringLiteral("cmdAgregar"));
    }
    // One user's rows as "campo:visible/ordenGrid/orden/ordenOrderBy", by column.
    QStringList filasDe(int usuario, int tipo = 1)
    {
        db::Recordset rs(conn(), QStringLiteral("SELECT Cod_Campo, Visible, OrdenGrid, Orden,"
                                                " OrdenOrderBy FROM Reposicion_Columnas_Valores"
                                                " WHERE Cod_Usuario = %1 AND TipoReposicion = %2"
                                                " ORDER BY Cod_Campo").arg(usuario).arg(tipo));
        QStringList t;
        for (; !rs.eof(); rs.moveNext()) {
            t << QStringLiteral("%1:%2/%3/%4/%5").arg(rs.field(0).toInt()).arg(rs.field(1).toInt())
                     .arg(rs.field(2).toInt()).arg(rs.field(3).toInt()).arg(rs.field(4).toInt());
        }
        return t;
    }
};

}  // namespace

TEST_F(PantallaVisorCfg, aUserWithNoRowsSeesTheCatalogueDefaultsOfTheType)
{
    auto f = abrir(1);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Configurador Visor de Pedidos"));
    EXPECT_EQ(textos(lista(f.get(), "lstOrg")),
              (QStringList{"Código de artículo", "Descripción", "EAN", "Familia", "Marca",
                           "Unidades/cajas a pedir"}));
    EXPECT_EQ(lista(f.get(), "lstOrg")->currentRow(), 0);
    EXPECT_EQ(textos(lista(f.get(), "lstDst")),
              (QStringList{"EAN", "Descripción", "Código de artículo",
                           "Unidades/cajas a pedir"}));
    EXPECT_EQ(lista(f.get(), "lstDst")->item(3)->data(Qt::UserRole).toInt(), 7);
    ui::FlexGrid* g = orden(f.get());
    EXPECT_EQ(g->Rows(), 1);
    EXPECT_EQ(g->TextMatrix(0, 1), QStringLiteral("Campo"));
    EXPECT_EQ(g->TextMatrix(0, 2), QStringLiteral("Orden"));
    EXPECT_TRUE(g->ColHidden(0));
    EXPECT_EQ(g->ColWidth(1), 3000);

    EXPECT_EQ(textos(lista(abrir(2).get(), "lstDst")),
              (QStringList{"EAN", "Código de artículo", "Familia"}));
    EXPECT_EQ(lista(abrir(5).get(), "lstDst")->count(), 6);
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
}

TEST_F(PantallaVisorCfg, showsTheUsersOwnLayoutElseTheSharedDefault)
{
    valor(3, 1, 0, 1, 0, 2, 1);
    valor(1, 1, 0, 1, 1, 1, 2);
    valor(99, 1, 0, 1, 2);  // no longer in the catalogue
    valor(9, 1, 0, 0, 0, 1, 3);  // sorts without being shown
    auto f = abrir(1);
    EXPECT_EQ(textos(lista(f.get(), "lstDst")), (QStringList{"Código de artículo", "EAN"}));
    EXPECT_EQ(filas(orden(f.get())),
              (QStringList{"3|Código de artículo|DESC", "1|EAN|ASC", "9|Marca|ASC"}));
    EXPECT_EQ(orden(f.get())->Row(), 1);

    valor(7, 1, 3, 1, 0);
    valor(4, 1, 3, 1, 1, 2, 1);
    f = abrir(1);
    EXPECT_EQ(textos(lista(f.get(), "lstDst")),
              (QStringList{"Unidades/cajas a pedir", "Familia"}));
    EXPECT_EQ(filas(orden(f.get())), (QStringList{"4|Familia|DESC"}));
}

TEST_F(PantallaVisorCfg, acceptAsksForTheRequiredColumnsInTheirOrder)
{
    valor(2, 1, 3, 1, 0);
    auto f = abrir(1);
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    agregar(f.get(), QStringLiteral("EAN"));
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    agregar(f.get(), QStringLiteral("Código de artículo"));
    pulsar(f.get(), QStringLiteral("cmdAceptar"));

    EXPECT_EQ(mensajes.texts(),
              (QStringList{"El EAN es obligatorio. Debe incluirlo",
                           "El código de artículo es obligatorio. Debe incluirlo",
                           "Las unidades/cajas a pedir es obligatorio. Debe incluirlo"}));
    EXPECT_EQ(mensajes.last().icon(), ui::vbExclamation);
    EXPECT_EQ(mensajes.last().title, kAtencion);
    EXPECT_FALSE(f->descargado());
    EXPECT_FALSE(f->Result);
    EXPECT_EQ(filasDe(3), QStringList{"2:1/0/0/0"});
}

TEST_F(PantallaVisorCfg, acceptReplacesTheUsersLayoutAndLeavesTheDefaultAlone)
{
    valor(1, 1, 0, 1, 0);
    valor(3, 1, 0, 1, 1, 1, 1);
    valor(7, 1, 0, 1, 2);
    valor(4, 1, 3, 1, 0, 2, 1);
    valor(1, 1, 3, 1, 1);
    valor(3, 1, 3, 1, 2);
    valor(7, 1, 3, 1, 3);
    valor(1, 2, 3, 1, 0);
    auto f = abrir(1);
    ASSERT_EQ(textos(lista(f.get(), "lstDst")),
              (QStringList{"Familia", "EAN", "Código de artículo", "Unidades/cajas a pedir"}));

    lista(f.get(), "lstDst")->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    agregar(f.get(), QStringLiteral("Descripción"));
    agregar(f.get(), QStringLiteral("EAN"));  // twice: it stays at its later place
    elegir(f.get(), QStringLiteral("Marca"));
    pulsar(f.get(), QStringLiteral("cmdAgregarOrden"));
    pulsar(f.get(), QStringLiteral("cmdAscDesc"));
    orden(f.get())->setRow(1);
    pulsar(f.get(), QStringLiteral("cmdEliminarOrden"));
    ASSERT_EQ(filas(orden(f.get())), QStringList{"9|Marca|DESC"});
    pulsar(f.get(), QStringLiteral("cmdAceptar"));

    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    EXPECT_TRUE(f->Result);
    EXPECT_TRUE(f->descargado());
    // A sort column the user had no row for is stored as shown.
    EXPECT_EQ(filasDe(3), (QStringList{"1:1/4/0/0", "2:1/3/0/0", "3:1/1/0/0", "4:0/0/0/0",
                                       "7:1/2/0/0", "9:1/0/2/1"}));
    EXPECT_EQ(filasDe(0), (QStringList{"1:1/0/0/0", "3:1/1/1/1", "7:1/2/0/0"}));
    EXPECT_EQ(filasDe(3, 2), QStringList{"1:1/0/0/0"});
}

TEST_F(PantallaVisorCfg, aFailedSaveKeepsThePreviousLayoutWhole)
{
    valor(1, 1, 3, 1, 0);
    valor(3, 1, 3, 1, 1);
    valor(7, 1, 3, 1, 2, 1, 1);
    conn()->execute(QStringLiteral("CREATE TRIGGER tr_falla BEFORE INSERT ON"
                                   " Reposicion_Columnas_Valores WHEN NEW.Cod_Campo = 9"
                                   " BEGIN SELECT RAISE(ABORT, 'disco lleno'); END"));
    auto f = abrir(1);
    lista(f.get(), "lstDst")->setCurrentRow(2, QItemSelectionModel::ClearAndSelect);
    pulsar(f.get(), QStringLiteral("cmdSubir"));
    agregar(f.get(), QStringLiteral("Marca"));
    pulsar(f.get(), QStringLiteral("cmdAceptar"));

    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().title, QStringLiteral("frmRepArtVisorCfg:cmdAceptar_Click"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("disco lleno")));
    EXPECT_FALSE(f->Result);
    EXPECT_FALSE(f->descargado());
    EXPECT_EQ(filasDe(3), (QStringList{"1:1/0/0/0", "3:1/1/0/0", "7:1/2/1/1"}));
    EXPECT_EQ(conn()->transactionDepth(), 0);
}

TEST_F(PantallaVisorCfg, anotherTypeIsAcceptedWithoutWriting)
{
    auto f = abrir(5);
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    EXPECT_TRUE(f->Result);
    EXPECT_EQ(count(QStringLiteral("Reposicion_Columnas_Valores")), 0);
}

TEST_F(PantallaVisorCfg, forgettingWidthsWritesAtOnceForTheUserAndTypeOnly)
{
    valor(1, 1, 3, 1, 0, 0, 0, 120);
    valor(1, 2, 3, 1, 0, 0, 0, 130);
    valor(1, 1, 0, 1, 0, 0, 0, 140);
    auto f = abrir(1);
    pulsar(f.get(), QStringLiteral("cmdAncho"));
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().text, QStringLiteral("Operación realizada con éxito"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbInformation);
    EXPECT_EQ(scalar("SELECT SUM(Ancho) FROM Reposicion_Columnas_Valores").toInt(), 270);
    pulsar(f.get(), QStringLiteral("cmdCancelar"));
    EXPECT_FALSE(f->Result);
    EXPECT_EQ(scalar("SELECT SUM(Ancho) FROM Reposicion_Columnas_Valores").toInt(), 270);
}

TEST_F(PantallaVisorCfg, shownColumnsMoveAndTheSelectionFollows)
{
    auto f = abrir(2);  // EAN, Código de artículo, Familia
    QListWidget* org = lista(f.get(), "lstOrg");
    QListWidget* dst = lista(f.get(), "lstDst");
    // Adding walks down the catalogue; the last entry stays selected.
    org->setCurrentRow(org->count() - 2, QItemSelectionModel::ClearAndSelect);
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(org->currentRow(), org->count() - 1);
    pulsar(f.get(), QStringLiteral("cmdAgregar"));
    EXPECT_EQ(org->currentRow(), org->count() - 1);
    EXPECT_EQ(textos(dst).mid(3), (QStringList{"Marca", "Unidades/cajas a pedir"}));

    dst->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    pulsar(f.get(), QStringLiteral("cmdSubir"));  // already first
    pulsar(f.get(), QStringLiteral("cmdBajar"));
    EXPECT_EQ(textos(dst).mid(0, 2), (QStringList{"Código de artículo", "EAN"}));
    EXPECT_EQ(dst->currentRow(), 1);
    EXPECT_EQ(dst->item(1)->data(Qt::UserRole).toInt(), 1);
    dst->setCurrentRow(4, QItemSelectionModel::ClearAndSelect);
    pulsar(f.get(), QStringLiteral("cmdBajar"));  // already last
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_EQ(dst->count(), 4);
    EXPECT_EQ(dst->currentRow(), 3);
    EXPECT_TRUE(org->selectedItems().isEmpty());
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
}

TEST_F(PantallaVisorCfg, sortColumnsAreAddedOnceAndMoveAsWholeRows)
{
    auto f = abrir(1);
    ui::FlexGrid* g = orden(f.get());
    for (const char* d : {"EAN", "EAN", "Familia", "Marca"}) {
        elegir(f.get(), QString::fromUtf8(d));
        pulsar(f.get(), QStringLiteral("cmdAgregarOrden"));
    }
    EXPECT_EQ(filas(g), (QStringList{"1|EAN|ASC", "4|Familia|ASC", "9|Marca|ASC"}));
    EXPECT_EQ(g->Row(), 3);
    pulsar(f.get(), QStringLiteral("cmdSubirOrden"));
    pulsar(f.get(), QStringLiteral("cmdAscDesc"));
    EXPECT_EQ(filas(g), (QStringList{"1|EAN|ASC", "9|Marca|DESC", "4|Familia|ASC"}));
    EXPECT_EQ(g->Row(), 2);
    g->setRow(3);
    pulsar(f.get(), QStringLiteral("cmdBajarOrden"));  // already last
    g->setRow(1);
    pulsar(f.get(), QStringLiteral("cmdSubirOrden"));  // already first
    // The heading row never changes places with a data row.
    g->setRow(0);
    pulsar(f.get(), QStringLiteral("cmdBajarOrden"));
    pulsar(f.get(), QStringLiteral("cmdEliminarOrden"));
    EXPECT_EQ(g->TextMatrix(0, 1), QStringLiteral("Campo"));
    EXPECT_EQ(filas(g), (QStringList{"1|EAN|ASC", "9|Marca|DESC", "4|Familia|ASC"}));
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
}

TEST_F(PantallaVisorCfg, aUserCodeThatIsNotANumberNeverWritesTheDefault)
{
    valor(1, 1, 0, 1, 0, 0, 0, 140);
    empresa_->setParametro(QStringLiteral("UsuarioActual"), QStringLiteral("admin"));
    auto f = abrir(1);
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().title, QStringLiteral("frmRepArtVisorCfg:Form_Load"));
    pulsar(f.get(), QStringLiteral("cmdAncho"));
    EXPECT_EQ(mensajes.last().title, QStringLiteral("frmRepArtVisorCfg:cmdAncho_Click"));
    EXPECT_EQ(filasDe(0), QStringList{"1:1/0/0/0"});
    EXPECT_EQ(scalar("SELECT Ancho FROM Reposicion_Columnas_Valores").toInt(), 140);
}

TEST_F(PantallaVisorCfg, theLauncherIsAlwaysModalAndReportsTheAnswer)
{
    reposic::frmclsRepArtVisorCfg lanzador;
    empresa_->quitarParametro(QStringLiteral("ODBCNombre"));  // it needs no database login
    lanzador.EmpresaNorvex(empresa_);
    lanzador.ConexionNorvex(conn());
    lanzador.TipoReposicion = 1;
    modales.then([](QDialog& d) {
        auto& f = static_cast<frmRepArtVisorCfg&>(d);
        EXPECT_EQ(f.TipoReposicion, 1);
        d.findChild<QAbstractButton*>(QStringLiteral("cmdAceptar"))->click();
    });
    lanzador.Show(0, nullptr);
    EXPECT_EQ(modales.dialogs(), QStringList{"frmRepArtVisorCfg"});
    EXPECT_TRUE(lanzador.Result);
    EXPECT_EQ(filasDe(3), (QStringList{"1:1/0/0/0", "2:1/1/0/0", "3:1/2/0/0", "7:1/3/0/0"}));

    modales.then([](QDialog& d) {
        d.findChild<QAbstractButton*>(QStringLiteral("cmdCancelar"))->click();
    });
    lanzador.Show(1, nullptr);
    EXPECT_EQ(modales.count(), 2);
    EXPECT_FALSE(lanzador.Result);
    EXPECT_TRUE(modales.problems().isEmpty()) << modales.problems().join('\n').toStdString();
}
