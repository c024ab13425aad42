#pragma once
// Screenshots that window tests keep for reviewers: what the screen shows
// of a window, as a 24-bit BMP file in the build's artifacts folder.
#include <windows.h>

#include <string>

namespace quarrow::test {

// Saves what the screen shows of `window` as a 24-bit BMP file.
bool SaveScreenshot(HWND window, const std::string& path);

// The build's screenshot folder (made when missing), as a Windows path.
std::string ScreenshotFolder();

}  // namespace quarrow::test
