#pragma once
// Support for tests that drive Qrw32.exe as a separate process: a fresh
// program folder per test, starting the program with a command line, a guard
// that never leaves a started process behind, and finding and reading the
// windows of that process from outside.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quarrow::ui::program_test {

// Generous: the machine may be busy with builds, and Wine starts slowly.
inline constexpr std::chrono::milliseconds kTimeout{60000};

// Polls `condition` until it holds or `timeout` passes; true when it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kTimeout);

// A fresh folder under the temporary folder, removed with its contents at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "qrw-e2e-");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder in Windows form, without a trailing separator.
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& relative) const;

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);
bool FileExists(const std::string& path);
// Names of the files in `folder` whose names end in `suffix` (any case).
std::vector<std::string> FilesEndingIn(const std::string& folder, const std::string& suffix);
std::string AsciiLower(std::string text);
// "\r\n"-separated lines; false in `complete` when the text does not end with "\r\n".
std::vector<std::string> CrLfLines(const std::string& text, bool* complete = nullptr);

// Copies the built program folder's files (the program, the control, the
// sounds, the font) into `folder`, and the command recorder in as
// notepad.exe and winhelp.exe.
void InstallProgram(const std::string& folder);
// The file the recorders installed in `folder` append to.
std::string RecordedCommandsFile(const std::string& folder);

// True when a Qrw32 of this Wine session holds the single-instance mark:
// every start would then only wake that one.
bool QuarrowAlreadyRunning();

// A started process. The destructor ends it (TerminateProcess) if it still
// runs, so a failing test leaves no window behind.
class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ~ChildProcess();

  // Starts `program` with `arguments` as the text after its name, in the
  // current environment with `environment` added (name, value) for this
  // start only. An empty optional when CreateProcess fails.
  static std::optional<ChildProcess> Start(const std::string& program, const std::string& arguments,
                                           const std::vector<std::pair<std::string, std::string>>& environment = {});

  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const;
  // Waits for the end; the exit code, or nothing when it still runs at the timeout.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = kTimeout) const;
  void Kill();

 private:
  PROCESS_INFORMATION info_{};
};

// Top-level windows of process `processId` with class `className` (any
// class when empty), visible or not.
std::vector<HWND> TopLevelWindows(DWORD processId, const std::string& className = "");
// Waits for a visible top-level window of the process with that class, while
// the process runs; null when none came.
HWND WaitForWindow(const ChildProcess& process, const std::string& className,
                   std::chrono::milliseconds timeout = kTimeout);

// Window texts read from outside the owning process.
std::string TextOf(HWND window);
std::string ClassOf(HWND window);
std::vector<HWND> Children(HWND parent);

}  // namespace quarrow::ui::program_test
