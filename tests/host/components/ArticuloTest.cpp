#include "host/components/Articulo.h"
#include "support/DatosFixture.h"
#include "support/Semilla.h"

using db::Money;

namespace {

class ArticuloHost : public testsupport::DatosFixture {
protected:
    host::Articulo articulo(int32_t codigo)
    {
        host::Articulo a;
        a.setEmpresa(empresa_);
        a.setConexion(conn());
        a.Codigo = codigo;
        return a;
    }
};

}  // namespace

TEST_F(ArticuloHost, loadsFromTheArticleMastersCompany)
{
    testsupport::Semilla(conn()).articulo(101, 12, 3);
    conn()->execute("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion, UxCaja) VALUES (2, 101, 'Otro', 24)");
    auto a = articulo(101);
    ASSERT_TRUE(a.Cargar());
    EXPECT_EQ(a.Descripcion(), QStringLiteral("Artículo 101"));
    EXPECT_EQ(a.UxCaja(), Money::fromInt(12));
    EXPECT_EQ(a.UxFraccion(), Money::fromInt(3));

    empresa_->setCodigoEmpresaArticulos(2);
    ASSERT_TRUE(a.Cargar());
    EXPECT_EQ(a.UxCaja(), Money::fromInt(24));
}

TEST_F(ArticuloHost, anArticleThatIsNotThereReportsNotFoundAndForgetsTheLastOne)
{
    testsupport::Semilla(conn()).articulo(101, 12);
    auto a = articulo(101);
    ASSERT_TRUE(a.Cargar());
    a.Codigo = 555;
    EXPECT_FALSE(a.Cargar());
    EXPECT_FALSE(a.encontrado());
    EXPECT_EQ(a.UxCaja(), Money());
    EXPECT_TRUE(a.Descripcion().isEmpty());
}
