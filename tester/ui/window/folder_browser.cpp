#include "folder_browser.h"

#include <shlobj.h>

#include "main_window_rules.h"

namespace quarrow::ui {
namespace {

struct BrowseState {
  std::string startFolder;
  const std::function<bool(const std::string&)>* switchDrive;
};

std::string PathOf(LPCITEMIDLIST item) {
  char path[MAX_PATH + 1] = {};
  if (!item || !::SHGetPathFromIDListA(item, path)) return {};
  return path;
}

int CALLBACK OnBrowseEvent(HWND dialog, UINT event, LPARAM data, LPARAM context) {
  const auto* state = reinterpret_cast<const BrowseState*>(context);
  if (event == BFFM_INITIALIZED && !state->startFolder.empty()) {
    ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(state->startFolder.c_str()));
  } else if (event == BFFM_SELCHANGED) {
    // Refused until the selection has been judged.
    ::SendMessageA(dialog, BFFM_ENABLEOK, 0, FALSE);
    const std::string path = PathOf(reinterpret_cast<LPCITEMIDLIST>(data));
    const BrowseSelection selection = JudgeBrowseSelection(path);
    ::SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(selection.statusText.c_str()));
    const bool accept = selection.acceptable && (*state->switchDrive)(path);
    ::SendMessageA(dialog, BFFM_ENABLEOK, 0, accept);
  }
  return 0;
}

}  // namespace

std::optional<std::string> BrowseForFolder(HWND owner, const std::string& startFolder,
                                           const std::function<bool(const std::string&)>& switchDrive) {
  BrowseState state{startFolder, &switchDrive};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.lpszTitle = kBrowsePrompt;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = OnBrowseEvent;
  info.lParam = reinterpret_cast<LPARAM>(&state);
  LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
  if (!chosen) return std::nullopt;
  std::string path = PathOf(chosen);
  ::CoTaskMemFree(chosen);
  return path;
}

}  // namespace quarrow::ui
