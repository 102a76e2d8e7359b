// Opens the pre-invoice viewer and the editing screen on a company with 10,000 open
// pre-invoices, the first of them with 100,000 lines, offscreen, and prints how long each takes
// to be on screen (built, loaded, shown and painted once) and the process's peak resident
// memory. Each screen runs in a process of its own so its peak is its own.
//
//     build/bench/bench_pantallas [articles] [pre-invoices]
//     build/bench/bench_pantallas --crear FILE; build/bench/bench_pantallas --pantalla visor FILE
//     build/bench/bench_pantallas --informe FILE  (the long pre-invoice's report to PDF)
#include "host/EmpresaMemoria.h"
#include "host/demo/Schema.h"
#include "platform/db/Command.h"
#include "platform/db/ServerList.h"
#include "platform/report/DocumentPrinter.h"
#include "platform/report/Report.h"
#include "platform/db/Transaction.h"
#include "platform/ui/FlexGrid.h"
#include "reposic/frame/Informes.h"
#include "reposic/frame/modComun.h"
#include "reposic/prefactura/frmRepPreFacturasVisor.h"
#include "reposic/prefactura/frmRepPrefacturaModificar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int64_t kPrimera = 260100001;

db::ConnectionPtr abrir(const QString& ruta)
{
    return db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + ruta);
}

double picoMiB()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss / 1024.0;
}

std::unique_ptr<db::Command> preparar(const db::ConnectionPtr& c, const QString& sql, int params)
{
    auto cmd = std::make_unique<db::Command>(c, sql);
    for (int i = 0; i < params; ++i)
        cmd->addParameter(QString::number(i), db::ParamType::Integer, 0);
    return cmd;
}

// Central 1 and stores 12..21; `articulos` articles stocked at the central with a location and
// a bar code; `prefacturas` open pre-invoices from 1, the first with a line per article and the
// others with one line each.
void crear(const QString& ruta, int articulos, int prefacturas)
{
    auto c = abrir(ruta);
    demo::createSchema(*c);
    db::Transaction t(c);
    c->execute(QStringLiteral("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Central')"));
    for (int a = 12; a <= 21; ++a)
        c->execute(QStringLiteral("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, %1, 'Tienda %1')")
                       .arg(a));
    auto art = preparar(c, QStringLiteral("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion, UxCaja,"
                                          " TipoRep, Familia_1) VALUES (1, ?, 'Articulo de prueba ' || ?, 6, 1, ?)"),
                        3);
    auto stock = preparar(c, QStringLiteral("INSERT INTO Almacen_Articulos (Cod_Empresa, Cod_Almacen, Cod_Articulo,"
                                            " Stock_Actual, PU_Compra, Bloqueo, Ubicacion)"
                                            " VALUES (1, 1, ?, 500, 2, 0, printf('%08d', ?))"),
                          2);
    auto ean = preparar(c, QStringLiteral("INSERT INTO Articulos_CBarras (Cod_Empresa, Cod_Articulo, Cod_Barras,"
                                          " Principal) VALUES (1, ?, printf('84%011d', ?), 1)"),
                        2);
    auto cab = preparar(c, QStringLiteral("INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha,"
                                          " Cod_AlmacenD, Pendiente, Observaciones)"
                                          " VALUES (1, 1, ?, '2026-12-05', ?, 1, 'banco')"),
                        2);
    auto linea = preparar(c, QStringLiteral("INSERT INTO Reposicion_Pref_Lineas (Cod_Empresa, Cod_Almacen, Codigo,"
                                            " Cod_Articulo, Unidades, UnidadesVenta, UnidadesResto, UnidadesGen)"
                                            " VALUES (1, 1, ?, ?, ?, ?, 0, ?)"),
                          5);
    for (int a = 1; a <= articulos; ++a) {
        for (int i = 0; i < 3; ++i)
            art->setParameter(i, i == 2 ? a % 13 : a);
        art->execute();
        stock->setParameter(0, a);
        stock->setParameter(1, (a * 7919) % 100000000);
        stock->execute();
        ean->setParameter(0, a);
        ean->setParameter(1, a);
        ean->execute();
    }
    auto anadir = [&](int64_t codigo, int articulo) {
        const int u = 1 + articulo % 9;
        linea->setParameter(0, codigo);
        linea->setParameter(1, articulo);
        for (int i = 2; i < 5; ++i)
            linea->setParameter(i, u);
        linea->execute();
    };
    for (int p = 0; p < prefacturas; ++p) {
        const int64_t codigo = kPrimera + p;
        cab->setParameter(0, codigo);
        cab->setParameter(1, 12 + p % 10);
        cab->execute();
        if (p == 0) {
            for (int a = 1; a <= articulos; ++a)
                anadir(codigo, a);
        } else {
            anadir(codigo, 1 + p % articulos);
        }
    }
    t.commit();
}

