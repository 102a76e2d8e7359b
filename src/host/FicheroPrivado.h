#pragma once

#include <QByteArray>
#include <QString>

namespace host {

// Files and folders that only their owner may use. The company configuration holds the database
// log-on and the supervisor key, so the program never leaves it, or the folder it makes for it,
// open to other users, whatever the umask.
class FicheroPrivado {
public:
    // Writes the whole file with mode 0600: a temporary file beside it, renamed over it, so a
    // reader sees the old contents or the new, never half. Throws std::runtime_error.
    static void escribir(const QString& ruta, const QByteArray& datos);
    // Creates the folder and any missing folder above it with mode 0700; folders that already
    // exist keep their mode. Answers false when one cannot be created.
    static bool crearCarpeta(const QString& ruta);
    // Whether someone other than the owner may write the file.
    static bool escribiblePorOtros(const QString& ruta);
};

}  // namespace host
