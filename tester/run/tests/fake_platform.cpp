#include "fake_platform.h"

#include <algorithm>

#include "path_text.h"
#include "run_engine.h"

namespace quarrow::run {

FakePlatform::FakePlatform(char separator) : separator_(separator) {}

std::string FakePlatform::Key(std::string path) const {
  while (path.size() > 1 && path.back() == separator_) path.pop_back();
  return separator_ == '\\' ? AsciiLower(path) : path;
}

std::string FakePlatform::ParentKey(const std::string& key) const {
  const size_t cut = key.rfind(separator_);
  return cut == std::string::npos || cut == 0 ? std::string() : key.substr(0, cut);
}

FakePlatform::Node* FakePlatform::Find(const std::string& path) {
  auto it = nodes_.find(Key(path));
  return it == nodes_.end() ? nullptr : &it->second;
}

const FakePlatform::Node* FakePlatform::Find(const std::string& path) const {
  auto it = nodes_.find(Key(path));
  return it == nodes_.end() ? nullptr : &it->second;
}

FakePlatform::Node& FakePlatform::Add(const std::string& path, bool folder) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == separator_) trimmed.pop_back();
  const std::string key = Key(trimmed);
  if (Node* existing = Find(key)) return *existing;
  const size_t cut = trimmed.rfind(separator_);
  if (cut != std::string::npos && cut > 0) {
    Add(trimmed.substr(0, cut), true);
    nodes_[ParentKey(key)].children.push_back(key);
  }
  Node& node = nodes_[key];
  node.name = cut == std::string::npos ? trimmed : trimmed.substr(cut + 1);
  node.folder = folder;
  return node;
}

void FakePlatform::AddFolder(const std::string& path) { Add(path, true); }

void FakePlatform::AddFile(const std::string& path, std::string content, FakeFileOptions options) {
  Node& node = Add(path, false);
  node.content = std::move(content);
  node.options = options;
}

void FakePlatform::AddFolderLink(const std::string& path) { Add(path, false).link = true; }

bool FakePlatform::Exists(const std::string& path) const { return Find(path) != nullptr; }

std::string FakePlatform::Content(const std::string& path) const {
  const Node* node = Find(path);
  return node ? node->content : std::string();
}

bool FakePlatform::IsReadOnlyAttribute(const std::string& path) const {
  const Node* node = Find(path);
  return node && node->options.readOnly;
}

std::vector<std::string> FakePlatform::Names(const std::string& folder) const {
  std::vector<std::string> names;
  if (const Node* node = Find(folder)) {
    for (const std::string& key : node->children) names.push_back(nodes_.at(key).name);
  }
  return names;
}

std::vector<FolderEntry> FakePlatform::ListFolder(const std::string& folder, const std::string& pattern) {
  std::vector<FolderEntry> entries;
  const Node* node = Find(folder);
  if (!node || !node->folder) return entries;
  // The Windows file search reports the folder itself and its parent first.
  if (separator_ == '\\' && pattern == "*.*") entries = {{".", true}, {"..", true}};
  for (const std::string& key : node->children) {
    const Node& child = nodes_.at(key);
    if (MatchesWildcard(child.name, pattern)) entries.push_back({child.name, child.folder});
  }
  return entries;
}

bool FakePlatform::IsOrdinaryFile(const std::string& path) {
  const Node* node = Find(path);
  return node && !node->folder && !node->link && !node->options.hidden && !node->options.system;
}

bool FakePlatform::IsFolder(const std::string& path) {
  const Node* node = Find(path);
  return node && node->folder;
}

std::optional<uint64_t> FakePlatform::FileLength(const std::string& path) {
  const Node* node = Find(path);
  if (!node || node->folder) return std::nullopt;
  return node->content.size();
}

std::optional<uint64_t> FakePlatform::OrdinaryFileLength(const std::string& path) {
  return IsOrdinaryFile(path) ? FileLength(path) : std::nullopt;
}

bool FakePlatform::ResetAttributes(const std::string& path) {
  Node* node = Find(path);
  if (!node) return false;
  node->options = {};
  return true;
}

bool FakePlatform::Rename(const std::string& from, const std::string& to) {
  Node* source = Find(from);
  if (!source || Find(to) || lockedFiles.count(Key(from)) || ParentKey(Key(from)) != ParentKey(Key(to))) {
    return false;
  }
  Node moved = *source;
  moved.name = std::string(LastComponent(to));
  const std::string fromKey = Key(from), toKey = Key(to);
  auto& siblings = nodes_[ParentKey(fromKey)].children;
  std::replace(siblings.begin(), siblings.end(), fromKey, toKey);
  nodes_.erase(fromKey);
  nodes_[toKey] = std::move(moved);
  return true;
}

