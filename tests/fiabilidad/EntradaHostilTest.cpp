// Hostile text typed into the free-text fields that the module's classes write: every string is
// stored verbatim and read back equal, and no statement fails on it.
#include "fiabilidad/Comun.h"
#include "host/Reloj.h"
#include "host/components/Traspaso.h"
#include "platform/db/Error.h"
#include "platform/db/Recordset.h"
#include "reposic/data/clsAlmacen_Rep_PreF.h"
#include "reposic/grupos/GruposAprovisionamiento.h"
#include "reposic/grupos/GruposReposicion.h"
#include "reposic/prefactura/TraspasoPrefactura.h"
#include "reposic/restos/GrabacionRestos.h"
#include "support/Invariantes.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <iostream>

namespace {

QStringList corpus() { return fiab::corpusHostil(); }

class EntradaHostil : public ::testing::Test {
protected:
    EntradaHostil() : reloj_(fiab::kHoy) {}
    host::Reloj::Fijado reloj_;
    testsupport::TestDatabase db_;
    const db::ConnectionPtr& c() { return db_.connection(); }
    int verbatim_ = 0;
};

TEST_F(EntradaHostil, preInvoiceObservationsAreStoredVerbatim)
{
    auto inv = testsupport::Invariantes::tomarBase(c());
    const QStringList textos = corpus();
    ASSERT_GE(textos.size(), 30);
    for (const QString& t : textos) {
        clsAlmacen_Rep_PreF p;
        p.cEmpresa(fiab::empresa());
        p.Conexion(c());
        p.Almacen = 1;
        p.AlmacenDestino = 2;
        p.Observaciones = t;
        ASSERT_NO_THROW(p.Insertar()) << t.toStdString();
        db::Recordset rs(c(), QStringLiteral("SELECT Observaciones FROM Reposicion_Pref WHERE Codigo = %1")
                                  .arg(p.Codigo));
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.field(0).toText(), t);
        // Changed through the other statement that writes it.
        p.Observaciones = t + t.left(10);
        ASSERT_NO_THROW(p.Modificar()) << t.toStdString();
        EXPECT_EQ(c()->scalar(QStringLiteral("SELECT Observaciones FROM Reposicion_Pref WHERE Codigo = %1")
                                  .arg(p.Codigo)).toText(), t + t.left(10));
        verbatim_ += 2;
    }
    EXPECT_EQ(c()->scalar("SELECT COUNT(*) FROM Reposicion_Pref").toInt64(), textos.size());
    EXPECT_TRUE(inv.comprobar(c()).isEmpty());
    std::cout << "[hostile] pre-invoice observations: " << textos.size() << " strings, " << verbatim_
              << " writes read back verbatim" << std::endl;
}

