#pragma once

#include <QString>
#include <QStringList>

namespace hostapp {

// Where each screen of the module stands in the host's menu: its subsystem, the caption its
// form opens with, and whether the host shows it modally.
struct EntradaPantalla {
    QString clase;      // launcher class, or form name for a screen without launcher
    QString grupo;      // subsystem
    QString titulo;
    bool modal = false;
};

class CatalogoPantallas {
public:
    // The subsystems in menu order.
    static QStringList grupos();
    // The entry of a launcher or form name (case ignored); an unknown name goes to "Otros" with
    // its own name as title.
    static EntradaPantalla entrada(const QString& clase);
    // Entries of the registered launchers and forms without launcher, in catalogue order, then
    // the unknown ones, grouped by subsystem in menu order: what the main window shows.
    static QList<EntradaPantalla> registradas();
};

}  // namespace hostapp
