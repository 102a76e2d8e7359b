#pragma once

#include "Rechazo.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>
#include <functional>

// What every subcommand does the same way: --help, unknown options as wrong use, and every
// Rechazo or unexpected error turned into one line on standard error and its exit code.
namespace ordencomun {

// Parses; answers false (after printing the help) when --help was asked. Throws Rechazo.
bool analizar(QCommandLineParser& p, const QStringList& argumentos, const QString& uso);

void imprimirError(const QString& linea);

int ejecutar(const std::function<int()>& cuerpo);

}  // namespace ordencomun
