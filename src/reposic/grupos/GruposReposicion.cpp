#include "reposic/grupos/GruposReposicion.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"
#include "reposic/grupos/ErrorEnLinea.h"

namespace reposic {

namespace {

QString num(int64_t n) { return QString::number(n); }

}  // namespace

GruposReposicion::GruposReposicion(std::shared_ptr<host::Empresa> empresa,
                                   db::ConnectionPtr conexion)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion))
{
}

QString GruposReposicion::empresa() const { return num(empresa_->CodigoEmpresa()); }

QVector<GruposReposicion::Grupo> GruposReposicion::grupos(int16_t aprov) const
{
    return ErrorEnLinea::en([&] {
        QVector<Grupo> filas;
        db::Recordset rs(conexion_, "SELECT grp.Cod_Grupo, grp.Nombre FROM Reposicion_Grp grp"
                                    " WHERE grp.Cod_Empresa=" + empresa() + " AND grp.Cod_Aprov ="
                                        + num(aprov) + " ORDER BY grp.Cod_Grupo");
        for (; !rs.eof(); rs.moveNext()) {
            filas.push_back({static_cast<int16_t>(rs.field(QStringLiteral("Cod_Grupo")).toInt()),
                             rs.field(QStringLiteral("Nombre")).toText()});
        }
        return filas;
    });
}

bool GruposReposicion::existe(int16_t aprov, int16_t codigo, const QString& nombre) const
{
    return ErrorEnLinea::en([&] {
        // Codes are the company's, whatever provisioning group holds them; names only need to
        // differ inside one provisioning group.
        db::Recordset rs(conexion_, "SELECT TOP 1 * FROM Reposicion_Grp WHERE Cod_Empresa = "
                                        + empresa() + " AND (Cod_Grupo = " + num(codigo)
                                        + " OR (Cod_Aprov =" + num(aprov) + " AND Nombre = "
                                        + db::sqlText(nombre) + ") )");
        return !rs.eof();
    });
}

int16_t GruposReposicion::siguienteCodigo() const
{
    return ErrorEnLinea::en([&] {
        db::Recordset rs(conexion_, "SELECT ISNULL(MAX(Cod_Grupo),0) AS CodigoMax"
                                    " FROM Reposicion_Grp grp WHERE grp.Cod_Empresa =" + empresa()
                                        + " AND Cod_Grupo < " + num(kCodigoLimite));
        return static_cast<int16_t>(rs.field(QStringLiteral("CodigoMax")).toInt() + 1);
    });
}

void GruposReposicion::agregar(int16_t aprov, int16_t codigo, const QString& nombre)
{
    ErrorEnLinea::en([&] {
        conexion_->execute("INSERT INTO Reposicion_Grp (Cod_Empresa, Cod_Grupo, Nombre, Cod_Aprov)"
                           " VALUES (" + empresa() + ", " + num(codigo) + ", "
                           + db::sqlText(nombre) + ", " + num(aprov) + ")");
    });
}

void GruposReposicion::renombrar(int16_t codigo, const QString& nombre)
{
    ErrorEnLinea::en([&] {
        conexion_->execute("UPDATE Reposicion_Grp SET Nombre = " + db::sqlText(nombre)
                           + " WHERE Cod_Empresa = " + empresa() + " AND Cod_Grupo = " + num(codigo));
    });
}

QString GruposReposicion::impedimentoEliminar(int16_t codigo) const
{
    struct Referencia {
        const char* tabla;
        const char* columna;
        const char* mensaje;
    };
    static const Referencia kReferencias[] = {
        {" FROM Reposicion_Pedidos_ArtCentral_ProgPedidos", " AND Cod_Grupo =",
         "Existen programaciones asociadas al grupo."},
        {" FROM Reposicion_Pedidos_ArtCentral_ProgPedidosM", " AND Cod_Grupo =",
         "Existen programaciones Multifiltro asociadas al grupo."},
        {" FROM Reposicion_Pedidos_ArtCentral", " AND Cod_GrupoRep =",
         "Existen pedidos asociados al grupo."},
        {" FROM Reposicion_Pedidos_ArtCentral_Filtro", " AND Cod_Grupo_Reposicion =",
         "Existen programaciones asociadas al grupo."},
    };
    for (const Referencia& r : kReferencias) {
        const bool hay = ErrorEnLinea::en([&] {
            db::Recordset rs(conexion_, "SELECT TOP 1 *" + QString::fromLatin1(r.tabla)
                                            + " WHERE Cod_Empresa =" + empresa()
                                            + QString::fromLatin1(r.columna) + num(codigo));
            return !rs.eof();
        });
        if (hay)
            return QString::fromUtf8(r.mensaje);
    }
    return {};
}

void GruposReposicion::eliminar(int16_t codigo)
{
    db::Transaction tx(*conexion_);
    ErrorEnLinea::en([&] {
        conexion_->execute("DELETE FROM Reposicion_Grp WHERE Cod_Empresa =" + empresa()
                           + " AND Cod_Grupo = " + num(codigo));
    });
    ErrorEnLinea::en([&] {
        conexion_->execute("DELETE FROM Reposicion_Grp_Fam WHERE Cod_Empresa =" + empresa()
                           + " AND Cod_Grupo = " + num(codigo));
    });
    tx.commit();
}

}  // namespace reposic
