#include "program_test_process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <thread>

namespace quarrow::ui::program_test {

namespace fs = std::filesystem;

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return condition();
    ::Sleep(20);
  }
  return true;
}

TempFolder::TempFolder(const std::string& prefix) {
  std::random_device random;
  const fs::path path = fs::temp_directory_path() / (prefix + std::to_string(random() % 1000000000u));
  fs::create_directories(path);
  path_ = path.string();
  while (path_.size() > 3 && (path_.back() == '\\' || path_.back() == '/')) path_.pop_back();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempFolder::operator/(const std::string& relative) const {
  return (fs::path(path_) / fs::path(relative).make_preferred()).string();
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

void WriteText(const std::string& path, const std::string& text) {
  WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::vector<std::string> FilesEndingIn(const std::string& folder, const std::string& suffix) {
  std::vector<std::string> names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() >= suffix.size() &&
        AsciiLower(name.substr(name.size() - suffix.size())) == AsciiLower(suffix)) {
      names.push_back(name);
    }
  }
  return names;
}

std::vector<std::string> CrLfLines(const std::string& text, bool* complete) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (complete) *complete = start == text.size();
  return lines;
}

void InstallProgram(const std::string& folder) {
  const fs::path source(QUARROW_PROGRAM_FOLDER);
  fs::create_directories(folder);
  for (const char* name : {"Qrw32.exe", "MzDeck2.dll", "thunder.wav", "error.wav", "Chaucer.ttf"}) {
    std::error_code error;
    fs::copy_file(source / name, fs::path(folder) / name, fs::copy_options::overwrite_existing, error);
    ASSERT_FALSE(error) << "copying " << (source / name).string() << ": " << error.message()
                        << " (build the Qrw32 target first)";
  }
  for (const char* name : {"notepad.exe", "winhelp.exe"}) {
    std::error_code error;
    fs::copy_file(QUARROW_RECORD_COMMAND, fs::path(folder) / name, fs::copy_options::overwrite_existing, error);
    ASSERT_FALSE(error) << "copying the command recorder: " << error.message();
  }
}

std::string RecordedCommandsFile(const std::string& folder) { return (fs::path(folder) / "commands.txt").string(); }

bool QuarrowAlreadyRunning() {
  const HANDLE mark = ::OpenMutexA(SYNCHRONIZE, FALSE, "Quarrow.Qrw32.Running");
  if (!mark) return false;
  ::CloseHandle(mark);
  return true;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : info_(other.info_) { other.info_ = {}; }

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Kill();
    info_ = other.info_;
    other.info_ = {};
  }
  return *this;
}

ChildProcess::~ChildProcess() { Kill(); }

std::optional<ChildProcess> ChildProcess::Start(const std::string& program, const std::string& arguments,
                                                const std::vector<std::pair<std::string, std::string>>& environment) {
  // The child inherits this process's environment: the additions are made
  // here for the moment of the start and then put back.
  std::vector<std::pair<std::string, std::optional<std::string>>> saved;
  for (const auto& [name, value] : environment) {
    char old[32768];
    const DWORD length = ::GetEnvironmentVariableA(name.c_str(), old, sizeof old);
    saved.emplace_back(name, length > 0 && length < sizeof old ? std::optional<std::string>(old) : std::nullopt);
    ::SetEnvironmentVariableA(name.c_str(), value.c_str());
  }
  std::string commandLine = "\"" + program + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::vector<char> text(commandLine.begin(), commandLine.end());
  text.push_back('\0');
  const std::string folder = fs::path(program).parent_path().string();

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ChildProcess child;
  const BOOL started = ::CreateProcessA(program.c_str(), text.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        folder.c_str(), &startup, &child.info_);
  for (const auto& [name, value] : saved) ::SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
  if (!started) return std::nullopt;
  return child;
}

bool ChildProcess::Running() const {
  return info_.hProcess && ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) const {
  if (!info_.hProcess) return std::nullopt;
  if (::WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (!::GetExitCodeProcess(info_.hProcess, &code)) return std::nullopt;
  return code;
}

void ChildProcess::Kill() {
  if (info_.hProcess) {
    if (Running()) {
      ::TerminateProcess(info_.hProcess, 99);
      ::WaitForSingleObject(info_.hProcess, 10000);
    }
    ::CloseHandle(info_.hProcess);
  }
  if (info_.hThread) ::CloseHandle(info_.hThread);
  info_ = {};
}

namespace {

struct WindowSearch {
  DWORD processId;
  std::string className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId && (search.className.empty() || ClassOf(window) == search.className)) {
    search.found.push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
  auto& children = *reinterpret_cast<std::vector<HWND>*>(parameter);
  children.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const std::string& className) {
  WindowSearch search{processId, className, {}};
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(const ChildProcess& process, const std::string& className, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(process.Id(), className)) {
          if (::IsWindowVisible(window)) {
            found = window;
            return true;
          }
        }
        return !process.Running();
      },
      timeout);
  return found;
}

std::string TextOf(HWND window) {
  char text[2048] = {};
  const int length = ::GetWindowTextA(window, text, sizeof text);
  return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  const int length = ::GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

}  // namespace quarrow::ui::program_test
