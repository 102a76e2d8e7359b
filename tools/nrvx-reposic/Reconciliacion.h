#pragma once

// nrvx-reposic reconciliar -d BASE [--contable BASE]
// Books the accounting entries of transfers that a stop left pending in the company database.
// BASE is a database file or a connection string; the accounting database defaults to
// Contabilidad.db beside the company file, as the host keeps it. Exit codes: 0 done, 1 a
// database refused, 2 wrong use (a missing file is never created).
int reconciliar(int argc, char** argv);
