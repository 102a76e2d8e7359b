#include "reposic/casacion/modChkPedMC.h"

std::vector<ArticuloChk>& ArticulosChk()
{
    static std::vector<ArticuloChk> articulos(1);
    return articulos;
}

void ReiniciarArticulosChk() { ArticulosChk().assign(1, ArticuloChk{}); }
