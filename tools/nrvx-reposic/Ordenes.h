#pragma once

#include <QStringList>

// The subcommands of nrvx-reposic. Each receives its own arguments (the program name first,
// then what follows the subcommand's name) and answers the exit code.
int ordenGenerar(const QStringList& argumentos);
int ordenHistorial(const QStringList& argumentos);
int ordenReimprimir(const QStringList& argumentos);
