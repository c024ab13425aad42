#include "folder_walk.h"

namespace quarrow::run {

FolderWalk::FolderWalk(FileSystem& files, std::string start, std::string pattern, char separator)
    : files_(files), pattern_(std::move(pattern)), separator_(separator), folders_{std::move(start)} {}

// The sub-folders are listed before the archives, both before any archive
// of the folder is checked (a rename to ".bad" must not change a listing).
void FolderWalk::ListEntered() {
  std::vector<std::string> subFolders;
  for (FolderEntry& entry : files_.ListFolder(*entered_, "*.*")) {
    if (entry.isFolder && !entry.name.empty() && entry.name[0] != '.') subFolders.push_back(std::move(entry.name));
  }
  archives_.clear();
  for (FolderEntry& entry : files_.ListFolder(*entered_, pattern_)) archives_.push_back(std::move(entry.name));
  nextArchive_ = 0;
  current_ = std::move(*entered_);
  entered_.reset();
  for (auto it = subFolders.rbegin(); it != subFolders.rend(); ++it) folders_.push_back(current_ + *it + separator_);
}

std::optional<WalkStep> FolderWalk::Next() {
  if (entered_) ListEntered();
  if (nextArchive_ < archives_.size()) return WalkStep{true, current_, archives_[nextArchive_++]};
  if (folders_.empty()) return std::nullopt;
  entered_ = std::move(folders_.back());
  folders_.pop_back();
  return WalkStep{false, *entered_, {}};
}

}  // namespace quarrow::run
