#pragma once

#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorArticulo.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MaskedDateBox.h"
#include "platform/ui/NumericBox.h"
#include "support/PantallaFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

class frmRepGrabRestos;

// The leftovers screens on a small company: store 3 ("Tienda Norte") and central warehouse 1,
// articles 101-103 stocked at the store. The site is a store with no central server unless a
// test says otherwise; centralDb() makes a central office database reachable as "CENTRAL".
class RestosFixture : public testsupport::PantallaFixture {
protected:
    RestosFixture();
    ~RestosFixture() override;

    void sitio(bool oficinaCentral, const QString& servidorCentral = {});
    db::ConnectionPtr centralDb();

    std::unique_ptr<frmRepGrabRestos> abrir();
    // Types one line through the widgets: article + Enter, units, concept + Enter.
    void linea(QWidget* f, const QString& articulo, const QString& unidades,
               const QString& concepto = QStringLiteral("rotura"));
    QString etiqueta(QWidget* f, const char* nombre);
    ui::FlexGrid* grid(QWidget* f);
    QStringList fila(QWidget* f, int r);

private:
    QTemporaryDir central_;
    db::ConnectionPtr centralConn_;
};
