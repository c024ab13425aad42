#pragma once
// Twips (1440 to the inch), the unit the tester sizes its windows in, and
// pixels of the screen.
#include <windows.h>

namespace quarrow::ui {

int ScreenDpi();
int TwipsToPixels(int twips);
int PixelsToTwips(int pixels);

// A rectangle laid out in pixels at 96 dots per inch, scaled to the screen.
RECT ScaledBox(int x, int y, int width, int height);

}  // namespace quarrow::ui
