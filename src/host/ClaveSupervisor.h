#pragma once

#include <QString>

namespace host {

// The supervisor key as the company configuration keeps it. Two forms are accepted:
//   pbkdf2-sha256$ITERATIONS$SALT$HASH   salt and hash in hex, at least 100,000 iterations
//   anything else                       the key in clear (configurations written before hashing)
// Keys are compared in constant time, so the time a wrong key takes says nothing of how much of
// it was right.
class ClaveSupervisor {
public:
    static constexpr int kIteracionesMinimas = 100000;
    // Qt's PBKDF2 needs about half a second for this many on an office PC: slow enough to hold
    // back someone guessing from a stolen file, quick enough for a supervisor at the prompt.
    static constexpr int kIteraciones = 100000;

    // The hashed form of a key, with a fresh random salt.
    static QString cifrar(const QString& clave, int iteraciones = kIteraciones);

    // Whether the configured value can be checked at all: not empty, and when it is a hash, a
    // well-formed one with enough iterations. A bad hash is a configuration fault, not a wrong key.
    static bool valida(const QString& configurada);
    static bool esCifrada(const QString& configurada);

    // Whether the typed key matches the configured one (false for an invalid configuration).
    static bool comprobar(const QString& configurada, const QString& tecleada);
};

}  // namespace host
