#include "platform/db/PasswordReference.h"

#include "platform/db/ConnectionString.h"
#include "platform/db/Error.h"

#include <QFile>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace db {

namespace {

const QString kEnv = QStringLiteral("@env:");
const QString kFile = QStringLiteral("@file:");

[[noreturn]] void refuse(const QString& text)
{
    throw Error(Error::Category::Connection, text);
}

QString fromFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        refuse(QStringLiteral("No se puede leer el fichero de contraseña %1: %2")
                   .arg(path, f.errorString()));
    if (f.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther))
        std::fprintf(stderr, "aviso: otros usuarios pueden leer el fichero de contraseña %s\n",
                     qPrintable(path));
    QString text = QString::fromUtf8(f.readAll());
    const int end = text.indexOf(QLatin1Char('\n'));
    if (end >= 0)
        text.truncate(end);
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

// Writes a value back into an ODBC string as it was, in braces only where it must be.
QString odbcValue(const QString& value)
{
    const bool plain = !value.contains(QLatin1Char(';')) && !value.startsWith(QLatin1Char('{'))
        && value == value.trimmed();
    return plain ? value : ConnectionString::braceOdbc(value);
}

}  // namespace

bool PasswordReference::isReference(const QString& value)
{
    return value.startsWith(kEnv) || value.startsWith(kFile);
}

QString PasswordReference::resolve(const QString& value)
{
    if (value.startsWith(kEnv)) {
        const QString name = value.mid(kEnv.size()).trimmed();
        if (name.isEmpty() || !qEnvironmentVariableIsSet(name.toLocal8Bit().constData()))
            refuse(QStringLiteral("La variable de entorno %1, que da la contraseña, no está "
                                  "definida").arg(name));
        return qEnvironmentVariable(name.toLocal8Bit().constData());
    }
    if (value.startsWith(kFile))
        return fromFile(value.mid(kFile.size()).trimmed());
    return value;
}

QString PasswordReference::resolveOdbc(const QString& odbcConnectionString)
{
    std::optional<ConnectionString> parsed;
    try {
        parsed.emplace(odbcConnectionString, ConnectionString::Syntax::Odbc);
    } catch (const Error&) {
        return odbcConnectionString;  // the driver answers for text it cannot read either
    }
    const ConnectionString& cs = *parsed;
    bool any = false;
    for (const auto& [key, value] : cs.attributes())
        any = any || (ConnectionString::isPasswordKey(key) && isReference(value));
    if (!any)
        return odbcConnectionString;
    QString out;
    for (const auto& [key, value] : cs.attributes()) {
        const bool reference = ConnectionString::isPasswordKey(key) && isReference(value);
        out += key + QLatin1Char('=')
            + (reference ? ConnectionString::braceOdbc(resolve(value)) : odbcValue(value))
            + QLatin1Char(';');
    }
    return out;
}

QStringList PasswordReference::passwordsIn(const QString& odbcConnectionString)
{
    QStringList out;
    try {
        const ConnectionString cs(odbcConnectionString, ConnectionString::Syntax::Odbc);
        for (const auto& [key, value] : cs.attributes())
            if (ConnectionString::isPasswordKey(key) && !value.isEmpty())
                out << value;
    } catch (const Error&) {
        // A string that does not parse is refused by the driver; nothing to scrub.
    }
    return out;
}

}  // namespace db
