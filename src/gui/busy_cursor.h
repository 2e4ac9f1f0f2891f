// The cursor of a run that works on a database of records: an hourglass
// with the letters SQL beneath it, 32 by 32 pixels, hot spot top left.
#pragma once

#include <QCursor>

namespace vendral {

QCursor SqlWaitCursor();

}  // namespace vendral
