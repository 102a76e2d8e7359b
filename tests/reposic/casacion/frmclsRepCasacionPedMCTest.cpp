#include "CasacionFixture.h"

#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorProveedor.h"
#include "reposic/casacion/frmclsRepCasacionPedMC.h"
#include "reposic/frame/LanzadorRegistro.h"

TEST_F(CasacionFixture, theLauncherHandsWarehouseAndSupplierToTheScreen)
{
    reposic::frmclsRepCasacionPedMC::registrar();
    empresa_->setParametro(QStringLiteral("OficinaCentral"), QStringLiteral("0"));
    for (const char* p : {"ODBCNombre", "ODBCBaseDatos", "ODBCUsuario", "ODBCPassword"})
        empresa_->setParametro(QString::fromLatin1(p), QString());
    empresa_->setParametro(QStringLiteral("UsuarioActual"), QStringLiteral("1"));
    pedido(101, QStringLiteral("2026-12-01"));
    linea(101, 1, 1, 2);

    auto base = reposic::LanzadorRegistro::crear(QStringLiteral("frmclsRepCasacionPedMC"));
    auto* lanzador = dynamic_cast<reposic::frmclsRepCasacionPedMC*>(base.get());
    ASSERT_NE(lanzador, nullptr);
    lanzador->EmpresaNorvex(empresa_);
    lanzador->ConexionNorvex(conn());
    lanzador->Cod_Almacen = 12;
    lanzador->Cod_Proveedor = 500;
    lanzador->Show(0, nullptr);
    auto* f = lanzador->frmS();
    ASSERT_NE(f, nullptr);
    auto* alm = hijo<host::SelectorAlmacen>(f, QStringLiteral("txtAlm"));
    EXPECT_EQ(alm->codigo(), 12);
    EXPECT_FALSE(alm->isEnabled());  // only the central office may change it
    EXPECT_EQ(hijo<host::SelectorProveedor>(f, QStringLiteral("txtProv"))->codigo(), 500);
    EXPECT_EQ(grid(f, "vsPed")->Rows(), 2);
    base.reset();
}
