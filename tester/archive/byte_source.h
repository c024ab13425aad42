#pragma once
// Random-access sources of archive bytes: a file on disk, or a block of memory
// (used by the fuzzer and by tests that need no file).
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

namespace quarrow::archive {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Fills `out` with the bytes at `offset`; false when they cannot all be read.
  virtual bool ReadAt(uint64_t offset, std::span<uint8_t> out) = 0;
  // A second, independent source of the same bytes, for reading them on
  // another thread; nothing when it cannot be opened.
  virtual std::unique_ptr<ByteSource> OpenAnother() const = 0;
};

class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  bool ReadAt(uint64_t offset, std::span<uint8_t> out) override;
  std::unique_ptr<ByteSource> OpenAnother() const override;

 private:
  std::span<const uint8_t> bytes_;
};

class FileByteSource final : public ByteSource {
 public:
  // Opens `path` for reading; nothing when it cannot be opened or sized,
  // with `denied` set when the system refused for lack of permission.
  static std::unique_ptr<FileByteSource> Open(const std::string& path, bool* denied = nullptr);
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  uint64_t Size() const override { return size_; }
  bool ReadAt(uint64_t offset, std::span<uint8_t> out) override;
  std::unique_ptr<ByteSource> OpenAnother() const override;

 private:
  FileByteSource(std::FILE* file, uint64_t size, std::string path)
      : file_(file), size_(size), path_(std::move(path)) {}
  bool SeekTo(uint64_t offset);

  std::FILE* file_;
  uint64_t size_;
  std::string path_;
  uint64_t position_ = 0;  // where the next fread reads, so forward reads skip the seek
};

}  // namespace quarrow::archive
