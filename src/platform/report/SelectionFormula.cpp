#include "platform/report/SelectionFormula.h"

#include "platform/report/Error.h"

#include <QRegularExpression>

namespace report {

namespace {

// Splits on the word "and" outside quoted texts.
QStringList splitTerms(const QString& formula)
{
    QStringList parts;
    QString current;
    bool quoted = false;
    for (int i = 0; i < formula.size(); ++i) {
        const QChar c = formula.at(i);
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c.isSpace() && formula.mid(i + 1, 3).compare(QLatin1String("and"),
                                                                   Qt::CaseInsensitive) == 0
            && (i + 4 >= formula.size() || formula.at(i + 4).isSpace())) {
            parts << current;
            current.clear();
            i += 3;
            continue;
        }
        current += c;
    }
    parts << current;
    return parts;
}

}  // namespace

SelectionFormula SelectionFormula::parse(const QString& formula, const QString& reportFile)
{
    SelectionFormula result;
    if (formula.trimmed().isEmpty())
        return result;
    static const QRegularExpression term(QStringLiteral(
        R"(^\s*\{\s*([A-Za-z_][\w ]*)\.([A-Za-z_]\w*)\s*\}\s*=\s*(-?\d+(?:\.\d+)?|'(?:[^']|'')*')\s*$)"));
    for (const QString& part : splitTerms(formula)) {
        const auto m = term.match(part);
        if (!m.hasMatch())
            throw Error(QStringLiteral("Fórmula de selección no válida en %1: %2")
                            .arg(reportFile, formula));
        Term t;
        t.table = m.captured(1).trimmed();
        t.field = m.captured(2);
        const QString v = m.captured(3);
        if (v.startsWith(QLatin1Char('\''))) {
            t.value = db::Value(v.mid(1, v.size() - 2).replace(QLatin1String("''"),
                                                               QLatin1String("'")));
        } else if (v.contains(QLatin1Char('.'))) {
            t.value = db::Value(db::Money::parse(v));
        } else {
            t.value = db::Value(static_cast<int64_t>(v.toLongLong()));
        }
        result.terms_.push_back(t);
    }
    return result;
}

bool SelectionFormula::matches(const Term& term, const db::Value& value)
{
    if (value.isNull())
        return false;
    if (term.value.isText())
        return value.toText().compare(term.value.toText(), Qt::CaseInsensitive) == 0;
    if (value.isText()) {
        bool ok = false;
        const double d = value.toText().trimmed().toDouble(&ok);
        return ok && db::Money::fromDouble(d) == term.value.toMoney();
    }
    return value.toMoney() == term.value.toMoney();
}

}  // namespace report