void contexto(const QString& ruta)
{
    auto empresa = std::make_shared<host::EmpresaMemoria>();
    empresa->setAlmacenDefecto(1);
    empresa->setRutaAplicacion(QStringLiteral(NRVX_SOURCE_DIR));
    reposic::modComun::setEmpresa(empresa);
    reposic::modComun::setConexion(abrir(ruta));
    reposic::modComun::setUsuarioActual(1);
    // Reports open their own connection by server and database name, as on a workstation.
    const QFileInfo fichero(ruta);
    db::ServerList::set(QStringLiteral("BANCO"), db::ServerEntry{{}, 1433, fichero.absolutePath()});
    reposic::modComun::setServidor(QStringLiteral("BANCO"));
    reposic::modComun::setBaseDatos(fichero.completeBaseName());
    reposic::modComun::setUsuario(QStringLiteral("sa"));
}

// Records when a widget is first painted.
class PrimeraPintura : public QObject {
public:
    PrimeraPintura(QWidget* w, const QElapsedTimer& reloj) : reloj_(reloj) { w->installEventFilter(this); }
    double ms = -1;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && ms < 0)
            ms = reloj_.nsecsElapsed() / 1e6;
        return false;
    }

private:
    const QElapsedTimer& reloj_;
};

// On screen: built, loaded and its first paint started, which is what the user waits for.
// Then the lines of the long pre-invoice: shown once the grid has them.
template <class Form, class Preparar>
int medir(const char* nombre, const char* rejilla, const QString& ruta, Preparar preparar)
{
    contexto(ruta);
    QElapsedTimer reloj;
    reloj.start();
    auto f = std::make_unique<Form>();
    preparar(*f);
    f->resize(1024, 700);
    PrimeraPintura pintura(f.get(), reloj);
    f->show();
    auto* lineas = f->template findChild<ui::FlexGrid*>(QString::fromLatin1(rejilla));
    while (pintura.ms < 0 || lineas->Rows() < 2) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (reloj.elapsed() > 60000)
            break;
    }
    const double conLineas = reloj.nsecsElapsed() / 1e6;
    std::printf("%-26s on screen %7.1f ms, %d lines shown %7.1f ms, %6.1f MiB peak RSS\n", nombre,
                pintura.ms, lineas->Rows() - 1, conLineas, picoMiB());
    std::fflush(stdout);
    f.reset();
    reposic::modComun::limpiar();
    return 0;
}

// The pre-invoice report of the long pre-invoice: laid out once, then painted to a PDF file,
// which is what printing or exporting it repeats page after page.
int informe(const QString& ruta)
{
    contexto(ruta);
    QTemporaryDir carpeta;
    auto prefactura = reposic::Informes::abrir(QStringLiteral("Reposicion Prefactura.rpt"));
    prefactura->setParameter(1, false);
    prefactura->setParameter(2, 1);
    prefactura->setParameter(3, 1);
    prefactura->setParameter(4, static_cast<qlonglong>(kPrimera));
    prefactura->setParameter(5, 0);
    prefactura->setParameter(6, 1);
    reposic::Informes::subinformeEmpresa(*prefactura);
    QElapsedTimer reloj;
    reloj.start();
    const report::RenderedDocument& documento = prefactura->render();
    const double maquetado = reloj.nsecsElapsed() / 1e6;
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        reloj.restart();
        report::PrintTarget destino;
        destino.pdfFile = carpeta.filePath(QStringLiteral("prefactura.pdf"));
        report::DocumentPrinter::print(documento, destino);
        const double pdf = reloj.nsecsElapsed() / 1e6;
        std::printf("Pre-invoice report: %d pages, laid out in %.0f ms, PDF %.0f ms = %.2f ms a page\n",
                    documento.pageCount(), maquetado, pdf, pdf / documento.pageCount());
    }
    reposic::modComun::limpiar();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args.at(1) == QStringLiteral("--informe"))
        return informe(args.at(2));
    if (args.size() >= 3 && args.at(1) == QStringLiteral("--pantalla")) {
        const QString ruta = args.at(3);
        if (args.at(2) == QStringLiteral("visor"))
            return medir<frmRepPreFacturasVisor>("frmRepPreFacturasVisor", "vsDet", ruta, [](auto&) {});
        return medir<frmRepPrefacturaModificar>("frmRepPrefacturaModificar", "vsLineas", ruta, [](auto& f) {
            f.Cod_Almacen = 1;
            f.Codigo = kPrimera;
        });
    }
    // --crear RUTA makes the database alone, to profile one screen with --pantalla.
    if (args.size() >= 3 && args.at(1) == QStringLiteral("--crear")) {
        crear(args.at(2), 100000, 10000);
        return 0;
    }
    const int articulos = args.size() > 1 ? args.at(1).toInt() : 100000;
    const int prefacturas = args.size() > 2 ? args.at(2).toInt() : 10000;
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("pantallas.db"));
    crear(ruta, articulos, prefacturas);
    std::printf("%d pre-invoices, the first with %d lines\n", prefacturas, articulos);
    for (const char* pantalla : {"visor", "modificar"}) {
        QProcess hijo;
        hijo.setProcessChannelMode(QProcess::ForwardedChannels);
        hijo.start(app.applicationFilePath(),
                   {QStringLiteral("--pantalla"), QString::fromLatin1(pantalla), ruta});
        hijo.waitForFinished(-1);
    }
    return 0;
}
