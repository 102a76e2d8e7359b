#include "host/ClaveSupervisor.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

#include <optional>

namespace host {

namespace {

const QString kPrefijo = QStringLiteral("pbkdf2-sha256$");
// A typing slip in the iterations must not turn one authorisation into minutes of work.
constexpr int kIteracionesMaximas = 10000000;

struct Cifrada {
    int iteraciones = 0;
    QByteArray sal;
    QByteArray resumen;
};

std::optional<Cifrada> leer(const QString& configurada)
{
    const QStringList partes = configurada.trimmed().split(QLatin1Char('$'));
    if (partes.size() != 4 || partes[0] != QLatin1String("pbkdf2-sha256"))
        return std::nullopt;
    bool ok = false;
    Cifrada c;
    c.iteraciones = partes[1].toInt(&ok);
    c.sal = QByteArray::fromHex(partes[2].toLatin1());
    c.resumen = QByteArray::fromHex(partes[3].toLatin1());
    if (!ok || c.iteraciones < ClaveSupervisor::kIteracionesMinimas
        || c.iteraciones > kIteracionesMaximas || c.sal.size() < 8 || c.resumen.size() < 16
        || c.sal.toHex() != partes[2].toLatin1().toLower()
        || c.resumen.toHex() != partes[3].toLatin1().toLower())
        return std::nullopt;
    return c;
}

QByteArray derivar(const QString& clave, const QByteArray& sal, int iteraciones, int longitud)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, clave.toUtf8(), sal,
                                              iteraciones, quint64(longitud));
}

// Every byte is looked at whatever the first difference: the comparison takes the same time
// for a key that is nearly right as for one that is wholly wrong.
bool igualesEnTiempoConstante(const QByteArray& a, const QByteArray& b)
{
    unsigned char diferencia = a.size() == b.size() ? 0 : 1;
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        diferencia |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diferencia == 0;
}

}  // namespace

QString ClaveSupervisor::cifrar(const QString& clave, int iteraciones)
{
    QByteArray sal(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(sal.data()), sal.size() / 4);
    const QByteArray resumen = derivar(clave, sal, iteraciones, 32);
    return kPrefijo + QString::number(iteraciones) + QLatin1Char('$')
        + QString::fromLatin1(sal.toHex()) + QLatin1Char('$') + QString::fromLatin1(resumen.toHex());
}

bool ClaveSupervisor::esCifrada(const QString& configurada)
{
    return configurada.trimmed().startsWith(kPrefijo);
}

bool ClaveSupervisor::valida(const QString& configurada)
{
    if (configurada.isEmpty())
        return false;
    return !esCifrada(configurada) || leer(configurada).has_value();
}

bool ClaveSupervisor::comprobar(const QString& configurada, const QString& tecleada)
{
    if (!valida(configurada))
        return false;
    if (esCifrada(configurada)) {
        const Cifrada c = *leer(configurada);
        return igualesEnTiempoConstante(derivar(tecleada, c.sal, c.iteraciones,
                                                int(c.resumen.size())),
                                        c.resumen);
    }
    // The clear form: both sides hashed first, so neither the length nor the first differing
    // character shows in the time taken.
    return igualesEnTiempoConstante(
        QCryptographicHash::hash(configurada.toUtf8(), QCryptographicHash::Sha256),
        QCryptographicHash::hash(tecleada.toUtf8(), QCryptographicHash::Sha256));
}

}  // namespace host
