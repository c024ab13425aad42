// record_command.exe: a stand-in for a program that Qrw32 starts (copied
// into a test's program folder as notepad.exe or winhelp.exe). It appends
// its full command line, as GetCommandLineA gives it, and "\n" to a file and
// exits with code 0, so a test can see what was started with which
// arguments without leaving an editor window behind.
//
// The file is the one named by the environment variable QUARROW_RECORD_FILE
// when that is set and not empty, else "commands.txt" in the folder of the
// executable itself. A test that copies the recorder into a fresh folder
// needs no environment at all; one that starts it from a shared folder sets
// the variable.
//
// Built as a GUI program: started from a windowed program it must not bring
// up a console.
#include <windows.h>

#include <string>

namespace {

std::string RecordFilePath() {
  char named[MAX_PATH + 1];
  const DWORD length = ::GetEnvironmentVariableA("QUARROW_RECORD_FILE", named, sizeof named);
  if (length > 0 && length < sizeof named) return std::string(named, length);

  char module[MAX_PATH + 1];
  const DWORD n = ::GetModuleFileNameA(nullptr, module, sizeof module);
  if (n == 0 || n >= sizeof module) return "commands.txt";
  std::string folder(module, n);
  const size_t cut = folder.find_last_of("\\/");
  folder.resize(cut == std::string::npos ? 0 : cut + 1);
  return folder + "commands.txt";
}

// Appends `line` in one write. Two recorders started close together may
// find the file open in the other; they wait their turn for a while.
bool AppendLine(const std::string& path, const std::string& line) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    const HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      if (::GetLastError() != ERROR_SHARING_VIOLATION) return false;
      ::Sleep(10);
      continue;
    }
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == line.size();
  }
  return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const char* commandLine = ::GetCommandLineA();
  return AppendLine(RecordFilePath(), std::string(commandLine ? commandLine : "") + "\n") ? 0 : 1;
}
