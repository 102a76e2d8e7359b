#pragma once

#include <QString>

namespace host {

// Where this installation keeps what the programs read at run time (the "Rpt" report folder, the
// schema), and the version the programs print. Looked for in this order:
//   NRVX_APP_DIR, when set (an operator's choice wins);
//   <program folder>/../share/nrvx, the installed layout;
//   the source folder the build was configured from, so any build folder works.
// The first that holds the reports is taken; with none, NRVX_APP_DIR or the installed folder is
// answered, so a message names a folder the user can recognise.
class Instalacion {
public:
    static QString carpetaAplicacion();
    static bool tieneInformes(const QString& carpeta);
    static QString version();
    // "nrvx-sql 0.1": the line --version prints.
    static QString lineaVersion(const QString& programa);
};

}  // namespace host
