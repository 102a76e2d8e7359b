#include "host/components/TraspasoLineas.h"

#include <stdexcept>

namespace host {

TraspasoLinea& TraspasoLineas::Add(int32_t articulo, const QString& descripcion, int32_t linea,
                                   db::Money uxCaja, int16_t cajas, db::Money unidades, db::Money pvp,
                                   db::Money costo)
{
    if (indice_.count(linea))
        throw std::invalid_argument("Traspaso: línea repetida " + std::to_string(linea));
    TraspasoLinea nueva;
    nueva.Linea = linea;
    nueva.Cod_Articulo = articulo;
    nueva.Descripcion = descripcion;
    nueva.UxCaja = uxCaja;
    nueva.Cajas = cajas;
    nueva.Unidades = unidades;
    nueva.Pvp = pvp;
    nueva.Costo = costo;
    lineas_.push_back(std::move(nueva));
    indice_[linea] = lineas_.size() - 1;
    return lineas_.back();
}

TraspasoLinea& TraspasoLineas::Item(int32_t linea)
{
    const auto it = indice_.find(linea);
    if (it != indice_.end())
        return lineas_[it->second];
    throw std::out_of_range("Traspaso: no existe la línea " + std::to_string(linea));
}

}  // namespace host
