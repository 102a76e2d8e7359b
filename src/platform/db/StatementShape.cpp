#include "platform/db/StatementShape.h"

#include <cerrno>
#include <cstdlib>

namespace db {

namespace {

inline bool isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_'
        || u == '@' || u == '#' || u == '$')
        return true;
    return u > 127 && c.isLetterOrNumber();
}

bool startsWithWrite(const QString& sql)
{
    const QString head = sql.left(8).trimmed().toUpper();
    return head.startsWith(QLatin1String("INSERT")) || head.startsWith(QLatin1String("UPDATE"))
        || head.startsWith(QLatin1String("DELETE"));
}

// Words after which a number is not a value but a position or a row count.
bool isPositionalWord(QStringView word)
{
    if (word.size() != 2 && word.size() != 3 && word.size() != 5)
        return false;
    const char16_t first = word.front().unicode() | 0x20;  // lower-case for ASCII letters
    if (first != 'b' && first != 't' && first != 'l')
        return false;
    return word.compare(QLatin1String("BY"), Qt::CaseInsensitive) == 0
        || word.compare(QLatin1String("TOP"), Qt::CaseInsensitive) == 0
        || word.compare(QLatin1String("LIMIT"), Qt::CaseInsensitive) == 0;
}

// Hand-rolled: the generic conversions go through locale machinery that costs more than the
// whole statement's execution.
bool parseNumber(const QChar* p, int len, bool decimal, Value& out)
{
    if (len > 30)
        return false;
    if (!decimal && len <= 18) {
        int64_t v = 0;
        for (int k = 0; k < len; ++k)
            v = v * 10 + (p[k].unicode() - '0');
        out = Value(v);
        return true;
    }
    char buf[32];
    for (int k = 0; k < len; ++k)
        buf[k] = static_cast<char>(p[k].unicode());
    buf[len] = 0;
    char* end = nullptr;
    errno = 0;
    if (decimal) {
        out = Value(std::strtod(buf, &end));
    } else {
        out = Value(static_cast<int64_t>(std::strtoll(buf, &end, 10)));
    }
    return errno == 0 && end == buf + len;
}

}  // namespace

StatementShape StatementShape::lift(const QString& sql)
{
    StatementShape out;
    if (!startsWithWrite(sql))
        return out;
    out.text.reserve(sql.size());
    out.literals.reserve(16);
    const QChar* p = sql.constData();
    const int n = sql.size();
    int copied = 0;  // text before this index is already in out.text
    auto liftAt = [&](int from, int to, Value v) {
        out.text.append(p + copied, from - copied);
        out.text.append(QLatin1Char('?'));
        out.literals.push_back(std::move(v));
        copied = to;
    };
    int i = 0;
    int unicodeMark = -1;  // where the N of an N'...' literal stands
    while (i < n) {
        const char16_t c = p[i].unicode();
        if (c == '\'') {
            int j = i + 1;
            bool doubled = false;
            for (;;) {
                if (j >= n)
                    return {};  // unterminated: let the engine report it on the original text
                if (p[j] == QLatin1Char('\'')) {
                    if (j + 1 < n && p[j + 1] == QLatin1Char('\'')) {
                        doubled = true;
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            QString lit(p + i + 1, j - i - 1);
            if (doubled)
                lit.replace(QStringLiteral("''"), QStringLiteral("'"));
            // N'...' is lifted whole: a parameter is Unicode text already.
            liftAt(unicodeMark == i - 1 ? i - 1 : i, j + 1, Value(lit));
            i = j + 1;
        } else if (c == '"' || c == '[') {
            const QChar close = c == '[' ? QLatin1Char(']') : QLatin1Char('"');
            const int end = sql.indexOf(close, i + 1);
            if (end < 0)
                return {};
            i = end + 1;
        } else if ((c >= '0' && c <= '9') || (c == '.' && i + 1 < n && p[i + 1].isDigit())) {
            int j = i;
            bool decimal = false;
            while (j < n && (p[j].isDigit() || (p[j] == QLatin1Char('.') && !decimal))) {
                decimal = decimal || p[j] == QLatin1Char('.');
                ++j;
            }
            if (j < n && (isWordChar(p[j]) || p[j] == QLatin1Char('.')))
                return {};  // 1e5, 12abc: leave such texts to the engine as they are
            Value v;
            if (!parseNumber(p + i, j - i, decimal, v))
                return {};
            liftAt(i, j, std::move(v));
            i = j;
        } else if (isWordChar(p[i])) {
            int j = i;
            while (j < n && isWordChar(p[j]))
                ++j;
            if (isPositionalWord(QStringView(sql).mid(i, j - i)))
                return {};
            if (j == i + 1 && (c == 'N' || c == 'n') && j < n && p[j] == QLatin1Char('\''))
                unicodeMark = i;
            i = j;
        } else {
            // Comments and existing parameters: leave such statements as they are.
            if (c == '?' || (c == '-' && i + 1 < n && p[i + 1] == QLatin1Char('-'))
                || (c == '/' && i + 1 < n && p[i + 1] == QLatin1Char('*')))
                return {};
            ++i;
        }
    }
    out.text.append(p + copied, n - copied);
    out.cacheable = true;
    return out;
}

}  // namespace db
