#pragma once
// Programs and documents the tester opens: the text editor, the help viewer,
// the maker's web page and mail address, and sounds.
#include <string>

namespace quarrow::ui {

inline constexpr char kWebPage[] = "https://quarrow.invalid/";
inline constexpr char kMailAddress[] = "mailto:dev@quarrow.invalid";

// Starts `commandLine` ("notepad.exe c:\qrw\errors.txt") in a normal window,
// without waiting. False when it could not be started.
bool RunProgram(const std::string& commandLine);

// The shell's default action on `target` (a web address, a "mailto:"
// address), working folder "c:\", normal window.
bool OpenWithShell(const std::string& target);

// Plays a wave file to its end; nothing when the file is missing.
void PlaySoundToEnd(const std::string& path);

}  // namespace quarrow::ui
