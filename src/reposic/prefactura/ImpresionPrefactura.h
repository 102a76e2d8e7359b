#pragma once

#include <QString>

#include <cstdint>

// Prints one pre-invoice and, when asked, the shortage report of its destination, the way the
// generation screen and the nightly command both print them: to a workstation printer by
// device name, or as PDF files into a folder.
class ImpresionPrefactura {
public:
    bool segundoModelo = false;  // "Stock Origen, Stock Destino" instead of "Ubicación, Stock Origen"
    bool dobleLinea = false;
    bool controlStock = true;    // also the shortage report
    QString impresora;           // device name; empty keeps the report's printer
    QString carpetaPdf;          // when set, PDF files go there instead of a printer
    bool enPantalla = false;     // preview each report in the viewer instead (one pre-invoice)

    // criterio: the selection text printed on the shortage report.
    void imprimir(int16_t origen, int64_t codigo, int16_t destino, const QString& criterio);
};
