#include "platform/db/StatementShape.h"

namespace db {

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@')
        || c == QLatin1Char('#') || c == QLatin1Char('$');
}

bool startsWithWrite(const QString& sql)
{
    const QString head = sql.left(8).trimmed().toUpper();
    return head.startsWith(QLatin1String("INSERT")) || head.startsWith(QLatin1String("UPDATE"))
        || head.startsWith(QLatin1String("DELETE"));
}

bool hasClauseThatNeedsLiterals(const QString& sql)
{
    return sql.contains(QLatin1String("ORDER BY"), Qt::CaseInsensitive)
        || sql.contains(QLatin1String("GROUP BY"), Qt::CaseInsensitive)
        || sql.contains(QLatin1String("--")) || sql.contains(QLatin1String("/*"))
        || sql.contains(QLatin1Char('?'));
}

}  // namespace

StatementShape StatementShape::lift(const QString& sql)
{
    StatementShape out;
    if (!startsWithWrite(sql) || hasClauseThatNeedsLiterals(sql))
        return out;
    out.text.reserve(sql.size());
    const int n = sql.size();
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'')) {
            QString lit;
            int j = i + 1;
            for (;;) {
                if (j >= n)
                    return {};  // unterminated: let the engine report it on the original text
                if (sql[j] == QLatin1Char('\'')) {
                    if (j + 1 < n && sql[j + 1] == QLatin1Char('\'')) {
                        lit += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                lit += sql[j++];
            }
            out.literals.emplace_back(lit);
            out.text += QLatin1Char('?');
            i = j + 1;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"');
            const int end = sql.indexOf(close, i + 1);
            if (end < 0)
                return {};
            out.text += QStringView(sql).mid(i, end - i + 1);
            i = end + 1;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql[i + 1].isDigit())) {
            int j = i;
            bool decimal = false;
            while (j < n && (sql[j].isDigit() || (sql[j] == QLatin1Char('.') && !decimal))) {
                decimal = decimal || sql[j] == QLatin1Char('.');
                ++j;
            }
            if (j < n && (isWordChar(sql[j]) || sql[j] == QLatin1Char('.')))
                return {};  // 1e5, 12abc: leave such texts to the engine as they are
            const QStringView digits = QStringView(sql).mid(i, j - i);
            bool ok = false;
            if (decimal)
                out.literals.emplace_back(digits.toDouble(&ok));
            else
                out.literals.emplace_back(static_cast<int64_t>(digits.toLongLong(&ok)));
            if (!ok)
                return {};
            out.text += QLatin1Char('?');
            i = j;
        } else if (isWordChar(c)) {
            int j = i;
            while (j < n && isWordChar(sql[j]))
                ++j;
            out.text += QStringView(sql).mid(i, j - i);
            i = j;
        } else {
            out.text += c;
            ++i;
        }
    }
    out.cacheable = true;
    return out;
}

}  // namespace db
