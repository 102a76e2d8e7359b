#include "reposic/grupos/ElementosGrupo.h"

#include "platform/db/Recordset.h"

namespace reposic {

namespace {

QString num(int64_t n) { return QString::number(n); }

}  // namespace

ElementosGrupo::ElementosGrupo(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion,
                               int16_t grupo)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion)), grupo_(grupo)
{
}

QString ElementosGrupo::empresa() const { return num(empresa_->CodigoEmpresa()); }

QVector<ElementosGrupo::Elemento> ElementosGrupo::elementos() const
{
    const QString art = num(empresa_->CodigoEmpresaArticulos());
    db::Recordset rs(conexion_,
        "SELECT a.Familia_1, a.Familia_2, a.Familia_3, a.Cod_Marca,"
        " ISNULL(f1.Nombre,'') AS Nomb_Fam1, ISNULL(f2.Nombre,'') AS Nomb_Fam2, "
        " ISNULL(f3.Nombre,'') AS Nomb_Fam3, ISNULL(m.Nombre, '') AS Nomb_Marca"
        " FROM Reposicion_Grp_Fam a"
        " LEFT JOIN Familias_1 f1 ON f1.Cod_Empresa=" + art + " AND f1.Codigo=a.Familia_1 "
        " LEFT JOIN Familias_2 f2 ON f2.Cod_Empresa=" + art
        + " AND f2.Familia_1=a.Familia_1 AND f2.Codigo=a.Familia_2 "
        " LEFT JOIN Familias_3 f3 ON f3.Cod_Empresa=" + art
        + " AND f3.Familia_1=a.Familia_1 AND f3.Familia_2=a.Familia_2 AND f3.Codigo=a.Familia_3 "
        " LEFT JOIN Marcas m ON m.Codigo=a.Cod_Marca"
        " WHERE a.Cod_Empresa=" + empresa() + " AND a.Cod_Grupo=" + num(grupo_)
        + " ORDER BY a.Familia_1, a.Familia_2, a.Familia_3");
    QVector<Elemento> filas;
    for (; !rs.eof(); rs.moveNext()) {
        Elemento e;
        for (int i = 0; i < 3; ++i) {
            e.familia[i] = rs.field(QStringLiteral("Familia_%1").arg(i + 1)).toInt();
            e.nombreFamilia[i] = rs.field(QStringLiteral("Nomb_Fam%1").arg(i + 1)).toText();
        }
        e.marca = rs.field(QStringLiteral("Cod_Marca")).toInt();
        e.nombreMarca = rs.field(QStringLiteral("Nomb_Marca")).toText();
        filas.push_back(e);
    }
    return filas;
}

void ElementosGrupo::agregar(const Elemento& e)
{
    conexion_->execute("INSERT INTO Reposicion_Grp_Fam (Cod_Empresa, Cod_Grupo, Familia_1, Familia_2,"
                       " Familia_3, Cod_Marca) VALUES (" + empresa() + ", " + num(grupo_) + ", "
                       + num(e.familia[0]) + ", " + num(e.familia[1]) + ", " + num(e.familia[2])
                       + ", " + num(e.marca) + ")");
}

void ElementosGrupo::eliminar(const Elemento& e)
{
    conexion_->execute("DELETE FROM Reposicion_Grp_Fam WHERE Cod_Empresa =" + empresa()
                       + " AND Cod_Grupo =" + num(grupo_) + " AND Familia_1 =" + num(e.familia[0])
                       + " AND Familia_2 =" + num(e.familia[1]) + " AND Familia_3 ="
                       + num(e.familia[2]) + " AND Cod_Marca =" + num(e.marca));
}

}  // namespace reposic
