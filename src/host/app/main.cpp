// nrvx-host: a small host program that opens the module's screens on the demo company.
//
//   nrvx-host                          main window (needs a display)
//   nrvx-host --list                   registered launcher classes, one a line
//   nrvx-host --open CLASS             main window and that screen
//   nrvx-host [--open CLASS] --screenshot FILE.png
//                                      writes a picture of the screen (or the main window)
//   -d FILE | -S CONNECTION, --ini FILE another database (which must exist) or connection,
//                                      and company configuration
//   --help, --version                  need no display
#include "host/CodigoSalida.h"
#include "host/Instalacion.h"
#include "host/app/ConfiguracionHost.h"
#include "host/app/RegistroLanzadores.h"
#include "host/app/VentanaPrincipal.h"
#include "reposic/frame/FormBase.h"
#include "platform/db/ServerList.h"
#include "reposic/frame/LanzadorRegistro.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <cstdio>
#include <exception>

namespace {

bool hayPantalla()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

void imprimir(FILE* destino, const QString& texto)
{
    std::fputs(texto.toLocal8Bit().constData(), destino);
    std::fputc('\n', destino);
}

void definirOpciones(QCommandLineParser& p)
{
    p.setApplicationDescription(
        QStringLiteral("Abre las pantallas de reposición sobre la empresa de demostración."));
    p.addHelpOption();
    p.addVersionOption();
    p.addOption({QStringLiteral("list"),
                 QStringLiteral("Lista las clases de lanzador registradas.")});
    p.addOption({QStringLiteral("open"), QStringLiteral("Abre la pantalla de esa clase."),
                 QStringLiteral("CLASE")});
    p.addOption({QStringLiteral("screenshot"),
                 QStringLiteral("Guarda una imagen PNG de la pantalla abierta o de la "
                                "ventana principal."),
                 QStringLiteral("FICHERO")});
    p.addOption({{QStringLiteral("d"), QStringLiteral("db")},
                 QStringLiteral("Base de datos embebida de la empresa (debe existir)."),
                 QStringLiteral("FICHERO")});
    p.addOption({QStringLiteral("S"), QStringLiteral("Cadena de conexión (con --ini)."),
                 QStringLiteral("CONEXION")});
    p.addOption({QStringLiteral("ini"), QStringLiteral("Configuración de la empresa."),
                 QStringLiteral("FICHERO")});
}

// Lets pending show and layout events run, so a picture shows the window as the user sees it.
void asentar()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool guardar(QWidget& w, const QString& fichero)
{
    asentar();
    if (w.grab().save(fichero, "PNG"))
        return true;
    imprimir(stderr, QStringLiteral("No se puede escribir la imagen %1").arg(fichero));
    return false;
}

// Opens a screen and photographs it. A modal screen does not return from Show until it closes,
// so the picture is taken from inside its loop and the screen is then closed.
int fotografiarPantalla(hostapp::VentanaPrincipal& ventana, const QString& clase,
                        const QString& fichero)
{
    bool hecha = false;
    bool ok = false;
    // The first modal window is the picture; any modal one it opens in turn (a question, a
    // choice) is closed too, so that nobody has to answer it for the program to end.
    QTimer cerrar;
    cerrar.setInterval(200);
    QObject::connect(&cerrar, &QTimer::timeout, &ventana, [&] {
        if (QPointer<QWidget> modal = QApplication::activeModalWidget()) {
            if (!hecha) {
                ok = guardar(*modal, fichero);
                hecha = true;
            }
            modal->close();
        }
    });
    cerrar.start();
    if (!ventana.abrir(clase))
        return 1;
    if (!hecha) {
        reposic::FormBase* form = ventana.formulario(clase);
        if (!form) {
            imprimir(stderr, QStringLiteral("La pantalla %1 se ha cerrado al abrirse.").arg(clase));
            return 1;
        }
        ok = guardar(*form, fichero);
    }
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser p;
    definirOpciones(p);
    if (!p.parse(argumentos)) {
        imprimir(stderr, QStringLiteral("nrvx-host: ") + p.errorText());
        return host::kMalUso;
    }
    if (p.isSet(QStringLiteral("version"))) {
        imprimir(stdout, host::Instalacion::lineaVersion(QStringLiteral("nrvx-host")));
        return host::kHecho;
    }
    if (p.isSet(QStringLiteral("help"))) {
        const QCoreApplication nucleo(argc, argv);  // the help names the program; no display
        imprimir(stdout, p.helpText() + QLatin1Char('\n') + QString::fromUtf8(host::textoCodigosSalida()));
        return host::kHecho;
    }
    if (!p.positionalArguments().isEmpty()) {
        imprimir(stderr, QStringLiteral("nrvx-host: argumento inesperado «%1»")
                             .arg(p.positionalArguments().first()));
        return host::kMalUso;
    }
    const QString baseDatos = p.value(QStringLiteral("d"));
    if (p.isSet(QStringLiteral("d")) && p.isSet(QStringLiteral("S"))) {
        imprimir(stderr, QStringLiteral("nrvx-host: -d y -S no van juntos"));
        return host::kMalUso;
    }
    // A mistyped name must not become a new demo company.
    if (p.isSet(QStringLiteral("d")) && !QFileInfo(baseDatos).isFile()) {
        imprimir(stderr, QStringLiteral("nrvx-host: no existe la base de datos %1").arg(baseDatos));
        return host::kMalUso;
    }
    if (p.isSet(QStringLiteral("S")) && !p.isSet(QStringLiteral("ini"))) {
        imprimir(stderr, QStringLiteral("nrvx-host: -S necesita --ini FICHERO"));
        return host::kMalUso;
    }
    db::ServerList::loadFromEnvironment();

    const bool listar = p.isSet(QStringLiteral("list"));
    const bool foto = p.isSet(QStringLiteral("screenshot"));
    if (!hayPantalla()) {
        if (!listar && !foto) {
            imprimir(stderr, QStringLiteral(
                "nrvx-host necesita una pantalla y no hay ninguna (DISPLAY vacío).\n"
                "Ejecútelo con:  xvfb-run -a scripts/run\n"
                "o sin pantalla:  nrvx-host --list  |  nrvx-host --screenshot FICHERO.png"));
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nrvx-host"));
    hostapp::registrarLanzadores();

    if (listar) {
        for (const QString& nombre : reposic::LanzadorRegistro::nombres())
            imprimir(stdout, nombre);
        return 0;
    }

    try {
        const hostapp::ConfiguracionHost cfg = p.isSet(QStringLiteral("S"))
            ? hostapp::ConfiguracionHost::conectar(p.value(QStringLiteral("S")),
                                                   p.value(QStringLiteral("ini")))
            : hostapp::ConfiguracionHost::preparar(baseDatos, p.value(QStringLiteral("ini")));
        if (cfg.baseCreada())
            imprimir(stderr, QStringLiteral("Creada la empresa de demostración en %1")
                                 .arg(cfg.rutaBaseDatos()));

        hostapp::VentanaPrincipal ventana(cfg.empresa(), cfg.conexion());
        ventana.show();
        const QString clase = p.value(QStringLiteral("open"));
        if (foto) {
            const QString fichero = p.value(QStringLiteral("screenshot"));
            if (clase.isEmpty())
                return guardar(ventana, fichero) ? 0 : 1;
            return fotografiarPantalla(ventana, clase, fichero);
        }
        if (!clase.isEmpty())
            QTimer::singleShot(0, &ventana, [&ventana, clase] { ventana.abrir(clase); });
        return app.exec();
    } catch (const std::exception& e) {
        imprimir(stderr, QString::fromUtf8(e.what()));
        return 1;
    }
}
