// A failure forced at each statement a screen runs for its writing operation, driven through the
// real widgets: the screen shows its error box and the rows are exactly as they were, until the
// fault lands past the commit and the operation stands whole.
#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorArticulo.h"
#include "platform/ui/NumericBox.h"
#include "reposic/prefactura/frmRepPrefacturaGenerar.h"
#include "reposic/prefactura/frmRepPrefacturaModificar.h"
#include "reposic/restos/frmRepGrabRestos.h"
#include "support/DriverFallos.h"
#include "support/Invariantes.h"
#include "support/PantallaFixture.h"

#include <QLineEdit>
#include <QTest>

#include <functional>
#include <iostream>

namespace {

const QString kAtencion = QStringLiteral("¡ Atención !");

class FalloPantalla : public testsupport::PantallaFixture {
protected:
    struct Resultado {
        int revertidas = 0;  // faults that left every row as it was, with the error box
        int sentencias = 0;  // statements of a clean run of the action
        int escapadas = 0;   // rolled-back faults whose exception left the screen's handler
        bool escapadaTrasCommit = false;  // the committing position's fault escaped
    };

    // Runs `accion` with its first BEGIN failing, then its first COMMIT, then a fault at statement
    // 1, 2, ... until one run commits. `titulos` are the titles the screen's error boxes may carry
    // (the operation's own, or its handler's).
    Resultado barrer(const char* pantalla, const std::function<void()>& accion, const QStringList& titulos,
                     int iconos, bool conContadores)
    {
        using Paso = testsupport::DriverFallos::Paso;
        Resultado r;
        auto& fallos = testsupport::DriverFallos::de(conn());
        auto inv = testsupport::Invariantes::tomarBase(conn());
        const QString antes = testsupport::volcadoFilas(conn(), conContadores);
        // One run with one fault armed; false once the run committed (or the screen failed).
        auto intento = [&](Paso paso, int k, const std::string& donde) {
            mensajes.clear();
            const long long desde = fallos.sentencias();
            fallos.fallar(paso, k);
            try {
                accion();
            } catch (const std::exception& e) {
                // A handler must catch what its statements throw, never let it reach Qt's loop.
                std::cout << "[fault/screen] " << pantalla << " " << donde
                          << ": the error escaped the screen's handler: " << e.what() << std::endl;
                ++r.escapadas;
            }
            fallos.desarmar();
            EXPECT_EQ(conn()->transactionDepth(), 0) << pantalla << " " << donde;
            const QString ahora = testsupport::volcadoFilas(conn(), conContadores);
            const QStringList rotas = inv.comprobar(conn());
            EXPECT_TRUE(rotas.isEmpty()) << pantalla << " " << donde << ": "
                                         << rotas.join(QStringLiteral("; ")).toStdString();
            if (ahora != antes) {
                r.escapadaTrasCommit = r.escapadas;
                r.escapadas = 0;
                r.sentencias = static_cast<int>(fallos.sentencias() - desde);
                return false;
            }
            ++r.revertidas;
            bool caja = false;
            for (const auto& b : mensajes.boxes())
                caja = caja || (titulos.contains(b.title) && (b.icon() & iconos));
            EXPECT_TRUE(caja) << pantalla << " " << donde << ": no error box; boxes: "
                              << mensajes.texts().join(QStringLiteral(" / ")).toStdString();
            EXPECT_EQ(r.escapadas, 0) << pantalla << " " << donde;
            return caja && !r.escapadas;
        };
        bool sigue = intento(Paso::Begin, 1, "BEGIN") && intento(Paso::Commit, 1, "COMMIT");
        EXPECT_TRUE(sigue) << pantalla << ": a failed BEGIN or COMMIT kept the writes";
        for (int k = 1; sigue && k < 100000; ++k)
            sigue = intento(Paso::Sentencia, k, "position " + std::to_string(k));
        std::cout << "[fault/screen] " << pantalla << ": " << r.revertidas
                  << " faults (BEGIN, COMMIT, each statement before the commit), each with its error"
                  << " box and identical rows; the next position committed the operation whole" << std::endl;
        return r;
    }
};

TEST_F(FalloPantalla, generationScreenRollsBackEachPassAndSaysSo)
{
    semilla.almacen(1, QStringLiteral("Central")).almacen(12, QStringLiteral("Centro"));
    for (int art = 101; art <= 108; ++art)
        semilla.articulo(art, 0).stock(1, art, 100).stock(12, art, 0).pendiente(12, art, 5, 5, 0);
    frmRepPrefacturaGenerar f;
    f.show();
    hijo<host::SelectorAlmacen>(&f, QStringLiteral("txtAlmacenD"))->setTexto(QStringLiteral("12"));
    auto* destino = hijo<host::SelectorAlmacen>(&f, QStringLiteral("txtAlmacenD"));
    const auto r = barrer("frmRepPrefacturaGenerar",
                          [&] {
                              destino->setTexto(QStringLiteral("12"));
                              pulsar(&f, QStringLiteral("cmdAceptar"));
                          },
                          {kAtencion, QStringLiteral("frmRepPrefacturaGenerar:cmdAceptar_Click")}, ui::vbCritical,
                          true);
    EXPECT_GT(r.revertidas, 5);
    EXPECT_FALSE(r.escapadaTrasCommit);
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 8);
    EXPECT_EQ(count("Reposicion", "Cod_Almacen = 12 AND Unidades <> 0"), 0);
}

