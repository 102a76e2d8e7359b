#include "reposic/casacion/frmChkPedMC_Diferencias.h"
#include "reposic/frame/Nombrar.h"

#include "host/Utilidades.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/report/Printers.h"
#include "platform/ui/Anclaje.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reposic/casacion/modChkPedMC.h"
#include "reposic/frame/Informes.h"
#include "reposic/frame/ValorTexto.h"
#include "reposic/frame/modComun.h"
#include "reposic/frame/modMsgOp.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <cmath>

using reposic::modComun;

namespace {

using reposic::nombrar;

const QString kAtencion = QStringLiteral("¡ Atención !");
constexpr int kColDiferencia = 4;
constexpr int kColIndice = 5;

// An amount as the workstation writes a plain decimal: comma separator, only the decimals needed.
QString textoCantidad(db::Money m) { return m.toSql().replace(QLatin1Char('.'), QLatin1Char(',')); }

double parametroNumerico(const char* nombre)
{
    return reposic::ValorTexto(modComun::empresa()->Parametro(QString::fromLatin1(nombre)).toString());
}

}  // namespace

frmChkPedMC_Diferencias::frmChkPedMC_Diferencias(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmChkPedMC_Diferencias"));
    setWindowTitle(QStringLiteral("Artículos con Diferencias"));
    vsDif = nombrar(new ui::FlexGrid(this), "vsDif");
    cmdLiquidar = nombrar(new QPushButton(QStringLiteral("&Liquidar"), this), "cmdLiquidar");
    cmImprimir = nombrar(new QPushButton(QStringLiteral("&Imprimir"), this), "cmImprimir");
    cmdCancelar = nombrar(new QPushButton(QStringLiteral("&Cancelar"), this), "cmdCancelar");
    Anclaje = nombrar(new ui::Anclaje(this), "Anclaje");

    auto* botones = new QHBoxLayout;
    botones->addWidget(cmImprimir);
    botones->addStretch();
    botones->addWidget(cmdLiquidar);
    botones->addWidget(cmdCancelar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(vsDif, 1);
    raiz->addLayout(botones);
    resize(860, 420);

    vsDif->setEditableCol(kColDiferencia);
    vsDif->onStartEdit([this](int fila, int col, bool& cancelar) {
        if (col != kColDiferencia) {
            cancelar = true;
            return;
        }
        double valor = 0;
        LeerNumero(vsDif->TextMatrix(fila, col), valor);
        vsDif->setTextMatrix(fila, col, FormatoDiferencia(valor));
    });
    vsDif->onKeyPressEdit([this](int, int, int& tecla) {
        // Backspace edits; Enter and Escape end the edit and are not characters of the number.
        if (tecla == 8 || tecla == 13 || tecla == 27)
            return;
        const QLineEdit* editor = vsDif->EditWindow();
        const QString texto = editor ? editor->text() : QString();
        if (tecla == 46)
            tecla = 44;
        if (tecla == 44) {
            if (texto.contains(QLatin1Char(',')))
                tecla = 0;
            return;
        }
        if (tecla < '0' || tecla > '9')
            tecla = 0;
    });
    vsDif->onAfterEdit([this](int fila, int col) {
        double valor = 0;
        if (LeerNumero(vsDif->TextMatrix(fila, col), valor)) {
            if (fila < vsDif->Rows() - 1)
                vsDif->setRow(fila + 1);
            return;
        }
        ui::MsgBox(QStringLiteral("Debe especificar un valor numerico"), ui::vbOKOnly | ui::vbExclamation,
                   kAtencion);
        vsDif->setTextMatrix(fila, col, QStringLiteral("0"));
    });

    connect(cmdLiquidar, &QPushButton::clicked, this, &frmChkPedMC_Diferencias::cmdLiquidar_Click);
    connect(cmImprimir, &QPushButton::clicked, this, &frmChkPedMC_Diferencias::cmImprimir_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmChkPedMC_Diferencias::cmdCancelar_Click);
}

QString frmChkPedMC_Diferencias::FormatoDiferencia(double valor)
{
    QString texto = QString::number(std::fabs(valor), 'f', 2);
    if (texto.startsWith(QLatin1String("0.")))
        texto.remove(0, 1);
    texto.replace(QLatin1Char('.'), QLatin1Char(','));
    if (valor < 0 && texto != QLatin1String(",00"))
        texto.prepend(QLatin1Char('-'));
    return texto;
}

bool frmChkPedMC_Diferencias::LeerNumero(const QString& texto, double& valor)
{
    static const QRegularExpression numero(QStringLiteral(R"(^\s*-?(\d+,?\d*|,\d+)\s*$)"));
    if (!numero.match(texto).hasMatch())
        return false;
    QString t = texto.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.startsWith(QLatin1Char('.')) || t.startsWith(QLatin1String("-.")))
        t.insert(t.indexOf(QLatin1Char('.')), QLatin1Char('0'));
    bool ok = false;
    valor = t.toDouble(&ok);
    return ok;
}


