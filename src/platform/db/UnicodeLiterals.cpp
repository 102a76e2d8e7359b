#include "platform/db/UnicodeLiterals.h"

namespace db {

namespace {

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#'); }

// The word that ends just before position `end` (spaces skipped), and where it starts.
QString wordBefore(const QString& s, qsizetype end, qsizetype* start)
{
    qsizetype e = end;
    while (e > 0 && s[e - 1].isSpace())
        --e;
    qsizetype b = e;
    while (b > 0 && isWordChar(s[b - 1]))
        --b;
    *start = b;
    return s.mid(b, e - b);
}

bool keepsPlainLiteral(const QString& s, qsizetype quote)
{
    if (quote > 0 && (s[quote - 1] == QLatin1Char('N') || s[quote - 1] == QLatin1Char('n'))) {
        // N'...' already, unless the N ends a longer word (a column named ...N 'x' cannot occur).
        return quote < 2 || !isWordChar(s[quote - 2]);
    }
    qsizetype start = 0;
    const QString word = wordBefore(s, quote, &start);
    if (word.compare(QLatin1String("AS"), Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(QLatin1String("d"), Qt::CaseInsensitive) == 0
        || word.compare(QLatin1String("t"), Qt::CaseInsensitive) == 0
        || word.compare(QLatin1String("ts"), Qt::CaseInsensitive) == 0) {
        qsizetype b = start;
        while (b > 0 && s[b - 1].isSpace())
            --b;
        return b > 0 && s[b - 1] == QLatin1Char('{');
    }
    return false;
}

}  // namespace

QString unicodeLiterals(const QString& tsql)
{
    QString out;
    out.reserve(tsql.size() + 16);
    const qsizetype n = tsql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = tsql[i];
        qsizetype end = i + 1;
        if (c == QLatin1Char('-') && i + 1 < n && tsql[i + 1] == QLatin1Char('-')) {
            end = tsql.indexOf(QLatin1Char('\n'), i);
            end = end < 0 ? n : end;
        } else if (c == QLatin1Char('/') && i + 1 < n && tsql[i + 1] == QLatin1Char('*')) {
            end = tsql.indexOf(QLatin1String("*/"), i + 2);
            end = end < 0 ? n : end + 2;
        } else if (c == QLatin1Char('[') || c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            end = i + 1;
            // A doubled closing character stands for itself and does not close.
            while (end < n) {
                if (tsql[end] == close) {
                    if (end + 1 < n && tsql[end + 1] == close) {
                        end += 2;
                        continue;
                    }
                    ++end;
                    break;
                }
                ++end;
            }
            if (c == QLatin1Char('\'') && !keepsPlainLiteral(tsql, i))
                out += QLatin1Char('N');
        }
        out += QStringView(tsql).mid(i, end - i);
        i = end;
    }
    return out;
}

}  // namespace db
