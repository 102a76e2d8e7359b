#include "platform/report/Report.h"
#include "support/DatosFixture.h"
#include "support/Semilla.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

using report::Report;

namespace {

constexpr qlonglong kPrefactura = 2612300001;  // ten digits: year, warehouse and counter

// The pre-invoice and shortage reports rendered from the real report folder on a small company:
// origin 1 sends to store 12; store 15 only has shortages.
class InformesPrefacturaTest : public testsupport::DatosFixture {
protected:
    void SetUp() override
    {
        exec("INSERT INTO Empresas (Codigo, Nombre, CIF) VALUES (1, 'Distribuciones Norte S.A.',"
             " 'A09000001')");
        testsupport::Semilla(conn())
            .almacen(1, QStringLiteral("Almacén central"))
            .almacen(12, QStringLiteral("Centro"))
            .almacen(15, QStringLiteral("Tienda Sur"))
            .articulo(25, 12)
            .articulo(100, 0)
            .articulo(1000, 6)
            .articulo(300)
            .stock(1, 25, 1250.5)
            .stock(1, 100, 40)
            .stock(12, 25, 3)
            .stock(12, 1000, 7.5);
        exec("UPDATE Articulos SET Descripcion = 'Leche entera 1L', Cod_Proveedor = 7 WHERE Codigo = 25");
        exec("UPDATE Articulos SET Descripcion = 'Aceite de oliva 5L', Cod_Proveedor = 9"
             " WHERE Codigo = 100");
        exec("UPDATE Articulos SET Descripcion = 'Azúcar blanco 1kg', Cod_Proveedor = 7"
             " WHERE Codigo = 1000");
        exec("UPDATE Articulos SET Descripcion = 'Harina de trigo', Cod_Proveedor = 20"
             " WHERE Codigo = 300");
        exec("UPDATE Almacen_Articulos SET Ubicacion = '01020300' WHERE Cod_Almacen = 1"
             " AND Cod_Articulo = 25");
        exec("UPDATE Almacen_Articulos SET Ubicacion = 'AB' WHERE Cod_Almacen = 1"
             " AND Cod_Articulo = 100");
        exec("INSERT INTO Articulos_CBarras (Cod_Empresa, Cod_Barras, Cod_Articulo, Principal)"
             " VALUES (1, '8410000000257', 25, 1), (1, '2000000000253', 25, 0),"
             " (1, '8410000010003', 1000, 1)");
        exec("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre) VALUES (1, 7, 'Lácteos del"
             " Norte'), (1, 9, 'Oleícola Sur'), (1, 20, 'Harinera Castellana')");

        prefactura(kPrefactura, 1, 12, QStringLiteral("Entregar por la mañana"));
        linea(kPrefactura, 25, 36);    // three boxes of 12
        linea(kPrefactura, 100, 5);    // no box unit: 0 boxes
        linea(kPrefactura, 1000, 20);  // no stock row at the origin: printed all the same
        // Same code at another origin, and another code at the same origin: neither shows.
        prefactura(kPrefactura, 12, 1, QString());
        linea(kPrefactura, 300, 99);
        prefactura(kPrefactura + 1, 1, 15, QString());
        linea(kPrefactura + 1, 300, 77);

        falta(12, 25, 10);
        falta(12, 100, 2.5);
        falta(15, 1000, 4);
        falta(15, 300, 30);
    }

    void exec(const char* sql) const { conn()->execute(QString::fromUtf8(sql)); }

    void prefactura(qlonglong codigo, int origen, int destino, const QString& observaciones)
    {
        conn()->execute(QStringLiteral("INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo,"
                                       " Fecha, Cod_AlmacenD, Observaciones) VALUES (1, %1, %2,"
                                       " '2026-12-05', %3, '%4')")
                            .arg(origen)
                            .arg(codigo)
                            .arg(destino)
                            .arg(observaciones));
        origen_ = origen;
    }