void frmChkPedMC_Diferencias::Form_Load()
{
    vsDif->setRows(1);
    vsDif->setCols(6);
    const struct {
        const char* titulo;
        int ancho;
        int alineacion;
    } columnas[] = {{"Articulo", 1200, ui::flexAlignRightCenter},
                    {"Articulo", 5500, ui::flexAlignLeftCenter},
                    {"Pedido", 1000, ui::flexAlignRightCenter},
                    {"Capturado", 1000, ui::flexAlignRightCenter},
                    {"Diferencia", -1, ui::flexAlignRightCenter},
                    {"", -1, ui::flexAlignGeneral}};
    for (int c = 0; c < 6; ++c) {
        vsDif->setTextMatrix(0, c, QString::fromUtf8(columnas[c].titulo));
        vsDif->setColAlignment(c, columnas[c].alineacion);
        if (columnas[c].ancho > 0)
            vsDif->setColWidth(c, columnas[c].ancho);
        vsDif->setFixedAlignment(c, ui::flexAlignCenterCenter);
    }
    vsDif->setColHidden(kColIndice, true);
    Anclaje->AgregarColumna(vsDif, 1, 100);

    const auto empresa = modComun::empresa();
    const auto& articulos = ArticulosChk();
    for (size_t i = 1; i < articulos.size(); ++i) {
        const ArticuloChk& a = articulos[i];
        if (a.UnidadesPed == a.UnidadesMC)
            continue;
        db::Recordset rs(modComun::conexion(),
                         "SELECT Descripcion FROM Articulos WHERE Cod_Empresa ="
                             + QString::number(empresa->CodigoEmpresaArticulos()) + " AND Codigo ="
                             + QString::number(a.Cod_Articulo));
        const QString descripcion = rs.eof() ? QStringLiteral("NO EXISTE EL ARTICULO")
                                             : rs.field(QStringLiteral("Descripcion")).toText();
        // Cells are set one by one: a tab inside a description must not split it.
        vsDif->AddItem(QString());
        const int fila = vsDif->Rows() - 1;
        vsDif->setTextMatrix(fila, 0, QString::number(a.Cod_Articulo));
        vsDif->setTextMatrix(fila, 1, descripcion);
        vsDif->setTextMatrix(fila, 2, textoCantidad(a.UnidadesPed));
        vsDif->setTextMatrix(fila, 3, textoCantidad(a.UnidadesMC));
        vsDif->setTextMatrix(fila, 4, textoCantidad(a.Diferencia));
        vsDif->setTextMatrix(fila, 5, QString::number(i));
    }
    cmdLiquidar->setVisible(parametroNumerico("PedProv_ModoActUndsPtes") == 1);
}

