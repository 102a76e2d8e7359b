#pragma once

namespace host {

// What the programs answer to the shell; a scheduler or a script decides on these alone.
enum CodigoSalida : int {
    kHecho = 0,      // done
    kFallo = 1,      // a store or statement failed; the others went on
    kMalUso = 2,     // unknown option, bad number, unknown company/store/printer, missing file
    kRechazado = 3,  // another run holds the origin, or the database failed its check
};

// The lines every program's --help ends with.
inline const char* textoCodigosSalida()
{
    return "Códigos de salida:\n"
           "  0  hecho\n"
           "  1  falló un almacén o una sentencia; los demás siguieron\n"
           "  2  uso incorrecto: opción desconocida, número no válido, empresa, almacén o\n"
           "     impresora desconocidos, fichero de base de datos inexistente\n"
           "  3  rechazado: otra generación del mismo origen en curso, o la base de datos no\n"
           "     pasó su comprobación\n";
}

}  // namespace host
