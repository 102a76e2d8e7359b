#include "reposic/prefactura/LineaPrefactura.h"

#include "platform/db/Transaction.h"
#include "reposic/data/clsAlmacen_Rep.h"
#include "reposic/data/clsAlmacen_Rep_PreF.h"
#include "reposic/data/clsAlmacen_Rep_PreF_Lineas.h"

#include <stdexcept>

using db::Money;

LineaPrefactura::LineaPrefactura(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion))
{
}

int64_t LineaPrefactura::grabar(int32_t articulo, Money anterior, Money nueva, bool aRestos)
{
    if (articulo <= 0 || origen <= 0 || destino <= 0)
        throw std::invalid_argument("Faltan el artículo o los almacenes de la línea");

    db::Transaction transaccion(conexion_);
    int64_t cod = codigo;
    if (cod == 0) {
        clsAlmacen_Rep_PreF cabecera;
        cabecera.cEmpresa(empresa_);
        cabecera.Conexion(conexion_);
        cabecera.Almacen = origen;
        cabecera.AlmacenDestino = destino;
        cabecera.Insertar();
        cod = cabecera.Codigo;
    }

    clsAlmacen_Rep acumulador;
    acumulador.cEmpresa(empresa_);
    acumulador.Conexion(conexion_);
    acumulador.Articulo = articulo;
    if (aRestos) {
        acumulador.Almacen = destino;
        acumulador.Unidades = anterior - nueva;
        acumulador.UnidadesResto = anterior - nueva;
        acumulador.UnidadesVenta = Money();
        acumulador.Modificar();
    }
    acumulador.Almacen = origen;
    acumulador.Unidades = nueva - anterior;
    acumulador.UnidadesVenta = Money();
    acumulador.UnidadesResto = Money();
    acumulador.Modificar_StockReservado();

    clsAlmacen_Rep_PreF_Lineas linea;
    linea.cEmpresa(empresa_);
    linea.Conexion(conexion_);
    linea.Almacen = origen;
    linea.Codigo = cod;
    linea.Articulo = articulo;
    // A line typed by hand starts from nothing; Cargar brings the stored split when it exists.
    linea.Cargar();
    linea.Unidades = nueva;
    if (aRestos)
        linea.UnidadesGeneradas += nueva - anterior;
    linea.Modificar();

    transaccion.commit();
    codigo = cod;
    return cod;
}

void LineaPrefactura::eliminar(int32_t articulo, Money unidades, bool aRestos)
{
    db::Transaction transaccion(conexion_);
    clsAlmacen_Rep acumulador;
    acumulador.cEmpresa(empresa_);
    acumulador.Conexion(conexion_);
    acumulador.Articulo = articulo;
    if (aRestos) {
        acumulador.Almacen = destino;
        acumulador.Unidades = unidades;
        acumulador.UnidadesResto = unidades;
        acumulador.UnidadesVenta = Money();
        acumulador.Modificar();
    }
    acumulador.Almacen = origen;
    acumulador.Unidades = -unidades;
    acumulador.UnidadesVenta = Money();
    acumulador.UnidadesResto = Money();
    acumulador.Modificar_StockReservado();

    clsAlmacen_Rep_PreF_Lineas linea;
    linea.cEmpresa(empresa_);
    linea.Conexion(conexion_);
    linea.Almacen = origen;
    linea.Codigo = codigo;
    linea.Articulo = articulo;
    linea.Eliminar();
    transaccion.commit();
}