void frmChkPedMC_Diferencias::cmdLiquidar_Click()
{
    const bool automatica = parametroNumerico("RepArtProv_TipoReposicionAutomatica") == 1;
    const QString cabecera =
        QStringLiteral("Al liquidar el pedido se realizarán las siguientes operaciones:\r\n");
    const QString supuesto =
        QStringLiteral("\r\n\r\n[Esta opción supone que el faltante NO será enviado por el proveedor]\r\n\r\n");
    int respuesta;
    if (automatica) {
        respuesta = ui::MsgBox(
            cabecera
                + QStringLiteral(" - Actualizar Reposición Automática con valores en columna Diferencia.(Opcional)"
                                 "\r\n - Marcar el pedido como recibido")
                + supuesto + QStringLiteral("¿Desea llevar la diferencia a la Reposición Automática?"),
            ui::vbYesNoCancel | ui::vbQuestion | ui::vbDefaultButton3, kAtencion);
    } else {
        respuesta = ui::MsgBox(cabecera + QStringLiteral(" - Marcar el pedido como recibido") + supuesto
                                   + QStringLiteral("¿Desea continuar?"),
                               ui::vbOKCancel | ui::vbQuestion | ui::vbDefaultButton3, kAtencion);
    }
    if (respuesta == ui::vbCancel)
        return;
    Resultado = 1;
    LlevarAReposicion = respuesta == ui::vbYes && automatica;
    auto& articulos = ArticulosChk();
    for (int fila = vsDif->FixedRows(); fila < vsDif->Rows(); ++fila) {
        const int indice = vsDif->TextMatrix(fila, kColIndice).toInt();
        if (indice < 1 || indice >= static_cast<int>(articulos.size()))
            continue;
        double valor = 0;
        LeerNumero(vsDif->TextMatrix(fila, kColDiferencia), valor);
        articulos[indice].Diferencia = db::Money::fromDouble(valor);
    }
    descargar();
}

void frmChkPedMC_Diferencias::cmdCancelar_Click()
{
    Resultado = 0;
    descargar();
}

void frmChkPedMC_Diferencias::cmImprimir_Click()
{
    try {
        reposic::MsgOp(true, QStringLiteral("Realizando operación, espere por favor..."));
        const QString puesto = host::IdentificadorPuesto();
        const auto conexion = modComun::conexion();
        const QString borrar = "DELETE FROM Temp_ChkPedidos WHERE Puesto =" + db::sqlText(puesto);
        conexion->execute(borrar);
        const auto& articulos = ArticulosChk();
        int fila = 0;
        for (size_t i = 1; i < articulos.size(); ++i) {
            const ArticuloChk& a = articulos[i];
            if (a.UnidadesPed == a.UnidadesMC)
                continue;
            ++fila;
            // Descriptions may hold quotes ("CAFE D'OR"): quoted, never pasted in raw.
            conexion->execute("INSERT INTO Temp_ChkPedidos (Puesto, Cod_Articulo, Descripcion, UnidadesPed,"
                              " UnidadesMC) VALUES (" + db::sqlText(puesto) + ", "
                              + QString::number(a.Cod_Articulo) + ", "
                              + db::sqlText(vsDif->TextMatrix(fila, 1)) + ", "
                              + host::NumeroSQL(a.UnidadesPed) + ", " + host::NumeroSQL(a.UnidadesMC) + ")");
        }

        auto informe = reposic::Informes::abrir(QStringLiteral("ChkPedidoProv Dif.rpt"));
        informe->setParameter(1, puesto);
        informe->setParameter(2, static_cast<int>(modComun::empresa()->CodigoEmpresa()));
        informe->setParameter(3, ListaPedidos);
        informe->setParameter(4, ListaMiniCompras);
        reposic::Informes::subinformeEmpresa(*informe);
        if (const auto actual = report::Printers::defaultPrinter())
            reposic::Informes::dirigirAImpresora(*informe, actual->deviceName);
        informe->setPrintOption(1, 2);
        informe->setDocumentName(QStringLiteral("Artículos con diferencias"));
        informe->printOut(1);

        conexion->execute(borrar);
        reposic::MsgOp(false);
    } catch (const std::exception& e) {
        reposic::MsgOp(false);
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}
