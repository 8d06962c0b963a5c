// The library's cursors (standard numbers and Screen's cursor table) as Qt
// cursors.
#pragma once

#include <QCursor>

#include "orqplatform/ControlPeer.h"

namespace orq::qt::detail {

// Standard cursors map to Qt's shapes; an application cursor is made from
// the picture in Screen->Cursors (a number that is not in the table shows
// the default arrow, as the platform does).
QCursor ToQCursor(TCursor Cursor);

}  // namespace orq::qt::detail
