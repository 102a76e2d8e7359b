#include "reposic/grupos/GruposAprovisionamiento.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"
#include "reposic/frame/ValorTexto.h"
#include "reposic/grupos/ErrorEnLinea.h"

#include <cmath>

namespace reposic {

namespace {

QString num(int64_t n) { return QString::number(n); }

}  // namespace

GruposAprovisionamiento::GruposAprovisionamiento(std::shared_ptr<host::Empresa> empresa,
                                                 db::ConnectionPtr conexion)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion))
{
}

QString GruposAprovisionamiento::empresa() const { return num(empresa_->CodigoEmpresa()); }

int16_t GruposAprovisionamiento::usuarioActual(const host::Empresa& empresa)
{
    // A number only: the value goes into statements, and a user code never holds anything else.
    const double valor = std::nearbyint(ValorTexto(empresa.Parametro(QStringLiteral("UsuarioActual"))
                                                       .toString()));
    return valor < -32768 || valor > 32767 ? 0 : static_cast<int16_t>(valor);
}

QVector<GruposAprovisionamiento::Aprov> GruposAprovisionamiento::lista() const
{
    return ErrorEnLinea::en([&] {
        QVector<Aprov> filas;
        db::Recordset rs(conexion_, "SELECT * FROM Reposicion_Grp_Aprovisionamiento"
                                    " WHERE Cod_Empresa=" + empresa() + " ORDER BY Cod_Aprov");
        for (; !rs.eof(); rs.moveNext()) {
            filas.push_back({static_cast<int16_t>(rs.field(QStringLiteral("Cod_Aprov")).toInt()),
                             rs.field(QStringLiteral("Nombre")).toText(),
                             static_cast<int16_t>(
                                 rs.field(QStringLiteral("TipoFichero_Propuesta")).toInt())});
        }
        return filas;
    });
}

bool GruposAprovisionamiento::existe(int16_t codigo, const QString& nombre) const
{
    return ErrorEnLinea::en([&] {
        db::Recordset rs(conexion_, "SELECT TOP 1 * FROM Reposicion_Grp_Aprovisionamiento"
                                    " WHERE Cod_Empresa = " + empresa() + " AND (Cod_Aprov = "
                                        + num(codigo) + " OR Nombre = " + db::sqlText(nombre) + " )");
        return !rs.eof();
    });
}

void GruposAprovisionamiento::agregar(const Aprov& aprov)
{
    ErrorEnLinea::en([&] {
        conexion_->execute("INSERT INTO Reposicion_Grp_Aprovisionamiento (Cod_Empresa, Cod_Aprov,"
                           " Nombre, TipoFichero_Propuesta) VALUES (" + empresa() + ", "
                           + num(aprov.codigo) + ", " + db::sqlText(aprov.nombre) + ","
                           + num(aprov.tipoFichero) + ")");
    });
}

void GruposAprovisionamiento::modificar(const Aprov& aprov)
{
    ErrorEnLinea::en([&] {
        conexion_->execute("UPDATE Reposicion_Grp_Aprovisionamiento SET Nombre = "
                           + db::sqlText(aprov.nombre) + ", TipoFichero_Propuesta ="
                           + num(aprov.tipoFichero) + " WHERE Cod_Empresa = " + empresa()
                           + " AND Cod_Aprov = " + num(aprov.codigo));
    });
}

bool GruposAprovisionamiento::usadoPorGrupos(int16_t codigo) const
{
    return ErrorEnLinea::en([&] {
        db::Recordset rs(conexion_, "SELECT TOP 1 * FROM Reposicion_Grp WHERE Cod_Empresa ="
                                        + empresa() + " AND Cod_Aprov =" + num(codigo));
        return !rs.eof();
    });
}

bool GruposAprovisionamiento::eliminar(int16_t codigo)
{
    db::Transaction tx(*conexion_);
    // Checked inside the transaction: a group added meanwhile from another workstation must not
    // be deleted along with its provisioning group.
    if (usadoPorGrupos(codigo))
        return false;
    const QString donde = empresa() + " AND Cod_Aprov = " + num(codigo);
    ErrorEnLinea::en([&] {
        conexion_->execute("DELETE FROM Reposicion_Grp_Aprovisionamiento WHERE Cod_Empresa =" + donde);
    });
    ErrorEnLinea::en([&] {
        conexion_->execute("DELETE FROM SGD_Aprovisionamiento_Grupos WHERE Cod_Empresa =" + donde);
    });
    ErrorEnLinea::en([&] {
        conexion_->execute("DELETE FROM Reposicion_Grp WHERE Cod_Empresa =" + donde);
    });
    ErrorEnLinea::en([&] {
        conexion_->execute("DELETE FROM Reposicion_Pedidos_ArtCentral_Filtro_Categorias"
                           " WHERE Cod_Empresa =" + donde);
    });
    tx.commit();
    return true;
}

QVector<GruposAprovisionamiento::Aprov> GruposAprovisionamiento::permitidos(int16_t usuario) const
{
    const QString deUsuario = " INNER JOIN SGD_Usuarios_Grupos ug ON ag.Cod_Grupo = ug.CodGrupo"
                              " WHERE ag.Cod_Empresa =" + empresa() + " AND ug.CodUsuario ="
                              + num(usuario);
    const bool restringido = ErrorEnLinea::en([&] {
        db::Recordset rs(conexion_, "SELECT TOP 1 Cod_Grupo FROM SGD_Aprovisionamiento_Grupos ag"
                                        + deUsuario);
        return !rs.eof() && rs.field(QStringLiteral("Cod_Grupo")).toInt() >= 1;
    });
    QString sql = "SELECT Cod_Aprov, Nombre FROM Reposicion_Grp_Aprovisionamiento"
                  " WHERE Cod_Empresa =" + empresa();
    if (restringido) {
        sql += " AND Cod_Aprov IN (SELECT DISTINCT ag.Cod_Aprov FROM SGD_Aprovisionamiento_Grupos ag"
               + deUsuario + ")";
    }
    sql += " ORDER BY Cod_Aprov";
    return ErrorEnLinea::en([&] {
        QVector<Aprov> filas;
        db::Recordset rs(conexion_, sql);
        for (; !rs.eof(); rs.moveNext()) {
            filas.push_back({static_cast<int16_t>(rs.field(QStringLiteral("Cod_Aprov")).toInt()),
                             rs.field(QStringLiteral("Nombre")).toText(), 0});
        }
        return filas;
    });
}

}  // namespace reposic
