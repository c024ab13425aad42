#include "window_units.h"

namespace quarrow::ui {

int ScreenDpi() {
  HDC dc = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

int TwipsToPixels(int twips) { return ::MulDiv(twips, ScreenDpi(), 1440); }
int PixelsToTwips(int pixels) { return ::MulDiv(pixels, 1440, ScreenDpi()); }

RECT ScaledBox(int x, int y, int width, int height) {
  const int dpi = ScreenDpi();
  return {::MulDiv(x, dpi, 96), ::MulDiv(y, dpi, 96), ::MulDiv(x + width, dpi, 96), ::MulDiv(y + height, dpi, 96)};
}

}  // namespace quarrow::ui