bool FakePlatform::Delete(const std::string& path) {
  const std::string key = Key(path);
  Node* node = Find(key);
  if (!node || node->folder || lockedFiles.count(key)) return false;
  if (node->options.readOnly && separator_ == '\\') return false;
  auto& siblings = nodes_[ParentKey(key)].children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), key), siblings.end());
  nodes_.erase(key);
  return true;
}

bool FakePlatform::IsOnReadOnlyDrive(const std::string& path) {
  return std::any_of(readOnlyDrives.begin(), readOnlyDrives.end(),
                     [&](const std::string& prefix) { return Key(path).rfind(Key(prefix), 0) == 0; });
}

std::optional<std::string> FakePlatform::ReadFileStart(const std::string& path, size_t maxBytes) {
  const Node* node = Find(path);
  if (!node || node->folder || unreadableFiles.count(Key(path))) return std::nullopt;
  return node->content.substr(0, maxBytes);
}

bool FakePlatform::WriteFile(const std::string& path, std::string_view bytes) {
  if (failingWrites.count(Key(path)) || IsFolder(path)) return false;
  Node& node = Add(path, false);
  node.content = std::string(bytes);
  return true;
}

bool FakePlatform::AppendFile(const std::string& path, std::string_view bytes) {
  if (failingWrites.count(Key(path)) || IsFolder(path)) return false;
  Add(path, false).content += bytes;
  return true;
}

float FakePlatform::SecondsSinceMidnight() {
  if (clockReadings.empty()) return 0;
  const float value = clockReadings.front();
  clockReadings.pop_front();
  return value;
}

void FakePlatform::Effect(const std::string& kind, const std::string& value) { effects.push_back(kind + "=" + value); }

std::vector<std::string> FakePlatform::EffectsOf(const std::string& kind) const {
  std::vector<std::string> values;
  const std::string prefix = kind + "=";
  for (const std::string& effect : effects) {
    if (effect.rfind(prefix, 0) == 0) values.push_back(effect.substr(prefix.size()));
  }
  return values;
}

void FakePlatform::SetTitle(const std::string& text) {
  title = text;
  Effect("title", text);
}

void FakePlatform::SetFolderPanel(const std::string& text) {
  folderPanel = text;
  Effect("folder", text);
}

void FakePlatform::SetProgress(int percent) {
  progress = percent;
  Effect("progress", std::to_string(percent));
}

std::string FakePlatform::LabelName(Label label) {
  switch (label) {
    case Label::kArchiveName: return "archiveName";
    case Label::kEntrySize: return "entrySize";
    case Label::kCounter: return "counter";
    case Label::kEntryName: return "entryName";
    case Label::kRatio: return "ratio";
  }
  return "label";
}

void FakePlatform::SetLabel(Label label, const std::string& text) {
  labels[label] = text;
  Effect(LabelName(label), text);
}

void FakePlatform::SetBusyPointer(bool busy) { Effect("busy", busy ? "on" : "off"); }
void FakePlatform::EnableBrowseButton(bool enabled) { Effect("button", enabled ? "on" : "off"); }
void FakePlatform::EnableBrowseMenuEntry(bool enabled) { Effect("menu", enabled ? "on" : "off"); }

std::optional<std::string> FakePlatform::BrowseForFolder(const std::string& startFolder) {
  browseStartFolders.push_back(startFolder);
  if (browseAnswers.empty()) return std::nullopt;
  std::optional<std::string> answer = browseAnswers.front();
  browseAnswers.pop_front();
  return answer;
}

void FakePlatform::MinimizeWindow() {
  minimized = true;
  Effect("window", "minimized");
}

void FakePlatform::RestoreWindow() {
  minimized = false;
  Effect("window", "restored");
}

void FakePlatform::HideWindow() {
  hidden = true;
  Effect("window", "hidden");
}

void FakePlatform::CloseWindow() {
  closed = true;
  Effect("window", "closed");
}

void FakePlatform::ProcessEvents() {
  if (onProcessEvents) onProcessEvents();
}

void FakePlatform::ShowSummary(const RunSummary& summary) {
  summaries.push_back(summary);
  Effect("summary", summary.pathTested);
  if (engine) engine->CloseSummary();
}

}  // namespace quarrow::run
