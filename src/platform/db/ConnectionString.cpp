#include "platform/db/ConnectionString.h"

#include "platform/db/Error.h"

namespace db {

namespace {

[[noreturn]] void malformed(const QString& key, const char* what)
{
    throw Error(Error::Category::Connection,
                QStringLiteral("Cadena de conexión no válida: el valor de %1 %2")
                    .arg(key.isEmpty() ? QStringLiteral("(sin nombre)") : key,
                         QString::fromUtf8(what)));
}

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// Reads a key up to its '=' ("==" is a literal '=' inside a key, as OLE DB writes it).
// Answers false when the part has no '=' at all: such text is skipped, as ADO skips it.
bool readKey(const QString& text, int& i, QString& key)
{
    key.clear();
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(';')) {
            ++i;
            return false;
        }
        if (c == QLatin1Char('=')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('=')) {
                key += c;
                i += 2;
                continue;
            }
            ++i;
            key = key.trimmed();
            return true;
        }
        key += c;
        ++i;
    }
    return false;
}

// Reads a value closed by 'close', where the closing character written twice stands for itself.
QString readEnclosed(const QString& text, int& i, QChar close, const QString& key)
{
    QString value;
    ++i;  // the opening character
    for (;;) {
        if (i >= text.size())
            malformed(key, "abre comillas o llaves y no las cierra");
        const QChar c = text.at(i++);
        if (c == close) {
            if (i < text.size() && text.at(i) == close) {
                value += c;
                ++i;
                continue;
            }
            break;
        }
        value += c;
    }
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    if (i < text.size() && text.at(i) != QLatin1Char(';'))
        malformed(key, "tiene texto tras las comillas o llaves que lo cierran");
    if (i < text.size())
        ++i;
    return value;
}

QString readPlain(const QString& text, int& i)
{
    const int end = text.indexOf(QLatin1Char(';'), i);
    const QString value = text.mid(i, end < 0 ? -1 : end - i).trimmed();
    i = end < 0 ? text.size() : end + 1;
    return value;
}

}  // namespace

ConnectionString::ConnectionString(const QString& text, Syntax syntax)
{
    int i = 0;
    while (i < text.size()) {
        QString key;
        if (!readKey(text, i, key))
            continue;  // text without '=' is skipped, as ADO skips it
        while (i < text.size() && isBlank(text.at(i)))
            ++i;
        const QChar first = i < text.size() ? text.at(i) : QChar();
        QString value;
        if (syntax == Syntax::OleDb && (first == QLatin1Char('"') || first == QLatin1Char('\'')))
            value = readEnclosed(text, i, first, key);
        else if (syntax == Syntax::Odbc && first == QLatin1Char('{'))
            value = readEnclosed(text, i, QLatin1Char('}'), key);
        else
            value = readPlain(text, i);
        if (!key.isEmpty())
            add(key, value, syntax);
    }
}

void ConnectionString::add(const QString& key, const QString& value, Syntax syntax)
{
    const QString lower = key.toLower();
    const auto it = index_.constFind(lower);
    if (it == index_.constEnd()) {
        index_.insert(lower, int(attributes_.size()));
        attributes_.append({key, value});
    } else if (syntax == Syntax::OleDb) {
        // ADO keeps the last value of a repeated key, ODBC drivers the first.
        attributes_[*it].second = value;
    }
}

QString ConnectionString::value(const QString& key, const QString& fallback) const
{
    const auto it = index_.constFind(key.toLower());
    return it == index_.constEnd() ? fallback : attributes_.at(*it).second;
}

bool ConnectionString::has(const QString& key) const { return index_.contains(key.toLower()); }

QString ConnectionString::quoteOleDb(const QString& value)
{
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('"'))
        && !value.contains(QLatin1Char('\'')) && value == value.trimmed();
    if (plain)
        return value;
    if (!value.contains(QLatin1Char('"')))
        return QLatin1Char('"') + value + QLatin1Char('"');
    if (!value.contains(QLatin1Char('\'')))
        return QLatin1Char('\'') + value + QLatin1Char('\'');
    QString doubled = value;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString ConnectionString::braceOdbc(const QString& value)
{
    QString doubled = value;
    doubled.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + doubled + QLatin1Char('}');
}

QString ConnectionString::buildOdbc(const QList<QPair<QString, QString>>& attributes)
{
    QString out;
    for (const auto& [key, value] : attributes)
        out += key + QLatin1Char('=') + braceOdbc(value) + QLatin1Char(';');
    return out;
}

bool ConnectionString::isPasswordKey(const QString& key)
{
    return key.compare(QLatin1String("Password"), Qt::CaseInsensitive) == 0
        || key.compare(QLatin1String("Pwd"), Qt::CaseInsensitive) == 0;
}

QString ConnectionString::redacted(const QString& text)
{
    const bool odbc = !text.contains(QLatin1String("Provider="), Qt::CaseInsensitive);
    try {
        const ConnectionString cs(text, odbc ? Syntax::Odbc : Syntax::OleDb);
        QString out;
        for (const auto& [key, value] : cs.attributes_) {
            const QString shown = isPasswordKey(key) && !value.isEmpty() ? QStringLiteral("****")
                : odbc && value.contains(QLatin1Char(';'))                 ? braceOdbc(value)
                : odbc                                                     ? value
                                                                           : quoteOleDb(value);
            out += key + QLatin1Char('=') + shown + QLatin1Char(';');
        }
        return out;
    } catch (const Error&) {
        return QStringLiteral("(cadena de conexión no válida)");
    }
}

}  // namespace db
