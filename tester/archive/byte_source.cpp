#include "byte_source.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "checked_math.h"

#ifndef _WIN32
#include <fcntl.h>
#endif

namespace quarrow::archive {
namespace {

// 64-bit seeks: the C library's fseek takes a long, which is 32 bits on Windows.
bool Seek64(std::FILE* file, uint64_t offset, int origin) {
  if (offset > uint64_t{INT64_MAX}) return false;
#ifdef _WIN32
  return _fseeki64(file, static_cast<int64_t>(offset), origin) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), origin) == 0;
#endif
}

// Testing reads an archive front to back in large pieces (after a look at
// its end): asking for sequential access doubles the system's read-ahead, so
// a file that is not cached streams from the disk while the entries are
// being inflated.
void AdviseSequential(std::FILE* file) {
#ifdef _WIN32
  (void)file;
#else
  posix_fadvise(fileno(file), 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

int64_t Tell64(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return ftello(file);
#endif
}

}  // namespace

bool MemoryByteSource::ReadAt(uint64_t offset, std::span<uint8_t> out) {
  if (!RangeWithin(offset, out.size(), bytes_.size())) return false;
  if (!out.empty()) std::memcpy(out.data(), bytes_.data() + offset, out.size());
  return true;
}

std::unique_ptr<ByteSource> MemoryByteSource::OpenAnother() const {
  return std::make_unique<MemoryByteSource>(bytes_);
}

std::unique_ptr<FileByteSource> FileByteSource::Open(const std::string& path, bool* denied) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    // The Windows C library also says "access denied" for a folder, which
    // is no archive at all rather than one the user may not read.
    std::error_code error;
    if (denied) *denied = (errno == EACCES || errno == EPERM) && !std::filesystem::is_directory(path, error);
    return nullptr;
  }
  // Reads are large and go straight into the caller's buffer; a stdio buffer
  // would only add a copy.
  std::setvbuf(file, nullptr, _IONBF, 0);
  int64_t size = -1;
  if (Seek64(file, 0, SEEK_END)) size = Tell64(file);
  if (size < 0 || !Seek64(file, 0, SEEK_SET)) {
    std::fclose(file);
    return nullptr;
  }
  AdviseSequential(file);
  return std::unique_ptr<FileByteSource>(new FileByteSource(file, static_cast<uint64_t>(size), path));
}

FileByteSource::~FileByteSource() { std::fclose(file_); }

// The file may have been replaced since: a source of another size is not
// the same bytes.
std::unique_ptr<ByteSource> FileByteSource::OpenAnother() const {
  std::unique_ptr<FileByteSource> other = Open(path_);
  if (other && other->Size() != size_) other.reset();
  return other;
}

bool FileByteSource::SeekTo(uint64_t offset) {
  if (offset == position_) return true;
  if (!Seek64(file_, offset, SEEK_SET)) return false;
  position_ = offset;
  return true;
}

bool FileByteSource::ReadAt(uint64_t offset, std::span<uint8_t> out) {
  if (!RangeWithin(offset, out.size(), size_)) return false;
  if (!SeekTo(offset)) return false;
  const size_t got = std::fread(out.data(), 1, out.size(), file_);
  position_ += got;
  if (got == out.size()) return true;
  // Leave the stream in a known place after a short read or an error.
  std::clearerr(file_);
  position_ = UINT64_MAX;
  return false;
}

}  // namespace quarrow::archive
