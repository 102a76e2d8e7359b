#include "GruposFixture.h"

#include "host/controls/SelectorFamilia.h"
#include "host/controls/SelectorMarca.h"
#include "platform/db/Recordset.h"
#include "reposic/grupos/frmRepGrupos.h"
#include "reposic/prefactura/GeneracionPrefactura.h"

#include <QTest>

namespace {

class GruposEnGeneracion : public GruposFixture {
protected:
    GruposEnGeneracion()
    {
        empresa_->setNombreNivel(0, QStringLiteral("Sección"));
        conn()->execute(
            "INSERT INTO Familias_1 (Cod_Empresa, Codigo, Nombre) VALUES (1, 10, 'Frutas')");
        conn()->execute("INSERT INTO Marcas (Codigo, Nombre) VALUES (7, 'Acme')");
        aprov(5, QStringLiteral("Alimentación"));
        semilla.almacen(1, QStringLiteral("Central")).almacen(12, QStringLiteral("Centro"));
        pendiente(101, 10, 0);  // family 10
        pendiente(102, 0, 7);   // brand 7
        pendiente(103, 10, 7);  // both: the first group that takes it keeps it
        pendiente(104, 20, 0);  // no group
    }
    void pendiente(int art, int familia, int marca)
    {
        semilla.articulo(art, 0, 0, 1, familia, marca)
            .stock(1, art, 100)
            .stock(12, art, 0)
            .pendiente(12, art, 5, 5, 0);
    }
    // Adds a group on the screen and gives it one element through its families screen.
    void grupoConElemento(frmRepGrupos& f, const QString& nombre, const QString& familia,
                          const QString& marca)
    {
        modales.then(GruposFixture::nombre(nombre));
        pulsar(&f, QStringLiteral("cmdAgregar"));
        modales.then([=](QDialog& d) {
            for (auto* s : d.findChildren<host::SelectorFamilia*>(QStringLiteral("txtFamilia")))
                if (s->property("Index").toInt() == 0)
                    s->setTexto(familia);
            auto* m = d.findChild<host::SelectorMarca*>(QStringLiteral("txtMarca"));
            m->setTexto(marca);
            QTest::keyClick(m->lineaTexto(), Qt::Key_Return);
            d.findChild<QAbstractButton*>(QStringLiteral("cmdSalir"))->click();
        });
        pulsar(&f, QStringLiteral("cmdPropiedades"));
    }
    QStringList articulosDe(int64_t codigo)
    {
        QStringList lista;
        db::Recordset rs(conn(), QStringLiteral("SELECT Cod_Articulo FROM Reposicion_Pref_Lineas"
                                                " WHERE Codigo = %1 ORDER BY Cod_Articulo")
                                     .arg(codigo));
        for (; !rs.eof(); rs.moveNext())
            lista << rs.field(QStringLiteral("Cod_Articulo")).toText();
        return lista;
    }
};

}  // namespace

TEST_F(GruposEnGeneracion, eachGroupGetsItsOwnPreInvoiceWithExactlyItsArticles)
{
    frmRepGrupos f;
    f.Cod_Aprov = 5;
    f.show();
    grupoConElemento(f, QStringLiteral("Frutas"), QStringLiteral("10"), QString());
    grupoConElemento(f, QStringLiteral("Acme"), QString(), QStringLiteral("7"));
    ASSERT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    ASSERT_TRUE(modales.problems().isEmpty()) << modales.problems().join('\n').toStdString();
    ASSERT_EQ(count("Reposicion_Grp_Fam", "Cod_Grupo = 1 AND Familia_1 = 10 AND Cod_Marca = 0"), 1);
    ASSERT_EQ(count("Reposicion_Grp_Fam", "Cod_Grupo = 2 AND Familia_1 = 0 AND Cod_Marca = 7"), 1);

    GeneracionPrefactura pase(empresa_, conn());
    pase.origen = 1;
    pase.destino = 12;
    QList<int64_t> codigos;
    for (int16_t grupo : pase.grupos())
        codigos << pase.generar(grupo);
    const int64_t resto = pase.generar(0);

    ASSERT_EQ(codigos.size(), 2);
    EXPECT_EQ(articulosDe(codigos[0]), (QStringList{QStringLiteral("101"), QStringLiteral("103")}));
    EXPECT_EQ(articulosDe(codigos[1]), QStringList{QStringLiteral("102")});
    EXPECT_EQ(articulosDe(resto), QStringList{QStringLiteral("104")});
    EXPECT_EQ(count("Reposicion_Pref"), 3);
}
