#include "system_platform.h"

#include <cstdlib>

#include "path_text.h"

namespace quarrow::ui {

std::string ProgramFolder() {
  const char* override = std::getenv("QUARROW_PROGRAM_FOLDER");
  std::string folder = override && *override ? override : ExecutableFolder();
  const char separator = PlatformEngineSettings().separator;
  while (folder.size() > 1 && (folder.back() == separator || folder.back() == '/')) folder.pop_back();
  return folder;
}

// The name is checked again because the Windows search also matches short
// names.
void DeleteDescriptionFiles(run::FileSystem& files, const run::EngineSettings& settings) {
  const std::string folder = settings.programFolder + settings.separator;
  for (const run::FolderEntry& entry : files.ListFolder(folder, "*.diz")) {
    if (!entry.isFolder && run::EndsWithNoCase(entry.name, ".diz")) files.Delete(folder + entry.name);
  }
}

}  // namespace quarrow::ui
