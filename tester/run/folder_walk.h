#pragma once
// The run's folder search as a sequence of steps: depth first, pre-order,
// each folder's own archives before its first sub-folder. A folder is
// listed only when the step after it is asked for, so a caller that stops
// after a folder's step never reads that folder.
#include <optional>
#include <string>
#include <vector>

#include "file_system.h"

namespace quarrow::run {

struct WalkStep {
  bool isArchive = false;
  std::string folder;  // ends in the separator
  std::string name;    // the archive's name in `folder`; empty for a folder step
};

class FolderWalk {
 public:
  // Sub-folders whose names start with "." are skipped; archives are the
  // entries of each folder matching `pattern`, as listed.
  FolderWalk(FileSystem& files, std::string start, std::string pattern, char separator);

  // The next folder to enter or archive to check; nullopt when the walk is done.
  std::optional<WalkStep> Next();

 private:
  void ListEntered();

  FileSystem& files_;
  std::string pattern_;
  char separator_;
  std::vector<std::string> folders_;  // still to enter; the next one last
  std::optional<std::string> entered_;  // entered, not listed yet
  std::string current_;                 // the folder whose archives are in `archives_`
  std::vector<std::string> archives_;
  size_t nextArchive_ = 0;
};

}  // namespace quarrow::run
