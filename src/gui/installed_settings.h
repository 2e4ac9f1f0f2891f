// IniVal1 in the places the program's start-up decided. A portable copy
// attaches it as it always has; an installed program reads the values
// shipped beside it first and the user's own file over them, and makes the
// user's folder for that file when it first saves.
#pragma once

#include "gui/component_adapters.h"
#include "gui/program_places.h"

namespace vendral {

// For the window's attach hook, as AttachIniVal1.
FormSettings& AttachIniVal1(TForm1& form, const ProgramPlaces& places);

}  // namespace vendral
