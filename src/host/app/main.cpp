// nrvx-host: a small host program that opens the module's screens on the demo company.
//
//   nrvx-host                          main window (needs a display)
//   nrvx-host --list                   the screens the main window offers, one class a line
//   nrvx-host --open CLASS             main window and that screen
//   nrvx-host [--open CLASS] --screenshot FILE.png
//                                      writes a picture of the screen (or the main window)
//   nrvx-host --clave-supervisor       asks for the supervisor key twice (no echo) and
//                                      writes its salted hash into the company configuration
//   --db FILE, --ini FILE              another database or company configuration
// A screen the user's rights close in the menu is refused by --open too (exit 2).

#include "host/app/CatalogoPantallas.h"
#include "host/app/ConfiguracionHost.h"
#include "host/app/RegistroLanzadores.h"
#include "host/app/VentanaPrincipal.h"
#include "host/ClaveSupervisor.h"
#include "host/EmpresaConfig.h"
#include "reposic/frame/FormBase.h"
#include "platform/ui/SpanishTranslations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include <termios.h>
#include <unistd.h>

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
    p.addOption({QStringLiteral("list"),
                 QStringLiteral("Lista las pantallas que ofrece la ventana principal.")});
    p.addOption({QStringLiteral("open"), QStringLiteral("Abre la pantalla de esa clase."),
                 QStringLiteral("CLASE")});
    p.addOption({QStringLiteral("screenshot"),
                 QStringLiteral("Guarda una imagen PNG de la pantalla abierta o de la "
                                "ventana principal."),
                 QStringLiteral("FICHERO")});
    p.addOption({QStringLiteral("db"), QStringLiteral("Base de datos de la empresa."),
                 QStringLiteral("FICHERO")});
    p.addOption({QStringLiteral("ini"), QStringLiteral("Configuración de la empresa."),
                 QStringLiteral("FICHERO")});
    p.addOption({QStringLiteral("clave-supervisor"),
                 QStringLiteral("Pide la clave de supervisor dos veces, sin mostrarla, y guarda "
                                "en la configuración de la empresa su resumen PBKDF2.")});
}

// Reads one line from the terminal without showing it; from a pipe, just the line.
bool leerClave(const QString& pregunta, QString& clave)
{
    std::fputs(pregunta.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    termios antes {};
    const bool terminal = ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &antes) == 0;
    if (terminal) {
        termios sinEco = antes;
        sinEco.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &sinEco);
    }
    std::string linea;
    const bool leida = static_cast<bool>(std::getline(std::cin, linea));
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &antes);
        std::fputc('\n', stderr);
    }
    if (!linea.empty() && linea.back() == '\r')
        linea.pop_back();
    clave = QString::fromLocal8Bit(linea.c_str());
    return leida;
}

// Writes the supervisor key as a salted hash, so the company configuration never holds it.
int guardarClaveSupervisor(const QCommandLineParser& p)
{
    const QString ini = hostapp::ConfiguracionHost::rutaIniDe(p.value(QStringLiteral("db")),
                                                             p.value(QStringLiteral("ini")));
    if (!QFileInfo::exists(ini)) {
        imprimir(stderr, QStringLiteral("No existe la configuración de empresa %1.").arg(ini));
        return 2;
    }
    QString clave;
    QString repetida;
    if (!leerClave(QStringLiteral("Clave de supervisor: "), clave)
        || !leerClave(QStringLiteral("Repita la clave: "), repetida)) {
        imprimir(stderr, QStringLiteral("No se ha leído la clave; la configuración no cambia."));
        return 2;
    }
    if (clave.isEmpty()) {
        imprimir(stderr, QStringLiteral("La clave no puede estar vacía; la configuración no cambia."));
        return 2;
    }
    if (clave != repetida) {
        imprimir(stderr, QStringLiteral("Las claves no coinciden; la configuración no cambia."));
        return 2;
    }
    try {
        host::EmpresaConfig::escribirParametro(ini, QStringLiteral("ClaveSupervisor"),
                                               host::ClaveSupervisor::cifrar(clave));
    } catch (const std::exception& e) {
        imprimir(stderr, QString::fromUtf8(e.what()));
        return 1;
    }
    imprimir(stderr, QStringLiteral("Clave de supervisor guardada en %1.").arg(ini));
    return 0;
}

// A screen the user's rights keep closed in the menu is not opened from the command line either.
bool permitida(const hostapp::VentanaPrincipal& ventana, const QString& clase)
{
    if (clase.isEmpty() || ventana.puedeAbrir(clase))
        return true;
    imprimir(stderr, QStringLiteral("El usuario no tiene permiso para abrir la pantalla %1.")
                         .arg(clase));
    return false;
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
    p.parse(argumentos);  // errors are reported once the application exists, by process()

    if (p.isSet(QStringLiteral("clave-supervisor")) && !p.isSet(QStringLiteral("help"))) {
        QCoreApplication app(argc, argv);
        return guardarClaveSupervisor(p);
    }

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
    ui::loadSpanishQtTranslations();
    p.process(app);
    hostapp::registrarLanzadores();

    if (listar) {
        for (const hostapp::EntradaPantalla& e : hostapp::CatalogoPantallas::registradas())
            imprimir(stdout, e.clase);
        return 0;
    }

    try {
        const hostapp::ConfiguracionHost cfg = hostapp::ConfiguracionHost::preparar(
            p.value(QStringLiteral("db")), p.value(QStringLiteral("ini")));
        if (cfg.baseCreada())
            imprimir(stderr, QStringLiteral("Creada la empresa de demostración en %1")
                                 .arg(cfg.rutaBaseDatos()));

        hostapp::VentanaPrincipal ventana(cfg.empresa(), cfg.conexion());
        ventana.show();
        const QString clase = p.value(QStringLiteral("open"));
        if (!permitida(ventana, clase))
            return 2;
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
