#include "OrdenComun.h"

#include "host/CodigoSalida.h"
#include "platform/db/Error.h"

#include <exception>

namespace ordencomun {

bool analizar(QCommandLineParser& p, const QStringList& argumentos, const QString& uso)
{
    p.setApplicationDescription(uso);
    p.addHelpOption();
    if (!p.parse(argumentos))
        throw Rechazo::malUso(p.errorText());
    if (p.isSet(QStringLiteral("help"))) {
        std::fputs(p.helpText().toUtf8().constData(), stdout);
        std::fputs(host::textoCodigosSalida(), stdout);
        return false;
    }
    if (!p.positionalArguments().isEmpty())
        throw Rechazo::malUso(QStringLiteral("argumento inesperado «%1»").arg(p.positionalArguments().first()));
    return true;
}

void imprimirError(const QString& linea)
{
    std::fputs(("nrvx-reposic: " + linea + QLatin1Char('\n')).toUtf8().constData(), stderr);
    std::fflush(stderr);
}

int ejecutar(const std::function<int()>& cuerpo)
{
    try {
        return cuerpo();
    } catch (const Rechazo& r) {
        imprimirError(r.mensaje());
        return r.codigo();
    } catch (const std::exception& e) {
        imprimirError(QString::fromUtf8(e.what()));
        return host::kFallo;
    }
}

}  // namespace ordencomun
