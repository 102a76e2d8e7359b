#pragma once

#include <QString>

namespace db {

// A password given by reference instead of in clear, so that it never has to stand in a
// configuration file, a connection string on a command line or a process listing:
//   "@env:NAME"  the value of the environment variable NAME
//   "@file:PATH" the first line of the file PATH (a file others can read earns a warning)
// Any other value is the password itself. The database layer resolves references when it logs
// on, so every program accepts them in every connection string.
class PasswordReference {
public:
    static bool isReference(const QString& value);
    // Throws db::Error (Connection) when the variable is unset or the file cannot be read; the
    // message names the variable or the file, never a password.
    static QString resolve(const QString& value);
    // The ODBC string with each password reference resolved into its value, in braces; the text
    // comes back unchanged when it holds no reference.
    static QString resolveOdbc(const QString& odbcConnectionString);
    // The passwords an ODBC string carries after resolution (for scrubbing driver messages).
    static QStringList passwordsIn(const QString& odbcConnectionString);
};

}  // namespace db
