#pragma once

#include "reposic/frame/frmclsBase.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace reposic {

// Creates a launcher from its class name, as the host creates a component by name
// ("frmclsRepPrefactGenerar"; case is ignored).
//
// Registering a launcher: its .cpp, inside namespace reposic, says
//     NRVX_REGISTRAR_LANZADOR(frmclsRepPrefactGenerar)
// and its class declares `static void registrar();`. The macro defines registrar() and calls it
// at start-up. The launchers live in static libraries, and the linker drops an object file that
// nothing references, start-up registration included; so a program must reference each launcher
// once: the host app calls frmclsRepPrefactGenerar::registrar() (and the others) before creating
// any launcher by name. Registering twice is harmless.
class LanzadorRegistro {
public:
    using Fabrica = std::function<std::unique_ptr<frmclsBase>()>;

    static void registrar(const QString& nombreClase, Fabrica fabrica);
    // Null when no launcher of that name is registered.
    static std::unique_ptr<frmclsBase> crear(const QString& nombreClase);
    static bool existe(const QString& nombreClase);
    static QStringList nombres();
};

}  // namespace reposic

#define NRVX_REGISTRAR_LANZADOR(Clase)                                                       \
    void Clase::registrar()                                                                  \
    {                                                                                        \
        ::reposic::LanzadorRegistro::registrar(QStringLiteral(#Clase),                       \
            [] { return std::unique_ptr<::reposic::frmclsBase>(new Clase()); });             \
    }                                                                                        \
    namespace {                                                                              \
    [[maybe_unused]] const bool nrvxLanzadorRegistrado_##Clase = (Clase::registrar(), true); \
    }
