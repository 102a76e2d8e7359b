#include "platform/db/TsqlToSqlite.h"

#include "platform/db/Quantity.h"

#include <QStringView>

#include <vector>

namespace db {

namespace {

enum class Kind { Space, Comment, Word, Quoted, String, Punct };

// One lexical piece of the statement. Its text stays the source's unless a rewrite replaces it,
// so whatever is not rewritten comes out byte for byte.
struct Token {
    Kind kind;
    qsizetype start;
    qsizetype length;
    bool replaced = false;
    QString text;
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

// Splits into tokens. Strings ('' doubled), [bracketed] and "quoted" names (closing character
// doubled) and both kinds of comment are single tokens, so no rewrite ever looks inside them.
std::vector<Token> tokenize(const QString& s)
{
    std::vector<Token> tokens;
    tokens.reserve(s.size() / 4 + 4);
    const qsizetype n = s.size();
    qsizetype i = 0;
    auto closeQuoted = [&](qsizetype from, QChar close) {
        qsizetype j = from + 1;
        while (j < n) {
            if (s[j] == close) {
                if (j + 1 < n && s[j + 1] == close) {
                    j += 2;
                    continue;
                }
                return j + 1;
            }
            ++j;
        }
        return n;
    };
    while (i < n) {
        const QChar c = s[i];
        qsizetype end = i + 1;
        Kind kind = Kind::Punct;
        if (c.isSpace()) {
            while (end < n && s[end].isSpace())
                ++end;
            kind = Kind::Space;
        } else if (c == u'-' && i + 1 < n && s[i + 1] == u'-') {
            while (end < n && s[end] != u'\n')
                ++end;
            kind = Kind::Comment;
        } else if (c == u'/' && i + 1 < n && s[i + 1] == u'*') {
            const qsizetype close = s.indexOf(QLatin1String("*/"), i + 2);
            end = close < 0 ? n : close + 2;
            kind = Kind::Comment;
        } else if (c == u'\'') {
            end = closeQuoted(i, u'\'');
            kind = Kind::String;
        } else if (c == u'[') {
            end = closeQuoted(i, u']');
            kind = Kind::Quoted;
        } else if (c == u'"') {
            end = closeQuoted(i, u'"');
            kind = Kind::Quoted;
        } else if (isWordChar(c)) {
            while (end < n && isWordChar(s[end]))
                ++end;
            kind = Kind::Word;
        }
        tokens.push_back(Token{kind, i, end - i, false, QString()});
        i = end;
    }
    return tokens;
}

class Translator {
public:
    explicit Translator(const QString& sql) : src_(sql), tokens_(tokenize(sql)) {}

    QString run()
    {
        qsizetype statementStart = 0;
        for (qsizetype i = 0; i <= size(); ++i) {
            if (i == size() || isPunct(i, u';')) {
                rewriteStatement(statementStart, i);
                statementStart = i + 1;
            }
        }
        return assemble();
    }

private:
    qsizetype size() const { return qsizetype(tokens_.size()); }

    QStringView view(qsizetype i) const
    {
        return QStringView(src_).mid(tokens_[i].start, tokens_[i].length);
    }

    bool significant(qsizetype i) const
    {
        return tokens_[i].kind != Kind::Space && tokens_[i].kind != Kind::Comment;
    }

    bool isPunct(qsizetype i, char16_t c) const
    {
        return i >= 0 && i < size() && tokens_[i].kind == Kind::Punct && view(i).front() == c;
    }

