#include "host/Utilidades.h"

#include "platform/db/ServerList.h"

#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTcpSocket>
#include <QWidget>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace host {

namespace {

constexpr int kPuertoSqlServer = 1433;
constexpr int kMaxDecimales = 30;

// A number as plain decimal digits: sign, integer part, fraction.
struct Decimal {
    bool negativo = false;
    QString entera;
    QString fraccion;

    QString plano() const
    {
        QString s = negativo ? QStringLiteral("-") : QString();
        s += entera;
        if (!fraccion.isEmpty())
            s += QLatin1Char('.') + fraccion;
        return s;
    }
};

Decimal leerPlano(const QString& plano)
{
    Decimal d;
    QString s = plano;
    d.negativo = s.startsWith(QLatin1Char('-'));
    if (d.negativo)
        s.remove(0, 1);
    const int punto = s.indexOf(QLatin1Char('.'));
    d.entera = punto < 0 ? s : s.left(punto);
    d.fraccion = punto < 0 ? QString() : s.mid(punto + 1);
    if (d.entera.isEmpty())
        d.entera = QStringLiteral("0");
    return d;
}

// The shortest text that reads back as exactly `x`, never in exponent form.
QString textoExacto(double x)
{
    char buf[512];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
    return QString::fromLatin1(buf, static_cast<int>(r.ptr - buf));
}

// `x` read to 15 significant digits, the precision a double holds for certain: 2.675 (stored
// 2.67499999999999982236431605997495353221893310546875) reads "2.675", as the user typed it.
Decimal decimalQuinceCifras(double x)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
    const QString s = QString::fromLatin1(buf, static_cast<int>(r.ptr - buf));
    const int e = s.indexOf(QLatin1Char('e'));
    Decimal d;
    QString mantisa = s.left(e);
    d.negativo = mantisa.startsWith(QLatin1Char('-'));
    if (d.negativo)
        mantisa.remove(0, 1);
    mantisa.remove(QLatin1Char('.'));
    const int exponente = s.mid(e + 1).toInt();
    if (exponente >= 0) {
        if (mantisa.size() <= exponente + 1)
            mantisa = mantisa.leftJustified(exponente + 1, QLatin1Char('0'));
        d.entera = mantisa.left(exponente + 1);
        d.fraccion = mantisa.mid(exponente + 1);
    } else {
        d.entera = QStringLiteral("0");
        d.fraccion = QString(-exponente - 1, QLatin1Char('0')) + mantisa;
    }
    return d;
}

// Rounds the digits at `decimales` places, halves away from zero (on the magnitude), and gives
// exactly that many decimals. A result of zero loses its sign.
Decimal redondearDecimal(Decimal d, int decimales)
{
    decimales = std::clamp(decimales, 0, kMaxDecimales);
    const bool subir = d.fraccion.size() > decimales && d.fraccion.at(decimales) >= QLatin1Char('5');
    QString frac = d.fraccion.left(decimales).leftJustified(decimales, QLatin1Char('0'));
    QString digitos = d.entera + frac;
    if (subir) {
        int i = digitos.size() - 1;
        for (; i >= 0; --i) {
            if (digitos.at(i) == QLatin1Char('9')) {
                digitos[i] = QLatin1Char('0');
            } else {
                digitos[i] = QChar(digitos.at(i).unicode() + 1);
                break;
            }
        }
        if (i < 0)
            digitos.prepend(QLatin1Char('1'));
    }
    Decimal r;
    r.entera = digitos.left(digitos.size() - decimales);
    r.fraccion = digitos.right(decimales);
    while (r.entera.size() > 1 && r.entera.startsWith(QLatin1Char('0')))
        r.entera.remove(0, 1);
    static const QRegularExpression ceros(QStringLiteral("^0*$"));
    r.negativo = d.negativo && !ceros.match(r.entera + r.fraccion).hasMatch();
    return r;
}

QString mostrar(const Decimal& d)
{
    const QLocale loc = localePuesto();
    QString entera;
    const int n = d.entera.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            entera += loc.groupSeparator();
        entera += d.entera.at(i);
    }
    QString s = d.negativo ? QStringLiteral("-") : QString();
    s += entera;
    if (!d.fraccion.isEmpty())
        s += loc.decimalPoint() + d.fraccion;
    return s;
}

int anioDeTexto(const QString& t)
{
    const int n = t.toInt();
    if (t.size() > 2)
        return n;
    return n < 30 ? 2000 + n : 1900 + n;
}

bool enfocable(QWidget* w, QWidget* ventana)
{
    return w->window() == ventana && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus
           && w->isEnabled() && w->isVisibleTo(ventana) && !w->focusProxy();
}

}  // namespace

QLocale localePuesto()
{
    return QLocale(QLocale::Spanish, QLocale::Spain);
}

void instalarLocale()
{
    QLocale::setDefault(localePuesto());
}

