#include "host/components/AutorizacionAnular.h"
#include "host/components/LogOperaciones.h"
#include "host/components/PedidoProveedor.h"
#include "host/components/RecepcionLineaPedido.h"
#include "platform/ui/ModalScript.h"
#include "platform/ui/MsgBoxScript.h"
#include "support/DatosFixture.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

using db::Money;

namespace {

// Order 101 of warehouse 12: article 7 on lines 1 and 3 (4 + 6), article 8 on line 2, a text line.
class PedidoProveedorTest : public testsupport::DatosFixture {
protected:
    PedidoProveedorTest()
    {
        conn()->execute("INSERT INTO Pedidos_Proveedores (Cod_Empresa, Codigo, Fecha, Cod_Almacen,"
                        " Cod_Proveedor, Importe) VALUES (1, 101, '2026-12-01', 12, 500, 40)");
        const char* lineas[] = {"1, 7, 4", "2, 8, 5", "3, 7, 6", "4, 0, 1"};
        for (const char* l : lineas) {
            conn()->execute(QStringLiteral("INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea,"
                                           " Cod_Articulo, Unidades) VALUES (1, 101, %1)")
                                .arg(QString::fromLatin1(l)));
        }
        empresa_->setParametro(QStringLiteral("PedProv_ModoActUndsPtes"), QStringLiteral("1"));
    }
    Money recibidas(int linea) const
    {
        return scalar(QStringLiteral("SELECT UnidadesRcv FROM Pedidos_Proveedores_Lineas WHERE Linea = %1")
                          .arg(linea)).toMoney();
    }
    Money liquidadas(int linea) const
    {
        return scalar(QStringLiteral("SELECT UnidadesLiq FROM Pedidos_Proveedores_Lineas WHERE Linea = %1")
                          .arg(linea)).toMoney();
    }
    host::RecepcionLineaPedido recepcion(int16_t almacen = 12)
    {
        host::RecepcionLineaPedido r;
        r.setEmpresa(empresa_);
        r.setConexion(conn());
        r.Almacen = almacen;
        return r;
    }
    host::PedidoProveedor pedido()
    {
        host::PedidoProveedor p;
        p.setEmpresa(empresa_);
        p.setConexion(conn());
        p.Cargar(101);
        return p;
    }
};

}  // namespace

TEST_F(PedidoProveedorTest, receiptBooksAtMostWhatTheLinesAwaitAndAnswersWhatItBooked)
{
    auto r = recepcion();
    EXPECT_EQ(r.Recibir(101, 7, Money::fromInt(3)), Money::fromInt(3));
    EXPECT_EQ(r.Recibir(101, 7, Money::fromInt(20)), Money::fromInt(7));  // 1 on line 1, 6 on line 3
    EXPECT_EQ(recibidas(1), Money::fromInt(4));
    EXPECT_EQ(recibidas(3), Money::fromInt(6));
    EXPECT_EQ(r.Recibir(101, 7, Money::fromInt(1)), Money());
    EXPECT_EQ(r.Recibir(101, 8, Money::fromDouble(-2)), Money());
    EXPECT_EQ(r.Recibir(101, 9, Money::fromInt(1)), Money());
    EXPECT_EQ(recepcion(13).Recibir(101, 8, Money::fromInt(1)), Money());  // another warehouse's order
    EXPECT_EQ(count("Pedidos_Proveedores_Recepciones"), 3);
    EXPECT_EQ(scalar("SELECT SUM(Unidades) FROM Pedidos_Proveedores_Recepciones").toMoney(), Money::fromInt(10));
    EXPECT_EQ(count("Pedidos_Proveedores_Recepciones", "Fecha = '2026-12-05' AND Cod_Almacen = 12"), 3);
}