    bool isWord(qsizetype i, const char* word) const
    {
        return i >= 0 && i < size() && tokens_[i].kind == Kind::Word
               && view(i).compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    // A name as written, with the brackets or quotes taken off, for comparing aliases.
    QStringView bareName(qsizetype i) const
    {
        QStringView v = view(i);
        if (tokens_[i].kind == Kind::Quoted && v.size() >= 2)
            return v.mid(1, v.size() - 2);
        return v;
    }

    bool isName(qsizetype i) const
    {
        return i >= 0 && i < size()
               && (tokens_[i].kind == Kind::Word || tokens_[i].kind == Kind::Quoted);
    }

    bool isDbo(qsizetype i) const
    {
        return isName(i) && bareName(i).compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0;
    }

    // Next significant token at or after i, before end; end when there is none.
    qsizetype nextSig(qsizetype i, qsizetype end) const
    {
        while (i < end && !significant(i))
            ++i;
        return i;
    }

    void replace(qsizetype i, const QString& text)
    {
        tokens_[i].replaced = true;
        tokens_[i].text = text;
    }

    void drop(qsizetype i) { replace(i, QString()); }

    void append(qsizetype i, const QString& text)
    {
        if (!tokens_[i].replaced)
            replace(i, view(i).toString());
        tokens_[i].text += text;
    }

    QString textOf(qsizetype i) const
    {
        return tokens_[i].replaced ? tokens_[i].text : view(i).toString();
    }

    // Keeps the case style of the source word, so a lower-case statement stays lower-case.
    static QString inCaseOf(QStringView original, const char* upper)
    {
        const QString word = QString::fromLatin1(upper);
        for (QChar c : original) {
            if (c.isLetter())
                return c.isLower() ? word.toLower() : word;
        }
        return word;
    }

    void rewriteStatement(qsizetype begin, qsizetype end)
    {
        struct PendingLimit {
            int depth;
            QString count;
            qsizetype select;
        };
        std::vector<PendingLimit> limits;
        int depth = 0;
        qsizetype lastSig = -1;
        auto flushLimits = [&](int fromDepth) {
            while (!limits.empty() && limits.back().depth >= fromDepth) {
                if (lastSig >= 0)
                    append(lastSig, QStringLiteral(" LIMIT ") + limits.back().count);
                limits.pop_back();
            }
        };

        for (qsizetype i = begin; i < end; ++i) {
            if (!significant(i))
                continue;
            const Token& t = tokens_[i];
            if (t.kind == Kind::Punct) {
                if (isPunct(i, u'(')) {
                    ++depth;
                } else if (isPunct(i, u')')) {
                    // The LIMIT of a parenthesised sub-select closes it, after its ORDER BY.
                    flushLimits(depth);
                    if (depth > 0)
                        --depth;
                }
                lastSig = i;
                continue;
            }
            if (t.kind == Kind::Word) {
                const QStringView w = view(i);
                if (isCompoundOperator(w) && !limits.empty() && limits.back().depth == depth
                    && lastSig >= 0) {
                    // SQLite takes LIMIT only at the end of a compound select, while T-SQL's TOP
                    // limits the first select alone: that select becomes a limited sub-select.
                    const PendingLimit& limit = limits.back();
                    replace(limit.select, QStringLiteral("SELECT * FROM (") + textOf(limit.select));
                    append(lastSig, QStringLiteral(" LIMIT ") + limit.count + QStringLiteral(")"));
                    limits.pop_back();
                } else if (w.startsWith(QLatin1String("@@"))) {
                    rewriteGlobalVariable(i, w.mid(2));
                } else if ((w == u"N" || w == u"n") && i + 1 < end
                           && tokens_[i + 1].kind == Kind::String) {
                    drop(i);  // SQLite's text is Unicode already: N'...' is plain '...'
                } else if (isWord(i, "ISNULL") && isPunct(nextSig(i + 1, end), u'(')) {
                    replace(i, inCaseOf(w, "IFNULL"));
                } else if (isWord(i, "SELECT")) {
                    QString count;
                    const qsizetype resume = takeTop(i, end, count);
                    if (resume > i) {
                        limits.push_back({depth, count, i});
                        lastSig = i;
                        i = resume - 1;
                        continue;
                    }
                }
            }
            if (isDbo(i) && isPunct(i + 1, u'.') && isName(i + 2))
                dropSchema(i);
            lastSig = i;
        }
        flushLimits(0);
        rewriteJoinedDelete(begin, end);
        roundQuantityAssignments(begin, end);
    }

    // Unit quantities hold four decimals. SQLite adds them as doubles, so "Unidades + 0.2 - 0.3"
    // can leave 5.55e-17 where the server's DECIMAL leaves 0: a computed value assigned to a
    // quantity column is rounded back to four decimals as it is written.
    // A value that is already exact: a literal, a parameter or a column, with an optional sign.
    bool isPlainValue(qsizetype first, qsizetype last) const
    {
        qsizetype i = first;
        if (isPunct(i, u'-') || isPunct(i, u'+'))
            i = nextSig(i + 1, last + 1);
        if (i == last && isPunct(i, u'?'))
            return true;
        // name or number, "a.b" or "0.25": parts joined by points with nothing between them
        bool wantPart = true;
        for (; i <= last; ++i) {
            const bool part = tokens_[i].kind == Kind::Word || tokens_[i].kind == Kind::Quoted;
            if (wantPart ? !part : !isPunct(i, u'.'))
                return false;
            wantPart = !wantPart;
        }
        return !wantPart;
    }

    void roundQuantityAssignments(qsizetype begin, qsizetype end)
    {
        const qsizetype update = nextSig(begin, end);
        if (!isWord(update, "UPDATE"))
            return;
        qsizetype set = update + 1;
        for (int depth = 0; set < end; ++set) {
            if (isPunct(set, u'('))
                ++depth;
            else if (isPunct(set, u')'))
                --depth;
            else if (depth == 0 && isWord(set, "SET"))
                break;
        }
        qsizetype from = set + 1;
        while (from < end) {
            const qsizetype target = nextSig(from, end);
            if (!isName(target))
                return;
            qsizetype column = target;
            const qsizetype equals = nextSig(readName(target, column), end);
            if (!isPunct(equals, u'='))
                return;
            const qsizetype first = nextSig(equals + 1, end);
            qsizetype last = -1;
            qsizetype i = first;
            for (int depth = 0; i < end; ++i) {
                if (!significant(i))
                    continue;
                if (isPunct(i, u'(')) {
                    ++depth;
                } else if (isPunct(i, u')')) {
                    if (depth == 0)
                        break;
                    --depth;
                } else if (depth == 0
                           && (isPunct(i, u',') || isWord(i, "WHERE") || isWord(i, "FROM")
                               || isWord(i, "OUTPUT"))) {
                    break;
                }
                last = i;
            }
            if (last >= first && Quantity::isColumn(bareName(column)) && !isPlainValue(first, last)) {
                replace(first, inCaseOf(view(update), "ROUND") + QStringLiteral("(") + textOf(first));
                append(last, QStringLiteral(", 4)"));
            }
            if (!isPunct(i, u','))
                return;
            from = i + 1;
        }
    }

    static bool isCompoundOperator(QStringView w)
    {
        return w.compare(QLatin1String("UNION"), Qt::CaseInsensitive) == 0
               || w.compare(QLatin1String("EXCEPT"), Qt::CaseInsensitive) == 0
               || w.compare(QLatin1String("INTERSECT"), Qt::CaseInsensitive) == 0;
    }

    void rewriteGlobalVariable(qsizetype i, QStringView name)
    {
        if (name.compare(QLatin1String("SERVERNAME"), Qt::CaseInsensitive) == 0)
            replace(i, QStringLiteral("nrvx_servername()"));
        else if (name.compare(QLatin1String("TRANCOUNT"), Qt::CaseInsensitive) == 0)
            replace(i, QStringLiteral("nrvx_trancount()"));
        else
            replace(i, QStringLiteral("nrvx_var('") + name.toString() + QStringLiteral("')"));
    }

    // "dbo." goes, and with it a database name before it ("Calbra.dbo.Tabla" -> "Tabla"):
    // the embedded database is the database, and functions are registered under bare names.
    void dropSchema(qsizetype dbo)
    {
        drop(dbo);
        drop(dbo + 1);
        qsizetype i = dbo - 1;
        while (isPunct(i, u'.') && isName(i - 1)) {
            drop(i);
            drop(i - 1);
            i -= 2;
        }
    }

    // After SELECT [DISTINCT|ALL]: "TOP n" or "TOP (n)" with the blanks after it is removed.
    // Answers the token to continue from, or select itself when there is no TOP to take.
    qsizetype takeTop(qsizetype select, qsizetype end, QString& count)
    {
        qsizetype i = nextSig(select + 1, end);
        if (isWord(i, "DISTINCT") || isWord(i, "ALL"))
            i = nextSig(i + 1, end);
        if (!isWord(i, "TOP"))
            return select;
        const qsizetype top = i;
        i = nextSig(i + 1, end);
        qsizetype last = i;
        if (isPunct(i, u'(')) {
            const qsizetype number = nextSig(i + 1, end);
            last = nextSig(number + 1, end);
            if (number >= end || tokens_[number].kind != Kind::Word || !isPunct(last, u')'))
                return select;
            i = number;
        }
        if (i >= end || tokens_[i].kind != Kind::Word || !view(i).front().isDigit())
            return select;
        // PERCENT and WITH TIES have no LIMIT equivalent; such a statement is left as written.
        const qsizetype after = nextSig(last + 1, end);
        if (isWord(after, "PERCENT") || isWord(after, "WITH"))
            return select;
        count = view(i).toString();
        qsizetype resume = last + 1;
        while (resume < end && tokens_[resume].kind == Kind::Space)
            ++resume;
        for (qsizetype k = top; k < resume; ++k)
            drop(k);
        return resume;
    }

    // Reads a possibly qualified name ("a", "dbo.T", "[x].[y]") from i; answers the token after
    // it and sets last to its final part.
    qsizetype readName(qsizetype i, qsizetype& last) const
    {
        last = i;
        while (isPunct(last + 1, u'.') && isName(last + 2))
            last += 2;
        return last + 1;
    }

    QString outputOf(qsizetype from, qsizetype to) const
    {
        QString out;
        for (qsizetype k = from; k < to; ++k)
            out += textOf(k);
        return out;
    }

    static bool isClauseWord(QStringView w)
    {
        static const char* const words[] = {"INNER", "LEFT", "RIGHT", "FULL", "CROSS", "OUTER",
                                            "JOIN", "ON", "WHERE", "GROUP", "ORDER", "WITH",
                                            "HAVING", "OPTION"};
        for (const char* word : words) {
            if (w.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }

    // "DELETE x FROM T x INNER JOIN ... WHERE ..." becomes
    // "DELETE FROM T WHERE rowid IN (SELECT x.rowid FROM T x INNER JOIN ... WHERE ...)":
    // SQLite's DELETE takes one table, so the join moves into a sub-select of the rows to go.
    void rewriteJoinedDelete(qsizetype begin, qsizetype end)
    {
        const qsizetype del = nextSig(begin, end);
        if (!isWord(del, "DELETE"))
            return;
        const qsizetype target = nextSig(del + 1, end);
        if (!isName(target) || isWord(target, "FROM"))
            return;
        qsizetype targetLast = target;
        const qsizetype afterTarget = readName(target, targetLast);
        const qsizetype from = nextSig(afterTarget, end);
        if (!isWord(from, "FROM"))
            return;
        const QStringView wanted = bareName(targetLast);

        // Walk the table references of the FROM clause for the one the target names.
        qsizetype tableBegin = -1;
        qsizetype tableEnd = -1;
        int depth = 0;
        bool expectTable = true;
        for (qsizetype i = from + 1; i < end; ++i) {
            if (!significant(i))
                continue;
            if (isPunct(i, u'(')) {
                ++depth;
                expectTable = false;
                continue;
            }
            if (isPunct(i, u')')) {
                --depth;
                continue;
            }
            if (depth > 0)
                continue;
            if (isWord(i, "JOIN") || isPunct(i, u',')) {
                expectTable = true;
                continue;
            }
            if (isWord(i, "WHERE"))
                break;
            if (!expectTable || !isName(i))
                continue;
            expectTable = false;
            qsizetype nameLast = i;
            const qsizetype afterName = readName(i, nameLast);
            qsizetype alias = nextSig(afterName, end);
            if (isWord(alias, "AS"))
                alias = nextSig(alias + 1, end);
            const bool hasAlias = isName(alias) && !isClauseWord(view(alias));
            const QStringView name = hasAlias ? bareName(alias) : bareName(nameLast);
            if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
                tableBegin = i;
                tableEnd = afterName;
                break;
            }
            if (hasAlias)
                i = alias;
        }
        if (tableBegin < 0)
            return;

        qsizetype lastSig = -1;
        for (qsizetype i = from; i < end; ++i) {
            if (significant(i))
                lastSig = i;
        }
        const QString targetText = outputOf(target, afterTarget);
        for (qsizetype k = target; k < afterTarget; ++k)
            drop(k);
        replace(target, QStringLiteral("FROM ") + outputOf(tableBegin, tableEnd)
                            + QStringLiteral(" WHERE rowid IN (SELECT ") + targetText
                            + QStringLiteral(".rowid"));
        append(lastSig, QStringLiteral(")"));
    }

    QString assemble() const
    {
        bool changed = false;
        for (const Token& t : tokens_) {
            if (t.replaced) {
                changed = true;
                break;
            }
        }
        if (!changed)
            return src_;
        QString out;
        out.reserve(src_.size() + 32);
        for (const Token& t : tokens_) {
            if (t.replaced)
                out += t.text;
            else
                out += QStringView(src_).mid(t.start, t.length);
        }
        return out;
    }

    const QString& src_;
    std::vector<Token> tokens_;
};

}  // namespace

QString TsqlToSqlite::translate(const QString& tsql)
{
    return Translator(tsql).run();
}

}  // namespace db