QString FechaTexto(const QDate& fecha)
{
    return fecha.isValid() ? fecha.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString FechaTexto(const QDateTime& momento)
{
    return FechaTexto(momento.date());
}

QString FechaTexto(const QString& texto)
{
    return FechaTexto(FechaDeTexto(texto));
}

QDate FechaDeTexto(const QString& texto)
{
    static const QRegularExpression iso(
        QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T]\d{1,2}:\d{2}(?::\d{2}(?:\.\d+)?)?)?$)"));
    static const QRegularExpression compacta(QStringLiteral(R"(^(\d{4})(\d{2})(\d{2})$)"));
    static const QRegularExpression corta(QStringLiteral(
        R"(^(\d{1,2})([/.-])(\d{1,2})\2(\d{2}|\d{4})(?:\s+\d{1,2}:\d{2}(?::\d{2})?)?$)"));

    const QString t = texto.trimmed();
    QRegularExpressionMatch m = iso.match(t);
    if (!m.hasMatch())
        m = compacta.match(t);
    if (m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    m = corta.match(t);
    if (m.hasMatch())
        return QDate(anioDeTexto(m.captured(4)), m.captured(3).toInt(), m.captured(1).toInt());
    return QDate();
}

QString NumeroTexto(double numero, int decimales)
{
    if (!std::isfinite(numero))
        return localePuesto().toString(numero);
    return mostrar(redondearDecimal(decimalQuinceCifras(numero), decimales));
}

QString NumeroTexto(db::Money numero, int decimales)
{
    return mostrar(redondearDecimal(leerPlano(numero.toSql()), decimales));
}

QString NumeroSQL(double numero)
{
    if (!std::isfinite(numero))
        throw std::domain_error("NumeroSQL: el número no es finito");
    if (numero == 0.0)
        return QStringLiteral("0");  // also -0.0, which to_chars writes "-0"
    return textoExacto(numero);
}

QString NumeroSQL(db::Money numero)
{
    return numero.toSql();
}

double Redondear(double numero, int decimales)
{
    if (!std::isfinite(numero))
        return numero;
    return redondearDecimal(decimalQuinceCifras(numero), decimales).plano().toDouble();
}

void SiguienteCampo()
{
    QWidget* actual = QApplication::focusWidget();
    if (!actual) {
        QWidget* ventana = QApplication::activeWindow();
        if (!ventana)
            return;
        actual = ventana->focusWidget() ? ventana->focusWidget() : ventana;
    }
    QWidget* ventana = actual->window();
    // The chain is circular; the cap only guards against a chain broken by a widget in flight.
    int vueltas = 0;
    for (QWidget* w = actual->nextInFocusChain(); w && w != actual && vueltas < 100000;
         w = w->nextInFocusChain(), ++vueltas) {
        if (enfocable(w, ventana)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QString AjustarTexto(int alineacion, const QString& texto, int ancho)
{
    if (ancho <= 0)
        return QString();
    const QString t = texto.normalized(QString::NormalizationForm_C);
    if (t.size() >= ancho)
        return t.left(ancho);
    const int falta = ancho - static_cast<int>(t.size());
    switch (alineacion) {
    case 1: {
        const int izquierda = falta / 2;
        const QString derecha(falta - izquierda, QLatin1Char(' '));
        return QString(izquierda, QLatin1Char(' ')) + t + derecha;
    }
    case 2:
        return QString(falta, QLatin1Char(' ')) + t;
    default:
        return t + QString(falta, QLatin1Char(' '));
    }
}

QString IdentificadorPuesto()
{
    static const QString id = [] {
        QString nombre = QSysInfo::machineHostName().trimmed().toUpper().left(30);
        if (nombre.isEmpty())
            nombre = QStringLiteral("PUESTO");
        const QByteArray maquina = QSysInfo::machineUniqueId();
        if (!maquina.isEmpty())
            nombre += QLatin1Char('-') + QString::fromLatin1(maquina.left(8)).toUpper();
        return nombre;
    }();
    return id;
}

bool ServidorAccesible(const QString& servidor, int puerto, int timeoutMs)
{
    QString destino = servidor.trimmed();
    if (destino.isEmpty())
        return false;

    if (const auto entrada = db::ServerList::find(destino)) {
        if (entrada->embedded())
            return QFileInfo(entrada->folder).isDir();
        destino = entrada->host.trimmed();
        if (entrada->port > 0 && entrada->port != kPuertoSqlServer)
            puerto = entrada->port;
    } else {
        const int coma = destino.indexOf(QLatin1Char(','));
        if (coma > 0) {
            bool ok = false;
            const int p = destino.mid(coma + 1).trimmed().toInt(&ok);
            if (!ok)
                return false;
            puerto = p;
            destino = destino.left(coma).trimmed();
        }
        const int barra = destino.indexOf(QLatin1Char('\\'));
        if (barra > 0)
            destino = destino.left(barra);
        if (destino == QLatin1String(".")
            || destino.compare(QLatin1String("(local)"), Qt::CaseInsensitive) == 0)
            destino = QStringLiteral("127.0.0.1");
    }
    if (destino.isEmpty() || puerto <= 0 || puerto > 65535)
        return false;

    QTcpSocket socket;
    socket.connectToHost(destino, static_cast<quint16>(puerto));
    const bool conectado = socket.waitForConnected(timeoutMs < 0 ? -1 : timeoutMs);
    socket.abort();
    return conectado;
}

}  // namespace host
