// The loadable SQLite extension: the company databases' collation and functions for the
// standard tools (the sqlite3 shell, Python's sqlite3, graphical browsers), so an administrator
// can check, query and back up a database without our programs.
//   sqlite3 -cmd ".load /usr/lib/nrvx/nrvx_sqlite" Calbra.db

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include "platform/db/SqliteFunctions.h"

// SQLite derives this name from the file name "nrvx_sqlite".
extern "C" __attribute__((visibility("default"))) int sqlite3_nrvxsqlite_init(
    sqlite3* db, char** errorMessage, const sqlite3_api_routines* api)
{
    SQLITE_EXTENSION_INIT2(api);
    const int rc = db::SqliteFunctions::install(db, db::SqliteFunctions::Options{});
    if (rc != SQLITE_OK) {
        *errorMessage = sqlite3_mprintf("nrvx_sqlite: cannot register the collation and "
                                        "functions: %s", sqlite3_errstr(rc));
        return rc;
    }
    // Stay loaded when the connection closes: the extension brings Qt with it, which is not
    // made to be unloaded from a running process.
    return SQLITE_OK_LOAD_PERMANENTLY;
}
