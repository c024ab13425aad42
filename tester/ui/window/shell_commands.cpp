#include "shell_commands.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <vector>

namespace quarrow::ui {

bool RunProgram(const std::string& commandLine) {
  std::vector<char> text(commandLine.begin(), commandLine.end());
  text.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

bool OpenWithShell(const std::string& target) {
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, "c:\\", SW_SHOWNORMAL));
  return result > 32;
}

void PlaySoundToEnd(const std::string& path) { ::sndPlaySoundA(path.c_str(), SND_SYNC | SND_NODEFAULT); }

}  // namespace quarrow::ui
