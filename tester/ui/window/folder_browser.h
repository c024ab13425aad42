#pragma once
// The browse dialog: the shell's folder browser with the tester's prompts,
// its start folder, and a status line that judges each selection.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace quarrow::ui {

inline constexpr char kBrowsePrompt[] = "Choose drive or folder of Zip's to test\nAl sub-directories will be checked also";

// The chosen folder, nullopt when the user cancels. `switchDrive` is asked
// for each acceptable selection; false refuses it.
std::optional<std::string> BrowseForFolder(HWND owner, const std::string& startFolder,
                                           const std::function<bool(const std::string&)>& switchDrive);

}  // namespace quarrow::ui
