#include "RestosFixture.h"

#include "host/demo/Schema.h"
#include "platform/db/ServerList.h"
#include "reposic/restos/frmRepGrabRestos.h"

#include <QTest>

RestosFixture::RestosFixture()
{
    semilla.almacen(1, QStringLiteral("Central")).almacen(3, QStringLiteral("Tienda Norte"));
    for (int art : {101, 102, 103})
        semilla.articulo(art, 12).stock(3, art, 10);
    empresa_->setAlmacenDefecto(3);
    empresa_->setParametro(QStringLiteral("ReposicionTipo"), 0);
    empresa_->setParametro(QStringLiteral("ConnectionString"), db_.connectionString());
    sitio(false);
}

RestosFixture::~RestosFixture()
{
    db::ServerList::remove(QStringLiteral("CENTRAL"));
    db::ServerList::remove(QStringLiteral("CAIDO"));
}

void RestosFixture::sitio(bool oficinaCentral, const QString& servidorCentral)
{
    empresa_->setParametro(QStringLiteral("OficinaCentral"), oficinaCentral ? "1" : "0");
    empresa_->setParametro(QStringLiteral("ServidorCentral"), servidorCentral);
    // A server in the list whose folder is gone answers no connection.
    db::ServerList::set(QStringLiteral("CAIDO"), db::ServerEntry{{}, 1433, QStringLiteral("/no/existe/central")});
}

db::ConnectionPtr RestosFixture::centralDb()
{
    if (!centralConn_) {
        centralConn_ = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=")
                                                  + central_.filePath(QStringLiteral("Calbra.db")));
        demo::createSchema(*centralConn_);
        db::ServerList::set(QStringLiteral("CENTRAL"), db::ServerEntry{{}, 1433, central_.path()});
    }
    return centralConn_;
}

std::unique_ptr<frmRepGrabRestos> RestosFixture::abrir()
{
    auto f = std::make_unique<frmRepGrabRestos>();
    f->show();
    return f;
}

void RestosFixture::linea(QWidget* f, const QString& articulo, const QString& unidades,
                          const QString& concepto)
{
    auto* art = hijo<host::SelectorArticulo>(f, QStringLiteral("txtArticulo"));
    art->setTexto(articulo);
    QTest::keyClick(art->lineaTexto(), Qt::Key_Return);
    hijo<ui::NumericBox>(f, QStringLiteral("txtUnidades"))->setText(unidades);
    auto* con = hijo<QLineEdit>(f, QStringLiteral("txtConcepto"));
    con->setText(concepto);
    QTest::keyClick(con, Qt::Key_Return);
}

QString RestosFixture::etiqueta(QWidget* f, const char* nombre)
{
    return hijo<QLabel>(f, QString::fromLatin1(nombre))->text();
}

ui::FlexGrid* RestosFixture::grid(QWidget* f) { return hijo<ui::FlexGrid>(f, QStringLiteral("vsLineas")); }

QStringList RestosFixture::fila(QWidget* f, int r)
{
    QStringList out;
    for (int c = 0; c < grid(f)->Cols(); ++c)
        out << grid(f)->TextMatrix(r, c);
    return out;
}
