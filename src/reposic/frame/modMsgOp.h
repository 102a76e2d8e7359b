#pragma once

#include <QString>

namespace reposic {

// Puts up (mostrar true) or takes down the wait message and the hourglass around a long
// operation. An empty text shows "Realizando operación, espere por favor...". The message is
// painted before returning, so it shows although the operation then keeps the event loop busy;
// only non-input events are processed for that, so no click can start another operation
// meanwhile. Taking it down when it is not up does nothing. Nothing raises from here: a failing
// progress message must not fail the operation it decorates.
void MsgOp(bool mostrar, const QString& mensaje = {});

}  // namespace reposic
