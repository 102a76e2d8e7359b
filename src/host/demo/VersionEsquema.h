#pragma once

#include "platform/db/Connection.h"

namespace demo {

// The schema version of an embedded company database, kept in the file itself
// (PRAGMA user_version), and the upgrade of an older file in place.
//
// Version 0 is every database made before the version was kept: quantities could hold binary
// residues (0.1 + 0.2 - 0.3 stored as 5.55e-17) and had no range check, and transfers had
// nowhere to keep an accounting entry still to book. Version 1 rounds every stored quantity to
// its four decimals, rebuilds the tables whose definition changed (copying their rows), and adds
// the missing tables and indexes. The whole upgrade is one transaction: a failure (a stored
// quantity beyond the range, a full disk) leaves the file as it was and throws db::Error.
class VersionEsquema {
public:
    static constexpr int kActual = 1;

    static int leer(db::Connection& c);
    // Creates the schema on an empty database or brings an older one to kActual; answers true
    // when it upgraded existing tables. A database of a newer version is left alone.
    static bool actualizar(db::Connection& c);

private:
    static void reconstruirTablas(db::Connection& c, const QString& script);
};

}  // namespace demo
