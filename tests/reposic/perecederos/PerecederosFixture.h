#pragma once

#include "host/demo/Schema.h"
#include "platform/db/ServerList.h"
#include "support/PantallaFixture.h"

#include <QTemporaryDir>

// A store's company database plus the central office's, a second embedded database "Calbra"
// reached through the server name CENTRAL, with two order types supplied from warehouse 1.
class PerecederosFixture : public testsupport::PantallaFixture {
protected:
    PerecederosFixture()
    {
        central = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=")
                                             + carpetaCentral.filePath(QStringLiteral("Calbra.db")));
        demo::createSchema(*central);
        db::ServerList::set(QStringLiteral("CENTRAL"), db::ServerEntry{{}, 1433, carpetaCentral.path()});
        empresa_->setParametro(QStringLiteral("ServidorCentral"), QStringLiteral("CENTRAL"));
        empresa_->setParametro(QStringLiteral("OficinaCentral"), QStringLiteral("0"));
        empresa_->setAlmacenDefecto(12);
        semilla.almacen(1, QStringLiteral("Central")).almacen(12, QStringLiteral("Centro"))
            .almacen(13, QStringLiteral("Playa"));
        semilla.articulo(101, 12).articulo(102, 0);
        testsupport::Semilla(central).articulo(101, 12, 0, 1, 2).articulo(102, 0, 0, 1, 1);
        tipos(central);
    }
    ~PerecederosFixture() override { db::ServerList::remove(QStringLiteral("CENTRAL")); }

    static void tipos(const db::ConnectionPtr& c)
    {
        c->execute("INSERT INTO Pedidos_Central_Tipos (Codigo, Nombre, Cod_Almacen) VALUES (1, 'Frutas', 1)");
        c->execute("INSERT INTO Pedidos_Central_Tipos (Codigo, Nombre, Cod_Almacen) VALUES (2, 'Carnes', 0)");
    }
    static void pedido(const db::ConnectionPtr& c, int almacen, int tipo, int articulo, double cantidad,
                       int cerrado = 0)
    {
        c->execute(QStringLiteral("INSERT INTO Pedidos_Central (Cod_Empresa, Cod_Almacen, Cod_Tipo,"
                                  " Cod_Articulo, Cantidad, Cerrado) VALUES (1, %1, %2, %3, %4, %5)")
                       .arg(almacen).arg(tipo).arg(articulo).arg(cantidad).arg(cerrado));
    }
    db::Value enCentral(const QString& sql) const { return central->scalar(sql); }

    QTemporaryDir carpetaCentral;
    db::ConnectionPtr central;
};
