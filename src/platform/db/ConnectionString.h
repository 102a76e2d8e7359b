#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

namespace db {

// "Key=Value;Key=Value;" with keys compared without case, as ADO reads them.
//
// OLE DB strings (the default) take a value in single or double quotes when it holds a ';', a
// quote or blanks at either end; inside, the quote that opened it is written twice. ODBC strings
// take a value in braces, '}' written twice. A value that opens a quote and never closes it, or
// has text after its closing quote, throws db::Error naming the key and never the value: the
// value may be a password.
//
// The builders are the other half: every value a program pastes into a connection string goes
// through quoteOleDb() or braceOdbc(), so a password holding ';' or '=' stays one value and can
// never add attributes of its own.
class ConnectionString {
public:
    enum class Syntax { OleDb, Odbc };

    explicit ConnectionString(const QString& text, Syntax syntax = Syntax::OleDb);

    QString value(const QString& key, const QString& fallback = {}) const;
    bool has(const QString& key) const;
    // The attributes in the order written, keys as written (a repeated key appears once, where
    // it first stood, with the value that counts).
    QList<QPair<QString, QString>> attributes() const { return attributes_; }

    // The value as an OLE DB string must hold it: unchanged when plain, else quoted.
    static QString quoteOleDb(const QString& value);
    // The value in braces with every '}' doubled, as ODBC drivers read it.
    static QString braceOdbc(const QString& value);
    // "KEY={value};KEY={value};" from the attributes in order.
    static QString buildOdbc(const QList<QPair<QString, QString>>& attributes);

    // True for the keys that carry a password ("Password", "Pwd").
    static bool isPasswordKey(const QString& key);
    // The text with every password value replaced by "****": what a status bar, a log line or
    // a message may show of a connection string. Text that does not parse is hidden whole.
    static QString redacted(const QString& text);

private:
    void add(const QString& key, const QString& value, Syntax syntax);

    QList<QPair<QString, QString>> attributes_;
    QHash<QString, int> index_;  // lower-case key -> position in attributes_
};

}  // namespace db
