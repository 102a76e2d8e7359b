#pragma once

#include <cstdint>

// Prints a recorded leftovers document on the workstation's default printer, one copy, without
// asking. Failures (no report file, no printer) throw.
class ImpresionRestos {
public:
    static void ImprimirResto(int16_t almacen, int64_t codigo);
};
