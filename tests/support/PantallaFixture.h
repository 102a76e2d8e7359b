#pragma once

#include "platform/report/DocumentPrinter.h"
#include "platform/ui/MsgBoxScript.h"
#include "platform/ui/ModalScript.h"
#include "support/DatosFixture.h"
#include "support/QtPrint.h"
#include "support/Semilla.h"

#include <QAbstractButton>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace testsupport {

// A screen test's world: the company database with the host context set as a launcher sets it
// (login through the server list, reports from the source tree's rpt folder), every message box
// and modal dialog scripted, and every print job kept instead of printed.
class PantallaFixture : public DatosFixture {
protected:
    struct Trabajo {
        QString impresora;
        QString documento;
        QString texto;
    };

    PantallaFixture();
    ~PantallaFixture() override;

    template <class T>
    static T* hijo(QWidget* form, const QString& nombre)
    {
        T* w = form->findChild<T*>(nombre);
        EXPECT_NE(w, nullptr) << "no control " << nombre.toStdString();
        return w;
    }
    static void pulsar(QWidget* form, const QString& boton);
    static void pulsarTecla(QWidget* w, int tecla);

    Semilla semilla;
    ui::MsgBoxScript mensajes;
    ui::ModalScript modales;
    QList<Trabajo> impresos;

private:
    report::DocumentPrinter::Spool spoolAnterior_;
};

}  // namespace testsupport
