// The tester's file system and clock on Linux and other POSIX systems.
//
// Conventions on these systems:
//  - A name starting with "." is hidden, as the shells and file managers
//    treat it; there are no system files.
//  - Read-only, hidden and archive attributes do not exist as such, and the
//    permission bits do not stand in the way of renaming or deleting (the
//    folder's do), so resetting attributes changes nothing.
//  - A drive is judged read-only when the file system holding the archive is
//    mounted read-only.
//  - Links to folders are not followed by the search.
//  - Names match the search patterns with the letter case ignored, as on
//    Windows, so "A.ZIP" is tested and "FILE_ID.DIZ" is cleaned up.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include "system_platform.h"
#include "path_text.h"

namespace quarrow::ui {
namespace {

bool IsHiddenName(std::string_view name) { return !name.empty() && name[0] == '.'; }

std::string FolderOf(const std::string& path) {
  const size_t cut = path.rfind('/');
  if (cut == std::string::npos) return ".";
  return cut == 0 ? "/" : path.substr(0, cut);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Result files are never written through a link: they stay in the program
// folder.
bool WriteWithFlags(const std::string& path, std::string_view bytes, int flags) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | flags, 0644);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes);
  return (::close(fd) == 0) && written;
}


}  // namespace

std::vector<run::FolderEntry> SystemPlatform::ListFolder(const std::string& folder, const std::string& pattern) {
  std::vector<run::FolderEntry> entries;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return entries;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (!run::MatchesWildcard(name, pattern)) continue;
    bool isFolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat info;
      isFolder = ::lstat((folder + name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    entries.push_back({name, isFolder});
  }
  return entries;
}

bool SystemPlatform::IsOrdinaryFile(const std::string& path) {
  struct stat info;
  return !IsHiddenName(run::LastComponent(path)) && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool SystemPlatform::IsFolder(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<uint64_t> SystemPlatform::FileLength(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(info.st_size);
}

std::optional<uint64_t> SystemPlatform::OrdinaryFileLength(const std::string& path) {
  if (IsHiddenName(run::LastComponent(path))) return std::nullopt;
  return FileLength(path);
}

// There are no attributes to clear: the file is left untouched, unasked.
bool SystemPlatform::ResetAttributes(const std::string&) { return true; }

bool SystemPlatform::Rename(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // The file system cannot rename without replacing: link the new name
  // (which fails when it exists), then drop the old one.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  if (::unlink(from.c_str()) == 0) return true;
  ::unlink(to.c_str());
  return false;
}

bool SystemPlatform::Delete(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool SystemPlatform::IsOnReadOnlyDrive(const std::string& path) {
  struct statvfs info;
  return ::statvfs(FolderOf(path).c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
}

std::optional<std::string> SystemPlatform::ReadFileStart(const std::string& path, size_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes(maxBytes, '\0');
  size_t got = 0;
  bool failed = false;
  while (got < maxBytes) {
    const ssize_t n = ::read(fd, bytes.data() + got, maxBytes - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) failed = true;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  if (failed) return std::nullopt;
  bytes.resize(got);
  return bytes;
}

bool SystemPlatform::WriteFile(const std::string& path, std::string_view bytes) {
  return WriteWithFlags(path, bytes, O_TRUNC);
}

bool SystemPlatform::AppendFile(const std::string& path, std::string_view bytes) {
  return WriteWithFlags(path, bytes, O_APPEND);
}

float SystemPlatform::SecondsSinceMidnight() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  ::localtime_r(&now.tv_sec, &local);
  return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + now.tv_nsec / 1e9);
}

run::LocalTime SystemPlatform::Now() {
  const time_t now = ::time(nullptr);
  tm local{};
  ::localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

// There is no standard sound service here; the run goes on silently.
void PlaySoundFileAsync(const std::string&) {}

run::EngineSettings PlatformEngineSettings() {
  run::EngineSettings settings;
  settings.separator = '/';
  settings.lowerCasePaths = false;
  return settings;
}

unsigned DefaultCheckJobs() {
  const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
  return online > 1 ? static_cast<unsigned>(online) : 1;
}

std::string ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? FolderOf(std::string(path, static_cast<size_t>(n))) : ".";
}

}  // namespace quarrow::ui