TEST_F(FalloPantalla, annulmentFromTheEditingScreenRollsBackWhole)
{
    semilla.almacen(1, QStringLiteral("Central")).almacen(12, QStringLiteral("Centro"));
    conn()->execute("INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha, Cod_AlmacenD,"
                    " Pendiente, Observaciones) VALUES (1, 1, 260100001, '2026-12-01', 12, 1, 'ver')");
    conn()->execute("INSERT INTO Contador_Reposicion_Pref (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo)"
                    " VALUES (1, 2026, 1, 260100001)");
    for (int art = 101; art <= 106; ++art) {
        semilla.articulo(art, 0).stock(1, art, 50).stock(12, art, 0);
        conn()->execute(QStringLiteral("INSERT INTO Reposicion_Pref_Lineas (Cod_Empresa, Cod_Almacen, Codigo,"
                                       " Cod_Articulo, Unidades, UnidadesVenta, UnidadesResto, UnidadesGen)"
                                       " VALUES (1, 1, 260100001, %1, 4, 4, 0, 4)").arg(art));
        semilla.reservado(1, art, 4);
    }
    semilla.pendiente(12, 101, 3, 1, 2);
    frmRepPrefacturaModificar f;
    f.Cod_Almacen = 1;
    f.Codigo = 260100001;
    f.show();
    const auto r = barrer("frmRepPrefacturaModificar (annulment)",
                          [&] {
                              mensajes.answer(ui::vbYes);
                              pulsar(&f, QStringLiteral("cmdAnular"));
                          },
                          {kAtencion}, ui::vbCritical, true);
    EXPECT_GT(r.revertidas, 3);
    EXPECT_FALSE(r.escapadaTrasCommit);
    EXPECT_EQ(count("Reposicion_Pref") + count("Reposicion_Pref_Lineas"), 0);
    EXPECT_EQ(count("Reposicion_StockReservado", "Unidades <> 0"), 0);
}

TEST_F(FalloPantalla, leftoverRecordingScreenKeepsTheDocumentOnAFault)
{
    semilla.almacen(1, QStringLiteral("Central")).almacen(3, QStringLiteral("Tienda Norte"));
    for (int art = 101; art <= 105; ++art)
        semilla.articulo(art, 12).stock(3, art, 10);
    semilla.pendiente(3, 101, 5, 5, 0);
    empresa_->setAlmacenDefecto(3);
    empresa_->setParametro(QStringLiteral("ReposicionTipo"), 0);
    empresa_->setParametro(QStringLiteral("OficinaCentral"), "0");
    empresa_->setParametro(QStringLiteral("ServidorCentral"), QString());
    frmRepGrabRestos f;
    f.show();
    for (int art = 101; art <= 105; ++art) {
        auto* a = hijo<host::SelectorArticulo>(&f, QStringLiteral("txtArticulo"));
        a->setTexto(QString::number(art));
        QTest::keyClick(a->lineaTexto(), Qt::Key_Return);
        hijo<ui::NumericBox>(&f, QStringLiteral("txtUnidades"))->setText(QString::number(art - 100));
        auto* con = hijo<QLineEdit>(&f, QStringLiteral("txtConcepto"));
        con->setText(QStringLiteral("rotura"));
        QTest::keyClick(con, Qt::Key_Return);
    }
    ASSERT_EQ(count("Temp_Reposicion_Restos_Lineas"), 5) << mensajes.texts().join('\n').toStdString();
    // A failed recording skips its number (taken before the transaction): counters stay out.
    const auto r = barrer("frmRepGrabRestos",
                          [&] {
                              mensajes.answer({ui::vbYes, ui::vbNo});
                              pulsar(&f, QStringLiteral("cmdAceptar"));
                          },
                          {kAtencion}, ui::vbCritical | ui::vbExclamation, false);
    EXPECT_GT(r.revertidas, 5);
    // A statement failing after the commit (the estimate of the next number) is reported in a
    // box; it must never escape the click handler into the event loop.
    EXPECT_FALSE(r.escapadaTrasCommit);
    EXPECT_EQ(count("Reposicion_Restos"), 1);
    EXPECT_EQ(count("Reposicion_Restos_Lineas"), 5);
    EXPECT_EQ(scalar("SELECT Unidades FROM Reposicion WHERE Cod_Almacen = 3 AND Cod_Articulo = 101"
                     " AND Codigo = 0").toMoney(), db::Money::fromInt(6));
}

}  // namespace
