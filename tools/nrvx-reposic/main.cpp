// nrvx-reposic: replenishment work without the screens, for nightly runs and scripts.
//   nrvx-reposic generar | historial | reimprimir ...   (nrvx-reposic ORDEN --help)
#include "OrdenComun.h"
#include "Ordenes.h"
#include "Reconciliacion.h"

#include "host/CodigoSalida.h"
#include "host/Instalacion.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

struct Orden {
    const char* nombre;
    int (*ejecutar)(const QStringList&);
    const char* que;
};

// One line per subcommand.
constexpr Orden kOrdenes[] = {
    {"generar", ordenGenerar, "genera las prefacturas de varios almacenes"},
    {"historial", ordenHistorial, "muestra las ejecuciones de la generación"},
    {"reimprimir", ordenReimprimir, "vuelve a imprimir una prefactura y sus faltas"},
};

// Qt's note that XDG_RUNTIME_DIR is unset is noise under cron or systemd, where it usually is;
// a refusal must stay one line.
void filtrarAvisos(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto)
{
    if (texto.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fputs(qFormatLogMessage(tipo, contexto, texto).toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

void ayuda(FILE* f)
{
    std::fputs("Uso: nrvx-reposic ORDEN [opciones]   (nrvx-reposic ORDEN --help)\n\nÓrdenes:\n", f);
    for (const Orden& o : kOrdenes)
        std::fprintf(f, "  %-12s %s\n", o.nombre, o.que);
    std::fprintf(f, "  %-12s %s\n", "reconciliar",
                 "anota los asientos contables de traspasos que quedaron pendientes");
    std::fputs("\nOpciones: --help, --version\n\n", f);
    std::fputs(host::textoCodigosSalida(), f);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        ayuda(stderr);
        return host::kMalUso;
    }
    // Answered before anything needs a display or a database.
    if (std::strcmp(argv[1], "--version") == 0) {
        std::puts(host::Instalacion::lineaVersion(QStringLiteral("nrvx-reposic")).toUtf8().constData());
        return host::kHecho;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        ayuda(stdout);
        return host::kHecho;
    }
    // Booking what a stop left pending needs neither a display nor the other orders' options.
    if (std::strcmp(argv[1], "reconciliar") == 0)
        return reconciliar(argc, argv);
    const Orden* orden = nullptr;
    for (const Orden& o : kOrdenes) {
        if (std::strcmp(argv[1], o.nombre) == 0)
            orden = &o;
    }
    if (!orden) {
        QStringList nombres;
        for (const Orden& o : kOrdenes)
            nombres << QString::fromLatin1(o.nombre);
        ordencomun::imprimirError(QStringLiteral("orden desconocida «%1»; las órdenes son: %2")
                                      .arg(QString::fromLocal8Bit(argv[1]), nombres.join(QStringLiteral(", "))));
        return host::kMalUso;
    }
    // Reports are drawn with Qt's painter: a nightly run on a server has no display.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(filtrarAvisos);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nrvx-reposic"));
    QStringList argumentos{QApplication::arguments().value(0)};
    argumentos += QApplication::arguments().mid(2);
    return orden->ejecutar(argumentos);
}
