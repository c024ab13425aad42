#pragma once
// The file system as the run engine uses it. Paths are 8-bit text. Folders
// passed in end with the engine's separator. Every operation reports failure
// through its result and never throws; the engine skips a step whose
// operation failed.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow::run {

struct FolderEntry {
  std::string name;
  // A real folder. Links to folders (symbolic links, junctions) are reported
  // as not being folders, so a search never follows them: that keeps a run
  // inside the tree it was given and ends it on trees with link loops.
  bool isFolder = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The entries of `folder` whose names match `pattern` ("*.*" for all,
  // "*.zip", "*.diz"), in the order the platform's file search returns them.
  // Empty when the folder cannot be read.
  virtual std::vector<FolderEntry> ListFolder(const std::string& folder, const std::string& pattern) = 0;
  // Exists as an ordinary file: not a folder, not hidden, not a system file.
  virtual bool IsOrdinaryFile(const std::string& path) = 0;
  virtual bool IsFolder(const std::string& path) = 0;
  virtual std::optional<uint64_t> FileLength(const std::string& path) = 0;
  // The length of an ordinary file (as IsOrdinaryFile judges it), nullopt
  // for anything else, from one query of the file system: the run asks this
  // once for every archive it meets.
  virtual std::optional<uint64_t> OrdinaryFileLength(const std::string& path) = 0;
  // Clears the read-only, hidden, system and archive attributes.
  virtual bool ResetAttributes(const std::string& path) = 0;
  // Never replaces an existing `to`: fails instead.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // True when renaming on the drive holding `path` cannot succeed because
  // the drive or volume is read-only.
  virtual bool IsOnReadOnlyDrive(const std::string& path) = 0;
  // At most `maxBytes` from the start of the file; nullopt if unreadable.
  virtual std::optional<std::string> ReadFileStart(const std::string& path, size_t maxBytes) = 0;
  // Creates or replaces the file with `bytes`.
  virtual bool WriteFile(const std::string& path, std::string_view bytes) = 0;
  // Appends `bytes`, creating the file when it is missing.
  virtual bool AppendFile(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace quarrow::run
