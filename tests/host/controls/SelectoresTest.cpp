// The pickers through their real widgets: code typed or set, Enter, the name label, and what a
// screen reads back afterwards.
#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorArticulo.h"
#include "host/controls/SelectorFamilia.h"
#include "host/controls/SelectorMarca.h"
#include "host/controls/SelectorProveedor.h"
#include "support/DatosFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SelectoresTest : public testsupport::DatosFixture {
protected:
    SelectoresTest()
    {
        // Articles and suppliers live under their own company codes, unlike the warehouses.
        empresa_->setCodigoEmpresaArticulos(3);
        empresa_->setCodigoEmpresaProveedores(4);
        conn()->execute(QStringLiteral(
            "INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES"
            " (1, 1, 'Central'), (1, 2, 'Tienda O''Donnell'), (2, 5, 'De otra empresa')"));
        conn()->execute(QStringLiteral(
            "INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (3, 100,"
            " 'Leche entera'), (3, 200, 'Pan de molde'), (1, 300, 'Empresa equivocada')"));
        conn()->execute(QStringLiteral(
            "INSERT INTO Articulos_CBarras (Cod_Empresa, Cod_Barras, Cod_Articulo, Principal)"
            " VALUES"
            " (3, '8410000000017', 200, 1), (3, '100', 200, 0)"));
        conn()->execute(QStringLiteral(
            "INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre) VALUES"
            " (4, 7, 'Lácteos del Norte'), (1, 8, 'Empresa equivocada')"));
        conn()->execute(QStringLiteral("INSERT INTO Marcas (Codigo, Nombre) VALUES (9, 'Norvex')"));
    }

    template <class T>
    void preparar(T& selector)
    {
        selector.setContexto(empresa_, conn(), 1);
        selector.show();
    }

    static void teclear(host::SelectorBase& s, const QString& texto)
    {
        QLineEdit* e = s.lineaTexto();
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, texto);
        QTest::keyClick(e, Qt::Key_Return);
    }

    static QString etiqueta(host::SelectorBase& s)
    {
        return s.findChild<QLabel*>(QStringLiteral("lblNombre"))->text();
    }
};

TEST_F(SelectoresTest, almacenLoadsTheCompanysWarehouseAndRejectsOthers)
{
    host::SelectorAlmacen s;
    preparar(s);

    s.setCodigo(2);
    EXPECT_TRUE(s.valido());
    EXPECT_EQ(s.nombre(), QStringLiteral("Tienda O'Donnell"));
    EXPECT_EQ(etiqueta(s), QStringLiteral("Tienda O'Donnell"));

    // Warehouse 5 exists, but under another company.
    s.setCodigo(5);
    EXPECT_FALSE(s.valido());
    EXPECT_TRUE(s.nombre().isEmpty());
    EXPECT_TRUE(etiqueta(s).isEmpty());
    EXPECT_EQ(s.codigo(), 5);

    const QStringList basuras = {QStringLiteral("abc"), QStringLiteral("70000"),
                                 QStringLiteral("-1"), QStringLiteral("1; DROP TABLE Almacenes")};
    for (const QString& basura : basuras) {
        s.setTexto(basura);
        EXPECT_FALSE(s.valido()) << basura.toStdString();
        EXPECT_EQ(s.codigo(), 0) << basura.toStdString();
    }
    EXPECT_EQ(count(QStringLiteral("Almacenes")), 3);

    s.setMostrarAviso(true);
    s.setTexto(QStringLiteral("99"));
    EXPECT_FALSE(s.valido());
    EXPECT_EQ(etiqueta(s), QStringLiteral("No existe"));
}

TEST_F(SelectoresTest, almacenNeverKeepsTheNameOfACodeNoLongerTyped)
{
    host::SelectorAlmacen s;
    preparar(s);
    s.setCodigo(2);
    ASSERT_TRUE(s.valido());

    // The user overtypes the code and a screen reads the picker before Enter.
    s.lineaTexto()->setFocus();
    s.lineaTexto()->selectAll();
    QTest::keyClicks(s.lineaTexto(), QStringLiteral("77"));
    EXPECT_FALSE(s.valido());
    EXPECT_TRUE(s.nombre().isEmpty());
    EXPECT_EQ(s.codigo(), 77);

    // Enter with the name changed in the database meanwhile shows the new name.
    teclear(s, QStringLiteral("1"));
    conn()->execute(
        QStringLiteral("UPDATE Almacenes SET Nombre = 'Central nueva' WHERE Codigo = 1"));
    s.refrescar();
    EXPECT_EQ(s.nombre(), QStringLiteral("Central nueva"));
}

TEST_F(SelectoresTest, almacenReportsEachChangeOnce)
{
    host::SelectorAlmacen s;
    preparar(s);
    QSignalSpy cambios(&s, &host::SelectorBase::cambio);

    s.setCodigo(2);
    s.refrescar();
    s.setCodigo(2);
    teclear(s, QStringLiteral("2"));  // Enter on the same code
    EXPECT_EQ(cambios.count(), 1);

    teclear(s, QStringLiteral("1"));
    EXPECT_EQ(cambios.count(), 2);
    teclear(s, QStringLiteral("99"));  // a code that names nothing is still a change
    EXPECT_EQ(cambios.count(), 3);
    s.reiniciar();
    s.reiniciar();
    EXPECT_EQ(cambios.count(), 4);
    EXPECT_EQ(s.codigo(), 0);
    EXPECT_TRUE(s.texto().isEmpty());
}