TEST_F(PedidoProveedorTest, updateRecountsAndLiquidatesOnlyInLiquidationMode)
{
    recepcion().Recibir(101, 7, Money::fromInt(5));
    auto p = pedido();
    empresa_->setParametro(QStringLiteral("PedProv_ModoActUndsPtes"), QStringLiteral("2"));
    p.Actualizar();
    EXPECT_EQ(p.LineasRecibidas, 1);
    EXPECT_TRUE(p.Pendiente);
    EXPECT_EQ(liquidadas(3), Money());
    EXPECT_EQ(count("Pedidos_Proveedores", "LineasRecibidas = 1 AND Pendiente = 1"), 1);

    empresa_->setParametro(QStringLiteral("PedProv_ModoActUndsPtes"), QStringLiteral("1"));
    p.Actualizar();
    EXPECT_FALSE(p.Pendiente);
    EXPECT_EQ(liquidadas(1), Money());
    EXPECT_EQ(liquidadas(2), Money::fromInt(5));
    EXPECT_EQ(liquidadas(3), Money::fromInt(5));
    EXPECT_EQ(liquidadas(4), Money());  // the text line is no article
    EXPECT_EQ(count("Pedidos_Proveedores", "Pendiente = 0 AND LineasRecibidas = 1"), 1);
}

TEST_F(PedidoProveedorTest, anOrderFullyReceivedClosesWithoutLiquidating)
{
    recepcion().Recibir(101, 7, Money::fromInt(10));
    recepcion().Recibir(101, 8, Money::fromInt(5));
    auto p = pedido();
    p.Actualizar(false);
    EXPECT_FALSE(p.Pendiente);
    EXPECT_EQ(p.LineasRecibidas, 3);
}

TEST_F(PedidoProveedorTest, annulAndMissingOrders)
{
    auto p = pedido();
    p.Anular();
    EXPECT_EQ(count("Pedidos_Proveedores", "Anulado = 1 AND Pendiente = 0"), 1);
    // An annulled order takes no more receipts.
    EXPECT_EQ(recepcion().Recibir(101, 7, Money::fromInt(1)), Money());

    host::PedidoProveedor q;
    q.setEmpresa(empresa_);
    q.setConexion(conn());
    EXPECT_THROW(q.Anular(), std::runtime_error);
    EXPECT_THROW(q.Cargar(999), std::runtime_error);
    EXPECT_FALSE(q.cargado());
}

TEST_F(PedidoProveedorTest, theLogWritesOneRowPerOperationWithTheCommentQuoted)
{
    host::LogOperaciones log;
    log.setConexion(conn());
    log.setEmpresa(empresa_);
    log.Usuario = 7;
    log.TipoDocumento = 13;
    log.Operacion = 3;
    log.Cod_Documento = 101;
    log.Comentario = QStringLiteral("pedido d'urgencia");
    log.Grabar();
    log.Comentario.clear();
    log.Grabar();
    EXPECT_EQ(count("Log_Operaciones", "Cod_Empresa = 1 AND Cod_Usuario = 7 AND TipoDocumento = 13"
                                       " AND Operacion = 3 AND Cod_Documento = 101 AND Fecha = '2026-12-05'"), 2);
    EXPECT_EQ(count("Log_Operaciones", "Comentario = 'pedido d''urgencia'"), 1);
}

TEST_F(PedidoProveedorTest, theAuthorisationWantsTheSupervisorsPassword)
{
    ui::MsgBoxScript mensajes;
    ui::ModalScript modales;
    host::AutorizacionAnular a;
    a.setConexion(conn());
    a.setEmpresa(empresa_);
    // No password configured: nobody may annul.
    EXPECT_FALSE(a.Autorizar());
    EXPECT_EQ(modales.count(), 0);
    EXPECT_EQ(mensajes.count(), 1);

    empresa_->setParametro(QString::fromLatin1(host::AutorizacionAnular::kParametroClave), QStringLiteral("1234"));
    auto teclear = [](const QString& clave, const char* boton) {
        return [clave, boton](QDialog& d) {
            d.findChild<QLineEdit*>(QStringLiteral("txtClave"))->setText(clave);
            d.findChild<QPushButton*>(QString::fromLatin1(boton))->click();
        };
    };
    modales.then(teclear(QStringLiteral("1234"), "cmdCancelar"))
        .then(teclear(QStringLiteral("123"), "cmdAceptar"))
        .then(teclear(QStringLiteral("1234"), "cmdAceptar"));
    EXPECT_FALSE(a.Autorizar());
    EXPECT_FALSE(a.Autorizar());
    EXPECT_EQ(mensajes.last().text, QStringLiteral("Clave de supervisor incorrecta"));
    EXPECT_TRUE(a.Autorizar());
    EXPECT_EQ(mensajes.count(), 2);
    EXPECT_TRUE(modales.problems().isEmpty()) << modales.problems().join('\n').toStdString();
}
