#pragma once

#include "platform/db/Value.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace report {

// The record selection a screen adds to a report: "{Table.Field} = value" terms joined by
// "and", value a number or a quoted text ('' for a quote inside it). Texts compare ignoring case
// as the company databases do. Anything else is refused with report::Error rather than guessed.
class SelectionFormula {
public:
    struct Term {
        QString table;
        QString field;
        db::Value value;
    };

    SelectionFormula() = default;
    static SelectionFormula parse(const QString& formula, const QString& reportFile);

    bool empty() const { return terms_.empty(); }
    const std::vector<Term>& terms() const { return terms_; }
    // True when a row whose column term.field holds `value` passes the term.
    static bool matches(const Term& term, const db::Value& value);

private:
    std::vector<Term> terms_;
};

}  // namespace report