TEST_F(SelectoresTest, enterIsLookedUpBeforeTheScreenHearsIt)
{
    host::SelectorAlmacen s;
    preparar(s);
    std::vector<std::pair<int, bool>> teclas;
    QObject::connect(&s, &host::SelectorBase::teclaPulsada, &s,
            [&](int tecla) { teclas.emplace_back(tecla, s.valido()); });

    teclear(s, QStringLiteral("2"));
    ASSERT_FALSE(teclas.empty());
    EXPECT_EQ(teclas.back(), std::make_pair(13, true));

    s.setEditable(false);
    EXPECT_TRUE(s.lineaTexto()->isReadOnly());
    QTest::keyClicks(s.lineaTexto(), QStringLiteral("1"));
    EXPECT_EQ(s.codigo(), 2);
}

TEST_F(SelectoresTest, aFailingLookUpLeavesThePickerInvalid)
{
    host::SelectorAlmacen s;
    preparar(s);
    s.setCodigo(2);
    ASSERT_TRUE(s.valido());
    conn()->execute(QStringLiteral("DROP TABLE Almacenes"));

    // Called by a screen: the error reaches the screen's handler.
    EXPECT_THROW(s.refrescar(), db::Error);
    EXPECT_FALSE(s.valido() && !s.nombre().isEmpty());

    // Typed by the user: no exception into the event loop, the message is in the label.
    EXPECT_NO_THROW(teclear(s, QStringLiteral("1")));
    EXPECT_FALSE(s.ultimoError().isEmpty());
    EXPECT_EQ(etiqueta(s), s.ultimoError());
}

TEST_F(SelectoresTest, articuloByCodeAndByBarCode)
{
    host::SelectorArticulo s;
    preparar(s);

    s.setCodigo(100);
    EXPECT_TRUE(s.valido());
    EXPECT_EQ(s.descripcion(), QStringLiteral("Leche entera"));

    // The article master's company, not the company's own code.
    s.setCodigoTexto(QStringLiteral("300"));
    EXPECT_FALSE(s.valido());
    EXPECT_EQ(s.codigoTexto(), QStringLiteral("300"));

    // A bar code is replaced by its article's code.
    s.setTexto(QStringLiteral("8410000000017"));
    EXPECT_TRUE(s.valido());
    EXPECT_EQ(s.codigo(), 200);
    EXPECT_EQ(s.codigoTexto(), QStringLiteral("200"));
    EXPECT_EQ(s.texto(), QStringLiteral("200"));
    EXPECT_EQ(s.descripcion(), QStringLiteral("Pan de molde"));

    // An article code wins over a bar code that reads the same.
    teclear(s, QStringLiteral("100"));
    EXPECT_EQ(s.codigo(), 100);

    teclear(s, QStringLiteral("84'10"));
    EXPECT_FALSE(s.valido());
    EXPECT_TRUE(s.ultimoError().isEmpty());
    EXPECT_EQ(s.codigo(), 0);
}

TEST_F(SelectoresTest, proveedorAndMarcaLookUpTheirOwnTables)
{
    host::SelectorProveedor p;
    preparar(p);
    p.setCodigo(7);
    EXPECT_TRUE(p.valido());
    EXPECT_EQ(p.nombre(), QStringLiteral("Lácteos del Norte"));
    p.setCodigo(8);
    EXPECT_FALSE(p.valido());

    host::SelectorMarca m;
    m.setConexion(conn());  // brands belong to no company
    m.setCodigo(9);
    EXPECT_TRUE(m.valido());
    EXPECT_EQ(m.nombre(), QStringLiteral("Norvex"));
    m.setCodigo(0);
    EXPECT_FALSE(m.valido());
    EXPECT_TRUE(m.texto().isEmpty());
}

TEST_F(SelectoresTest, familiaCascadeFindsTheFamilyUnderTheUpperCodes)
{
    conn()->execute(QStringLiteral(
        "INSERT INTO Familias_1 (Cod_Empresa, Codigo, Nombre) VALUES (3, 1, 'Alimentación'),"
        " (3, 2, 'Droguería')"));
    conn()->execute(QStringLiteral(
        "INSERT INTO Familias_2 (Cod_Empresa, Familia_1, Codigo, Nombre) VALUES"
        " (3, 1, 1, 'Lácteos'), (3, 2, 1, 'Detergentes')"));
    conn()->execute(QStringLiteral(
        "INSERT INTO Familias_3 (Cod_Empresa, Familia_1, Familia_2, Codigo, Nombre) VALUES"
        " (3, 1, 1, 4, 'Yogures'), (3, 2, 1, 4, 'Líquidos')"));

    host::SelectorFamilia f2;
    preparar(f2);
    f2.setNivel(2);
    f2.setCodigo(1);
    EXPECT_FALSE(f2.valido());  // no first level chosen: ambiguous, so nothing

    f2.setFamilia1(1);
    EXPECT_TRUE(f2.valido());
    EXPECT_EQ(f2.nombre(), QStringLiteral("Lácteos"));
    f2.setFamilia1(2);  // same code, other branch: looked up again
    EXPECT_EQ(f2.nombre(), QStringLiteral("Detergentes"));

    // The screen hands the upper codes when the picker is about to be used.
    host::SelectorFamilia f3;
    preparar(f3);
    f3.setNivel(3);
    QObject::connect(&f3, &host::SelectorBase::activando, &f3, [&] {
        f3.setFamilia1(1);
        f3.setFamilia2(1);
    });
    teclear(f3, QStringLiteral("4"));
    EXPECT_TRUE(f3.valido());
    EXPECT_EQ(f3.nombre(), QStringLiteral("Yogures"));
    EXPECT_EQ(f3.codigo(), 4);

    f3.setDisponible(false);
    EXPECT_FALSE(f3.disponible());
    EXPECT_THROW(f3.setNivel(4), std::out_of_range);
}

}  // namespace