    void linea(qlonglong codigo, int articulo, double unidades)
    {
        conn()->execute(QStringLiteral("INSERT INTO Reposicion_Pref_Lineas (Cod_Empresa, Cod_Almacen,"
                                       " Codigo, Cod_Articulo, Unidades) VALUES (1, %1, %2, %3, %4)")
                            .arg(origen_)
                            .arg(codigo)
                            .arg(articulo)
                            .arg(unidades));
    }

    void falta(int almacen, int articulo, double unidades)
    {
        conn()->execute(QStringLiteral("INSERT INTO Reposicion_Faltas (Cod_Empresa, Cod_Almacen,"
                                       " Cod_Articulo, Unidades) VALUES (1, %1, %2, %3)")
                            .arg(almacen)
                            .arg(articulo)
                            .arg(unidades));
    }

    std::unique_ptr<Report> abrir(const QString& fichero) const
    {
        auto r = Report::open(QStringLiteral(NRVX_SOURCE_DIR "/rpt/") + fichero);
        r->setConnection(conn());
        r->subreport(QStringLiteral("Empresa.rpt")).setParameter(1, 1);
        return r;
    }

    // Parameters as pre-invoice generation sets them.
    QString prefacturaTexto(const QString& fichero, bool dobleLinea, qlonglong codigo = kPrefactura,
                            int empresaArticulos = 1)
    {
        auto r = abrir(fichero);
        r->setParameter(1, dobleLinea);
        r->setParameter(2, 1);
        r->setParameter(3, 1);
        r->setParameter(4, codigo);
        r->setParameter(5, 0);
        r->setParameter(6, empresaArticulos);
        return r->text();
    }

    QString faltasTexto(const QString& fichero, int almacen, int desde, int hasta,
                        int empresaArticulos = 1)
    {
        auto r = abrir(fichero);
        r->setParameter(1, QStringLiteral("Almacén: TODOS  Proveedor: %1 / %2  ").arg(desde).arg(hasta));
        r->setParameter(2, 1);
        r->setParameter(3, almacen);
        r->setParameter(4, desde);
        r->setParameter(5, hasta);
        r->setParameter(6, empresaArticulos);
        r->setParameter(7, QStringLiteral("05/12/2026"));
        return r->text();
    }

    // The printed line that holds `what`, empty when none does.
    static QString renglon(const QString& texto, const QString& what)
    {
        const QStringList lineas = texto.split(QLatin1Char('\n'));
        for (const QString& l : lineas) {
            if (l.contains(what))
                return l;
        }
        return {};
    }

    static int posicion(const QString& texto, const QString& what)
    {
        return static_cast<int>(texto.indexOf(what));
    }

    int origen_ = 1;
};

const QString kLayout1 = QStringLiteral("Reposicion Prefactura.rpt");
const QString kLayout2 = QStringLiteral("Reposicion Prefactura 2.rpt");

}  // namespace