TEST_F(EntradaHostil, transferCarriesObservationsAndLeftoverConceptsVerbatim)
{
    auto contable = db_.openAnother();
    testsupport::TestDatabase contableDb;
    host::Traspaso::prepararContabilidad(*contableDb.connection());
    c()->execute("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'C'), (1, 2, 'T')");
    c()->execute("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion, UxCaja, TipoRep) VALUES (1, 5, 'A', 1, 1)");
    c()->execute("INSERT INTO Almacen_Articulos (Cod_Empresa, Cod_Almacen, Cod_Articulo, Stock_Actual) VALUES"
                 " (1, 1, 5, 100000), (1, 2, 5, 0)");
    const QStringList textos = corpus();
    GrabacionRestos restos(fiab::empresa(), c());
    for (const QString& t : textos) {
        clsAlmacen_Rep_PreF p;
        p.cEmpresa(fiab::empresa());
        p.Conexion(c());
        p.Almacen = 1;
        p.AlmacenDestino = 2;
        p.Observaciones = t;
        p.Insertar();
        c()->execute(QStringLiteral("INSERT INTO Reposicion_Pref_Lineas (Cod_Empresa, Cod_Almacen, Codigo,"
                                    " Cod_Articulo, Unidades) VALUES (1, 1, %1, 5, 1)").arg(p.Codigo));
        TraspasoPrefactura tr(fiab::empresa(), c(), fiab::empresa(), contableDb.connection());
        TraspasoPrefactura::Documento d;
        ASSERT_NO_THROW(d = tr.traspasar(1, 2, p.Codigo)) << t.toStdString();
        EXPECT_EQ(c()->scalar(QStringLiteral("SELECT Observaciones FROM Traspasos WHERE Alm_Origen = 1"
                                             " AND Codigo = %1").arg(d.codigo)).toText(), t);

        const int64_t codigo = restos.ObtenerCodigo(fiab::kHoy, 2, false, true);
        ASSERT_NO_THROW(restos.grabar(codigo, fiab::kHoy, 2, {{5, db::Money::fromInt(1), t}}, 1))
            << t.toStdString();
        EXPECT_EQ(c()->scalar(QStringLiteral("SELECT Concepto FROM Reposicion_Restos_Lineas WHERE"
                                             " Codigo = %1").arg(codigo)).toText(), t);
        verbatim_ += 2;
    }
    EXPECT_EQ(c()->scalar("SELECT Unidades FROM Reposicion WHERE Cod_Almacen = 2 AND Cod_Articulo = 5")
                  .toInt64(), textos.size());
    std::cout << "[hostile] transfer observations and leftover concepts: " << textos.size() << " strings, "
              << verbatim_ << " values read back verbatim" << std::endl;
}

TEST_F(EntradaHostil, groupNamesAreStoredVerbatimAndMatchedLiterally)
{
    reposic::GruposAprovisionamiento aprov(fiab::empresa(), c());
    reposic::GruposReposicion grupos(fiab::empresa(), c());
    aprov.agregar({1, QStringLiteral("Base"), 0});
    grupos.agregar(1, 1, QStringLiteral("Bebidas"));
    const QStringList textos = corpus();
    int16_t codigo = 10;
    int literales = 0;
    for (const QString& t : textos) {
        if (t.isEmpty())
            continue;
        // Wildcards and quotes must not make a name match another group's.
        if (t != QLatin1String("Bebidas")) {
            EXPECT_FALSE(grupos.existe(1, 999, t)) << t.toStdString();
            EXPECT_FALSE(aprov.existe(999, t)) << t.toStdString();
            ++literales;
        }
        ++codigo;
        ASSERT_NO_THROW(grupos.agregar(1, codigo, t)) << t.toStdString();
        ASSERT_NO_THROW(aprov.agregar({codigo, t, 0})) << t.toStdString();
        EXPECT_TRUE(grupos.existe(1, 999, t)) << t.toStdString();
        EXPECT_EQ(c()->scalar(QStringLiteral("SELECT Nombre FROM Reposicion_Grp WHERE Cod_Grupo = %1")
                                  .arg(codigo)).toText(), t);
        EXPECT_EQ(c()->scalar(QStringLiteral("SELECT Nombre FROM Reposicion_Grp_Aprovisionamiento"
                                             " WHERE Cod_Aprov = %1").arg(codigo)).toText(), t);
        ASSERT_NO_THROW(grupos.renombrar(codigo, t + QStringLiteral("'2")));
        EXPECT_EQ(c()->scalar(QStringLiteral("SELECT Nombre FROM Reposicion_Grp WHERE Cod_Grupo = %1")
                                  .arg(codigo)).toText(), t + QStringLiteral("'2"));
        // Remove it again so that later strings do not find it as a prefix or a twin.
        grupos.renombrar(codigo, QStringLiteral("#%1").arg(codigo));
        verbatim_ += 3;
    }
    std::cout << "[hostile] group and provisioning names: " << textos.size() - 1 << " strings, " << verbatim_
              << " values read back verbatim, " << literales * 2 << " look-ups matched nothing else" << std::endl;
}

}  // namespace
