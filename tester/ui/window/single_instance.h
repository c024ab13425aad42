#pragma once
// One tester per session: a second start hands over to the first.

namespace quarrow::ui {

// True when another instance of the program is running. The first caller
// of a session marks the program as running until it ends.
bool AnotherInstanceRunning();

// Brings the running instance's main window to the front and restores it.
void ActivateOtherInstance();

}  // namespace quarrow::ui
