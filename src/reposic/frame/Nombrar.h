#pragma once

#include <QString>

namespace reposic {

// Gives a control the name the screens, the security tables and the tests know it by.
template <class W>
W* nombrar(W* w, const char* nombre)
{
    w->setObjectName(QString::fromLatin1(nombre));
    return w;
}

}  // namespace reposic
