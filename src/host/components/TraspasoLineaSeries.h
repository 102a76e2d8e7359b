#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace host {

// Serial numbers of one transfer line at one end (origin or destination). Attached empty by the
// screen; the document notes the warehouse it belongs to when it saves. Articles without serial
// numbers keep the list empty.
class TraspasoLineaSeries {
public:
    int16_t Cod_Almacen = 0;
    QStringList Numeros;
};

}  // namespace host
