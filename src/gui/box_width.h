// How narrow a box may be: window managers cut a caption that does not fit
// beside their buttons ("Ve… ral"), and a box as narrow as its text ("Done!")
// leaves no room for the application title at all.
#pragma once

#include <QString>

class QMessageBox;

namespace vendral {

inline constexpr int kMinimumBoxWidth = 200;

// At least kMinimumBoxWidth, and wide enough for title beside the window
// manager's icon and buttons.
int BoxMinimumWidth(const QString& title);

// Gives a message box that width; it sizes itself from its layout, so the
// width goes in there.
void SetBoxMinimumWidth(QMessageBox& box);

}  // namespace vendral
