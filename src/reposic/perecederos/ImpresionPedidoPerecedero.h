#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

namespace report {
class LinePrinter;
}

// The plain-text printout of a store's perishable order: 58-line pages, each opened by the
// heading with its page number, one 84-character line per article.
class ImpresionPedidoPerecedero {
public:
    int16_t empresa = 0;
    QString nombreEmpresa;
    int16_t almacen = 0;
    QString nombreAlmacen;
    QString tipo;
    QDate fecha;
    // The order's lines as the screen lists them: code, description, units per box, boxes,
    // units (two decimals, comma).
    QVector<QStringList> lineas;

    static constexpr int kLineasPorPagina = 58;

    // Lays the order out on a job the caller has set up and will finish.
    void escribir(report::LinePrinter& trabajo) const;
    // Prints on the workstation's default printer. Throws report::Error when it cannot.
    void imprimir() const;

    QString lineaDetalle(const QStringList& linea) const;

private:
    void cabecera(report::LinePrinter& trabajo) const;
};
