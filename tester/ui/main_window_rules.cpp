#include "main_window_rules.h"

#include "path_text.h"

namespace quarrow::ui {
namespace {

bool SameId(std::string_view a, std::string_view b) { return run::AsciiLower(a) == run::AsciiLower(b); }

}  // namespace

ToolCommand CommandForTool(std::string_view id, bool running) {
  if (SameId(id, "ID_Bad")) return ToolCommand::kUpdateRenaming;
  if (SameId(id, "ID_Exit")) return running ? ToolCommand::kAbortRun : ToolCommand::kCloseWindow;
  if (SameId(id, "ID_Browse")) return running ? ToolCommand::kAbortRun : ToolCommand::kStartRun;
  if (SameId(id, "ID_Contents")) return ToolCommand::kContents;
  if (SameId(id, "ID_Web")) return ToolCommand::kWeb;
  if (SameId(id, "ID_Email")) return ToolCommand::kEmail;
  if (SameId(id, "ID_About")) return ToolCommand::kAbout;
  if (running) return ToolCommand::kNone;
  if (SameId(id, "ID_Open")) return ToolCommand::kOpenLog;
  if (SameId(id, "ID_Purge")) return ToolCommand::kPurgeLog;
  return ToolCommand::kNone;
}

TwipSize SizeAfterToolbarChange(TwipSize size, int firstToolbarDock, int change) {
  if (firstToolbarDock == kDockedLeft || firstToolbarDock == kDockedRight) size = {5005, 3250};
  if (change == kChangeUndocked) size = {4605, 3250};
  if (change == kChangeDocked) size.height = 3640;
  return size;
}

BrowseSelection JudgeBrowseSelection(std::string_view path) {
  if (path.empty()) return {"Not a valid drive or path", false};
  return {run::AsciiLower(path), true};
}

bool IsRootFolder(std::string_view folder) {
  while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.remove_suffix(1);
  if (folder.size() == 2 && folder[1] == ':') return true;
  if (folder == "\\" || folder == "/") return true;
  if (folder.size() > 2 && (folder.substr(0, 2) == "\\\\" || folder.substr(0, 2) == "//")) {
    // \\server\share: at most one separator after the server's name.
    const size_t server = folder.find_first_of("\\/", 2);
    return server == std::string_view::npos || folder.find_first_of("\\/", server + 1) == std::string_view::npos;
  }
  return false;
}

std::string ProgramArguments(std::string_view full) {
  size_t at = 0;
  if (!full.empty() && full[0] == '"') {
    const size_t close = full.find('"', 1);
    at = close == std::string_view::npos ? full.size() : close + 1;
  } else {
    at = full.find_first_of(" \t");
    if (at == std::string_view::npos) at = full.size();
  }
  while (at < full.size() && (full[at] == ' ' || full[at] == '\t')) ++at;
  std::string arguments;
  for (const char c : full.substr(at)) {
    if (c != '"') arguments += c;
  }
  return arguments;
}

std::string DriveOfPath(std::string_view path) {
  if (path.size() < 2 || path[1] != ':') return {};
  const char letter = path[0];
  if (!((letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z'))) return {};
  return run::AsciiLower(path.substr(0, 2));
}

}  // namespace quarrow::ui
