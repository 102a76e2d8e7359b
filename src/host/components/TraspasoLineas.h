#pragma once

#include "host/components/TraspasoLinea.h"

#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace host {

// The lines of a stock transfer document, kept in the order added and found by line number.
class TraspasoLineas {
public:
    // Adds a line; a line number already used is refused (std::invalid_argument), since the
    // document's lines are keyed by it.
    TraspasoLinea& Add(int32_t articulo, const QString& descripcion, int32_t linea, db::Money uxCaja,
                       int16_t cajas, db::Money unidades, db::Money pvp, db::Money costo);
    // The line with that number; std::out_of_range when there is none.
    TraspasoLinea& Item(int32_t linea);
    int Count() const { return static_cast<int>(lineas_.size()); }
    const std::vector<TraspasoLinea>& lineas() const { return lineas_; }
    std::vector<TraspasoLinea>& lineas() { return lineas_; }

private:
    std::vector<TraspasoLinea> lineas_;
    // Position of each line number: a large store's document has tens of thousands of lines.
    std::unordered_map<int32_t, size_t> indice_;
};

}  // namespace host
