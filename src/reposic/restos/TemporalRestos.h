#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QDate>
#include <QString>
#include <QVector>

#include <cstdint>
#include <optional>

// The scratch copy of the leftovers document being typed, keyed by workstation, so that a
// document neither recorded nor cancelled comes back when the screen opens again.
class TemporalRestos {
public:
    struct Cabecera {
        QDate fecha;
        int16_t almacen = 0;
    };
    struct Linea {
        int32_t articulo = 0;
        QString descripcion;
        db::Money unidades;
        QString concepto;
    };

    TemporalRestos(db::ConnectionPtr conexion, int32_t puesto)
        : conexion_(std::move(conexion)), puesto_(puesto)
    {
    }

    std::optional<Cabecera> cabecera() const;
    // Lines with the article's description (articles of company `empresaArticulos`).
    QVector<Linea> lineas(int16_t empresaArticulos) const;

    // The header is stored once per document: an earlier one (a restored header without lines
    // whose date or warehouse was then changed) is replaced, so the next opening restores the
    // document as it was last typed.
    void guardarCabecera(const QDate& fecha, int16_t almacen);
    void insertarLinea(int32_t articulo, db::Money unidades, const QString& concepto);
    void modificarLinea(int32_t articulo, db::Money unidades, const QString& concepto);
    void eliminarLinea(int32_t articulo);
    // Forgets the whole document (after recording it, or when the user cancels it).
    void borrar();

private:
    QString puesto() const { return QString::number(puesto_); }

    db::ConnectionPtr conexion_;
    int32_t puesto_;
};
