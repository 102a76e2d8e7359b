#include "host/components/LogOperaciones.h"

#include "host/Reloj.h"
#include "platform/db/SqlText.h"

namespace host {

void LogOperaciones::Grabar()
{
    const QDateTime ahora = Reloj::ahora();
    conexion_->execute("INSERT INTO Log_Operaciones (Cod_Empresa, Fecha, Hora, Cod_Usuario, TipoDocumento,"
                       " Operacion, Cod_Documento, Comentario) VALUES ("
                       + QString::number(empresa_->CodigoEmpresa()) + ", "
                       + db::sqlDate(*conexion_, ahora.date()) + ", "
                       + db::sqlText(ahora.time().toString(QStringLiteral("HH:mm:ss"))) + ", "
                       + QString::number(Usuario) + ", " + QString::number(TipoDocumento) + ", "
                       + QString::number(Operacion) + ", " + QString::number(Cod_Documento) + ", "
                       + db::sqlText(Comentario.left(255)) + ")");
}

}  // namespace host