TEST_F(InformesPrefacturaTest, prefacturaShowsHeadingLinesInCodeOrderAndTotals)
{
    const QString t = prefacturaTexto(kLayout1, false);

    EXPECT_TRUE(t.contains(QStringLiteral("Distribuciones Norte S.A."))) << t.toStdString();
    EXPECT_EQ(renglon(t, QStringLiteral("Número:")), QStringLiteral("Número:  2612300001"));
    EXPECT_EQ(renglon(t, QStringLiteral("Fecha:")).trimmed(), QStringLiteral("Fecha:  05/12/2026"));
    EXPECT_EQ(renglon(t, QStringLiteral("Origen:")),
              QStringLiteral("Origen:  1  Almacén central  Destino:  12  Centro"));
    EXPECT_TRUE(t.contains(QStringLiteral("Observaciones:  Entregar por la mañana")));

    // Code, description, main bar code, location in three pieces, origin stock, boxes, UxC, units.
    EXPECT_EQ(renglon(t, QStringLiteral("Leche entera")),
              QStringLiteral("25  Leche entera 1L  8410000000257  010-20-300  1.250,50  3  12  36,00"));
    // A short location is cut as the editing screen cuts it; no box unit means no boxes.
    EXPECT_EQ(renglon(t, QStringLiteral("Aceite")),
              QStringLiteral("100  Aceite de oliva 5L  AB--AB  40,00  0  0  5,00"));
    // An article without a row at the origin still goes on the paper that is picked from.
    EXPECT_EQ(renglon(t, QStringLiteral("Azúcar")),
              QStringLiteral("1000  Azúcar blanco 1kg  8410000010003  3  6  20,00"));
    EXPECT_LT(posicion(t, QStringLiteral("Leche")), posicion(t, QStringLiteral("Aceite")));
    EXPECT_LT(posicion(t, QStringLiteral("Aceite")), posicion(t, QStringLiteral("Azúcar")));
    EXPECT_FALSE(t.contains(QStringLiteral("2000000000253")));  // not the main bar code
    EXPECT_FALSE(t.contains(QStringLiteral("Harina")));         // other pre-invoices

    EXPECT_EQ(renglon(t, QStringLiteral("Total líneas:")),
              QStringLiteral("Total líneas:  3  Total unidades:  61,00"));
    EXPECT_TRUE(t.contains(QStringLiteral("Página 1 de 1")));
}

TEST_F(InformesPrefacturaTest, doubleLinePutsBarCodeAndLocationUnderEachLine)
{
    const QString t = prefacturaTexto(kLayout1, true);
    const QStringList lineas = t.split(QLatin1Char('\n'));

    const int leche = static_cast<int>(lineas.indexOf(
        QStringLiteral("25  Leche entera 1L  1.250,50  3  12  36,00")));
    ASSERT_GE(leche, 0) << t.toStdString();
    EXPECT_EQ(lineas.value(leche + 1), QStringLiteral("8410000000257  010-20-300"));
    EXPECT_EQ(lineas.value(leche + 2), QStringLiteral("100  Aceite de oliva 5L  40,00  0  0  5,00"));
    EXPECT_EQ(lineas.value(leche + 3), QStringLiteral("AB--AB"));
    EXPECT_EQ(lineas.value(leche + 4), QStringLiteral("1000  Azúcar blanco 1kg  3  6  20,00"));
    EXPECT_EQ(lineas.value(leche + 5), QStringLiteral("8410000010003"));

    // The second lines are rows of their own but neither lines nor units.
    EXPECT_EQ(renglon(t, QStringLiteral("Total líneas:")),
              QStringLiteral("Total líneas:  3  Total unidades:  61,00"));
}

TEST_F(InformesPrefacturaTest, secondLayoutShowsDestinationStockInsteadOfLocation)
{
    QString t = prefacturaTexto(kLayout2, false);
    EXPECT_TRUE(t.contains(QStringLiteral("Stock Destino"))) << t.toStdString();
    EXPECT_FALSE(t.contains(QStringLiteral("Ubicación")));
    EXPECT_EQ(renglon(t, QStringLiteral("Leche entera")),
              QStringLiteral("25  Leche entera 1L  8410000000257  1.250,50  3,00  3  12  36,00"));
    EXPECT_EQ(renglon(t, QStringLiteral("Aceite")),
              QStringLiteral("100  Aceite de oliva 5L  40,00  0  0  5,00"));
    EXPECT_EQ(renglon(t, QStringLiteral("Azúcar")),
              QStringLiteral("1000  Azúcar blanco 1kg  8410000010003  7,50  3  6  20,00"));
    EXPECT_EQ(renglon(t, QStringLiteral("Número:")), QStringLiteral("Número:  2612300001"));
    EXPECT_EQ(renglon(t, QStringLiteral("Total líneas:")),
              QStringLiteral("Total líneas:  3  Total unidades:  61,00"));

    t = prefacturaTexto(kLayout2, true);
    const QStringList lineas = t.split(QLatin1Char('\n'));
    const int leche = static_cast<int>(lineas.indexOf(
        QStringLiteral("25  Leche entera 1L  1.250,50  3,00  3  12  36,00")));
    ASSERT_GE(leche, 0) << t.toStdString();
    EXPECT_EQ(lineas.value(leche + 1), QStringLiteral("8410000000257"));
}

