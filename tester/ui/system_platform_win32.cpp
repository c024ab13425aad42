// The tester's file system, clock and sounds on Windows, through the 8-bit
// ("A") system calls so paths are the same 8-bit text the engine stores.
//
// A drive is judged read-only when it is a CD or DVD drive, or when its
// volume reports itself read-only. Directory junctions and symbolic links to
// folders are not followed by the search.
#include <windows.h>
#include <mmsystem.h>

#include "system_platform.h"

namespace quarrow::ui {
namespace {

constexpr DWORD kAbsentAttributes = INVALID_FILE_ATTRIBUTES;

DWORD Attributes(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

bool IsFolderLink(const WIN32_FIND_DATAA& data) {
  return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
         (data.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT || data.dwReserved0 == IO_REPARSE_TAG_SYMLINK);
}

bool WriteHandle(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = bytes.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(bytes.size());
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool WriteWith(const std::string& path, std::string_view bytes, DWORD access, DWORD disposition) {
  const HANDLE file = ::CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteHandle(file, bytes);
  return ::CloseHandle(file) && written;
}


}  // namespace

std::vector<run::FolderEntry> SystemPlatform::ListFolder(const std::string& folder, const std::string& pattern) {
  std::vector<run::FolderEntry> entries;
  WIN32_FIND_DATAA data;
  const HANDLE search = ::FindFirstFileA((folder + pattern).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !IsFolderLink(data);
    entries.push_back({std::string(data.cFileName), isFolder});
  } while (::FindNextFileA(search, &data));
  ::FindClose(search);
  return entries;
}

bool SystemPlatform::IsOrdinaryFile(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != kAbsentAttributes &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool SystemPlatform::IsFolder(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != kAbsentAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<uint64_t> SystemPlatform::FileLength(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<uint64_t> SystemPlatform::OrdinaryFileLength(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) {
    return std::nullopt;
  }
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool SystemPlatform::ResetAttributes(const std::string& path) {
  return ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

bool SystemPlatform::Rename(const std::string& from, const std::string& to) {
  return ::MoveFileA(from.c_str(), to.c_str()) != 0;  // fails when `to` exists
}

bool SystemPlatform::Delete(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool SystemPlatform::IsOnReadOnlyDrive(const std::string& path) {
  char root[MAX_PATH + 1];
  if (!::GetVolumePathNameA(path.c_str(), root, sizeof root)) return false;
  if (::GetDriveTypeA(root) == DRIVE_CDROM) return true;
  DWORD flags = 0;
  if (!::GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) return false;
  return (flags & FILE_READ_ONLY_VOLUME) != 0;
}

std::optional<std::string> SystemPlatform::ReadFileStart(const std::string& path, size_t maxBytes) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(maxBytes, '\0');
  size_t got = 0;
  bool failed = false;
  while (got < maxBytes) {
    DWORD n = 0;
    const DWORD chunk = maxBytes - got > 1u << 30 ? 1u << 30 : static_cast<DWORD>(maxBytes - got);
    if (!::ReadFile(file, bytes.data() + got, chunk, &n, nullptr)) failed = true;
    if (failed || n == 0) break;
    got += n;
  }
  ::CloseHandle(file);
  if (failed) return std::nullopt;
  bytes.resize(got);
  return bytes;
}

bool SystemPlatform::WriteFile(const std::string& path, std::string_view bytes) {
  return WriteWith(path, bytes, GENERIC_WRITE, CREATE_ALWAYS);
}

bool SystemPlatform::AppendFile(const std::string& path, std::string_view bytes) {
  return WriteWith(path, bytes, FILE_APPEND_DATA, OPEN_ALWAYS);
}

float SystemPlatform::SecondsSinceMidnight() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return static_cast<float>(now.wHour * 3600 + now.wMinute * 60 + now.wSecond + now.wMilliseconds / 1000.0);
}

run::LocalTime SystemPlatform::Now() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void PlaySoundFileAsync(const std::string& path) {
  ::sndPlaySoundA(path.c_str(), SND_ASYNC | SND_NODEFAULT);
}

run::EngineSettings PlatformEngineSettings() {
  run::EngineSettings settings;
  settings.separator = '\\';
  settings.lowerCasePaths = true;
  return settings;
}

unsigned DefaultCheckJobs() { return 1; }

std::string ExecutableFolder() {
  char path[MAX_PATH + 1];
  const DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
  if (n == 0 || n >= sizeof path) return ".";
  const std::string file(path, n);
  const size_t cut = file.find_last_of("\\/");
  return cut == std::string::npos ? "." : file.substr(0, cut);
}

}  // namespace quarrow::ui
