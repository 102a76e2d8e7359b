#include "host/components/ContabilidadPendiente.h"

#include "host/components/Traspaso.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"

#include <vector>

namespace host {

namespace {

QString n(int64_t v) { return QString::number(v); }

}  // namespace

void ContabilidadPendiente::preparar(db::Connection& empresa)
{
    if (empresa.dialect() == db::Dialect::Sqlite) {
        empresa.executeScript(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS Traspasos_Contabilidad_Pendiente ("
            " Cod_Empresa SMALLINT NOT NULL, Cod_Ejercicio SMALLINT NOT NULL,"
            " Alm_Origen SMALLINT NOT NULL, Codigo INTEGER NOT NULL,"
            " Cod_EmpresaContable SMALLINT NOT NULL, Fecha TEXT NOT NULL,"
            " Alm_Destino SMALLINT NOT NULL, Importe NUMERIC NOT NULL DEFAULT 0,"
            " PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo))"));
    } else {
        empresa.executeScript(QStringLiteral(
            "IF OBJECT_ID('Traspasos_Contabilidad_Pendiente') IS NULL"
            " CREATE TABLE Traspasos_Contabilidad_Pendiente ("
            " Cod_Empresa SMALLINT NOT NULL, Cod_Ejercicio SMALLINT NOT NULL,"
            " Alm_Origen SMALLINT NOT NULL, Codigo INT NOT NULL,"
            " Cod_EmpresaContable SMALLINT NOT NULL, Fecha DATETIME NOT NULL,"
            " Alm_Destino SMALLINT NOT NULL, Importe DECIMAL(19, 4) NOT NULL DEFAULT 0,"
            " PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo))"));
    }
}

void ContabilidadPendiente::registrar(db::Connection& empresa, const Asiento& a)
{
    empresa.execute("INSERT INTO Traspasos_Contabilidad_Pendiente (Cod_Empresa, Cod_Ejercicio, Alm_Origen,"
                    " Codigo, Cod_EmpresaContable, Fecha, Alm_Destino, Importe) VALUES (" + n(a.empresa)
                    + ", " + n(a.ejercicio) + ", " + n(a.origen) + ", " + n(a.codigo) + ", "
                    + n(a.empresaContable) + ", " + db::sqlDate(empresa, a.fecha) + ", " + n(a.destino)
                    + ", " + a.importe.toSql() + ")");
}

int ContabilidadPendiente::pendientes(db::Connection& empresa)
{
    preparar(empresa);
    return static_cast<int>(
        empresa.scalar(QStringLiteral("SELECT COUNT(*) FROM Traspasos_Contabilidad_Pendiente")).toInt64());
}

// Written only where the transfer's key is missing: a replay after the accounting commit finds
// the entry already there.
void ContabilidadPendiente::anotar(db::Connection& contable, const Asiento& a)
{
    db::Transaction t(contable);
    contable.execute("INSERT INTO Contabilidad_Traspasos (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo,"
                     " Fecha, Alm_Destino, Importe) SELECT " + n(a.empresaContable) + ", " + n(a.ejercicio)
                     + ", " + n(a.origen) + ", " + n(a.codigo) + ", " + db::sqlDate(contable, a.fecha) + ", "
                     + n(a.destino) + ", " + a.importe.toSql()
                     + " WHERE NOT EXISTS (SELECT 1 FROM Contabilidad_Traspasos WHERE Cod_Empresa ="
                     + n(a.empresaContable) + " AND Cod_Ejercicio =" + n(a.ejercicio) + " AND Alm_Origen ="
                     + n(a.origen) + " AND Codigo =" + n(a.codigo) + ")");
    t.commit();
}

int ContabilidadPendiente::asentar(const db::ConnectionPtr& empresa, db::Connection& contable,
                                   const std::optional<Asiento>& solo)
{
    preparar(*empresa);
    QString sql = QStringLiteral("SELECT Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo, Cod_EmpresaContable,"
                                 " Fecha, Alm_Destino, Importe FROM Traspasos_Contabilidad_Pendiente");
    if (solo) {
        sql += " WHERE Cod_Empresa =" + n(solo->empresa) + " AND Cod_Ejercicio =" + n(solo->ejercicio)
               + " AND Alm_Origen =" + n(solo->origen) + " AND Codigo =" + n(solo->codigo);
    }
    std::vector<Asiento> asientos;
    {
        db::Recordset rs(empresa, sql + " ORDER BY Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo",
                         db::CursorType::Static, db::LockType::ReadOnly);
        for (; !rs.eof(); rs.moveNext()) {
            Asiento a;
            a.empresa = static_cast<int16_t>(rs.field(QStringLiteral("Cod_Empresa")).toInt());
            a.ejercicio = static_cast<int16_t>(rs.field(QStringLiteral("Cod_Ejercicio")).toInt());
            a.origen = static_cast<int16_t>(rs.field(QStringLiteral("Alm_Origen")).toInt());
            a.codigo = rs.field(QStringLiteral("Codigo")).toInt64();
            a.empresaContable = static_cast<int16_t>(rs.field(QStringLiteral("Cod_EmpresaContable")).toInt());
            a.fecha = rs.field(QStringLiteral("Fecha")).toDate();
            a.destino = static_cast<int16_t>(rs.field(QStringLiteral("Alm_Destino")).toInt());
            a.importe = rs.field(QStringLiteral("Importe")).toMoney();
            asientos.push_back(a);
        }
    }
    if (asientos.empty())
        return 0;
    Traspaso::prepararContabilidad(contable);
    for (const Asiento& a : asientos) {
        anotar(contable, a);
        empresa->execute("DELETE FROM Traspasos_Contabilidad_Pendiente WHERE Cod_Empresa =" + n(a.empresa)
                        + " AND Cod_Ejercicio =" + n(a.ejercicio) + " AND Alm_Origen =" + n(a.origen)
                        + " AND Codigo =" + n(a.codigo));
    }
    return static_cast<int>(asientos.size());
}

}  // namespace host