TEST_F(InformesPrefacturaTest, prefacturaWithoutLinesStillPrintsItsHeading)
{
    prefactura(3112300042, 1, 15, QString());
    for (const QString& fichero : {kLayout1, kLayout2}) {
        for (const bool doble : {false, true}) {
            const QString t = prefacturaTexto(fichero, doble, 3112300042);
            EXPECT_EQ(renglon(t, QStringLiteral("Número:")), QStringLiteral("Número:  3112300042"))
                << t.toStdString();
            EXPECT_EQ(renglon(t, QStringLiteral("Origen:")),
                      QStringLiteral("Origen:  1  Almacén central  Destino:  15  Tienda Sur"));
            EXPECT_EQ(renglon(t, QStringLiteral("Total líneas:")),
                      QStringLiteral("Total líneas:  0  Total unidades:  0,00"));
        }
    }
}

TEST_F(InformesPrefacturaTest, faltasListsEveryStoreOrOneWithinTheSupplierRange)
{
    QString t = faltasTexto(QStringLiteral("Reposicion Faltas.rpt"), 0, 0, 9999);
    EXPECT_TRUE(t.contains(QStringLiteral("Distribuciones Norte S.A."))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Control de faltas")));
    EXPECT_TRUE(t.contains(QStringLiteral("Almacén: TODOS  Proveedor: 0 / 9999")));
    EXPECT_TRUE(t.contains(QStringLiteral("Almacén:  12  Centro")));
    EXPECT_TRUE(t.contains(QStringLiteral("25  Leche entera 1L  10,00")));
    EXPECT_TRUE(t.contains(QStringLiteral("100  Aceite de oliva 5L  2,50")));
    EXPECT_TRUE(t.contains(QStringLiteral("Total almacén:  12,50")));
    EXPECT_TRUE(t.contains(QStringLiteral("Almacén:  15  Tienda Sur")));
    EXPECT_TRUE(t.contains(QStringLiteral("300  Harina de trigo  30,00")));
    EXPECT_TRUE(t.contains(QStringLiteral("Total almacén:  34,00")));
    EXPECT_TRUE(t.contains(QStringLiteral("Artículos:  4  Total general:  46,50")));
    EXPECT_LT(posicion(t, QStringLiteral("Centro")), posicion(t, QStringLiteral("Tienda Sur")));

    // One store only.
    t = faltasTexto(QStringLiteral("Reposicion Faltas.rpt"), 15, 0, 9999);
    EXPECT_FALSE(t.contains(QStringLiteral("Centro"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Artículos:  2  Total general:  34,00")));

    // Suppliers 7 to 9: the flour of supplier 20 drops out, both ends of the range stay.
    t = faltasTexto(QStringLiteral("Reposicion Faltas.rpt"), 0, 7, 9);
    EXPECT_FALSE(t.contains(QStringLiteral("Harina"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Aceite de oliva 5L")));
    EXPECT_TRUE(t.contains(QStringLiteral("Artículos:  3  Total general:  16,50")));
}

TEST_F(InformesPrefacturaTest, faltasPorProveedorGroupsBySupplierThenStore)
{
    const QString fichero = QStringLiteral("Reposicion Faltas x Prov.rpt");
    QString t = faltasTexto(fichero, 0, 0, 9999);
    EXPECT_TRUE(t.contains(QStringLiteral("Control de faltas por proveedor"))) << t.toStdString();

    // Supplier 7 has shortages in both stores, each store with its own total.
    const int lacteos = posicion(t, QStringLiteral("Proveedor:  7  Lácteos del Norte"));
    const int oleicola = posicion(t, QStringLiteral("Proveedor:  9  Oleícola Sur"));
    const int harinera = posicion(t, QStringLiteral("Proveedor:  20  Harinera Castellana"));
    ASSERT_GE(lacteos, 0);
    ASSERT_GT(oleicola, lacteos);
    ASSERT_GT(harinera, oleicola);
    const QString deLacteos = t.mid(lacteos, oleicola - lacteos);
    EXPECT_LT(posicion(deLacteos, QStringLiteral("Almacén:  12  Centro")),
              posicion(deLacteos, QStringLiteral("Almacén:  15  Tienda Sur")));
    EXPECT_TRUE(deLacteos.contains(QStringLiteral("Total almacén:  10,00")));
    EXPECT_TRUE(deLacteos.contains(QStringLiteral("Total almacén:  4,00")));
    EXPECT_TRUE(deLacteos.contains(QStringLiteral("Total proveedor:  14,00")));
    EXPECT_TRUE(t.mid(oleicola, harinera - oleicola)
                    .contains(QStringLiteral("Total proveedor:  2,50")));
    EXPECT_TRUE(t.mid(harinera).contains(QStringLiteral("Total proveedor:  30,00")));
    EXPECT_TRUE(t.contains(QStringLiteral("Artículos:  4  Total general:  46,50")));

    t = faltasTexto(fichero, 12, 9, 20);
    EXPECT_FALSE(t.contains(QStringLiteral("Lácteos"))) << t.toStdString();
    EXPECT_FALSE(t.contains(QStringLiteral("Harinera")));  // its shortage is at store 15
    EXPECT_TRUE(t.contains(QStringLiteral("Artículos:  1  Total general:  2,50")));
}

TEST_F(InformesPrefacturaTest, articlesAndBarCodesAreReadUnderTheArticleMastersCompany)
{
    // The master moves to company 4; what company 1 still has is an outdated copy.
    exec("UPDATE Articulos SET Cod_Empresa = 4");
    exec("UPDATE Articulos_CBarras SET Cod_Empresa = 4");
    exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion, UxCaja, UxFraccion, TipoRep,"
         " Familia_1, Marca, Cod_Proveedor) VALUES (1, 25, 'Copia antigua', 1, 1, 1, 0, 0, 9)");

    for (const QString& fichero : {kLayout1, kLayout2}) {
        const QString t = prefacturaTexto(fichero, false, kPrefactura, 4);
        EXPECT_TRUE(renglon(t, QStringLiteral("Leche entera")).contains(QStringLiteral("8410000000257")))
            << t.toStdString();
        EXPECT_TRUE(renglon(t, QStringLiteral("Leche entera")).endsWith(QStringLiteral("3  12  36,00")));
        EXPECT_TRUE(t.contains(QStringLiteral("Azúcar blanco 1kg")));
        EXPECT_FALSE(t.contains(QStringLiteral("Copia antigua")));
    }
    // Left at 0 the parameter means the company itself, as before it existed.
    EXPECT_TRUE(prefacturaTexto(kLayout1, false, kPrefactura, 0).contains(QStringLiteral("Copia antigua")));

    // The supplier range is read on the master too: supplier 7 has milk and sugar there.
    for (const QString& fichero :
         {QStringLiteral("Reposicion Faltas.rpt"), QStringLiteral("Reposicion Faltas x Prov.rpt")}) {
        const QString t = faltasTexto(fichero, 0, 7, 7, 4);
        EXPECT_TRUE(t.contains(QStringLiteral("25  Leche entera 1L  10,00"))) << t.toStdString();
        EXPECT_TRUE(t.contains(QStringLiteral("1000  Azúcar blanco 1kg  4,00")));
        EXPECT_FALSE(t.contains(QStringLiteral("Copia antigua")));
        EXPECT_TRUE(t.contains(QStringLiteral("Fecha: 05/12/2026")));
    }
}
