#include "support/PantallaFixture.h"

#include "platform/db/ServerList.h"
#include "reposic/frame/modComun.h"

#include <QTest>

namespace testsupport {

PantallaFixture::PantallaFixture() : semilla(conn())
{
    empresa_->setRutaAplicacion(QStringLiteral(NRVX_SOURCE_DIR));
    empresa_->setAlmacenDefecto(1);
    db::ServerList::set(QStringLiteral("PRUEBAS"), db::ServerEntry{{}, 1433, db_.folder()});
    reposic::modComun::setEmpresa(empresa_);
    reposic::modComun::setConexion(conn());
    reposic::modComun::setServidor(QStringLiteral("PRUEBAS"));
    reposic::modComun::setBaseDatos(QStringLiteral("empresa"));
    reposic::modComun::setUsuario(QStringLiteral("sa"));
    reposic::modComun::setPassword(QString());
    reposic::modComun::setUsuarioActual(1);
    spoolAnterior_ = report::DocumentPrinter::setSpool(
        [this](const report::RenderedDocument& doc, const report::PrintTarget& target) {
            impresos.append({target.printerName, target.documentName, doc.text()});
        });
}

PantallaFixture::~PantallaFixture()
{
    report::DocumentPrinter::setSpool(spoolAnterior_);
    db::ServerList::remove(QStringLiteral("PRUEBAS"));
    reposic::modComun::limpiar();
}

void PantallaFixture::pulsar(QWidget* form, const QString& boton)
{
    auto* b = hijo<QAbstractButton>(form, boton);
    if (b)
        b->click();
}

void PantallaFixture::pulsarTecla(QWidget* w, int tecla)
{
    QTest::keyClick(w, static_cast<Qt::Key>(tecla));
}

}  // namespace testsupport
