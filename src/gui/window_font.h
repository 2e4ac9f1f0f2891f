// The fonts of the window: the platform's sans serif at 8 points, and the
// Arial face of the number field.
#pragma once

#include <QFont>

namespace vendral {

// Semi-condensed where the family has such a face: the help texts were laid
// out for a narrow face and must fit their tabs.
QFont WindowFont();

QFont ArialFont();

}  // namespace vendral
