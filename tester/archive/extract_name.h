#pragma once
// Which relative path, if any, an entry may be extracted to. Entry names come
// from the archive and are hostile: they may climb out of the destination with
// "..", name an absolute path or drive, an alternate data stream or a device,
// or use characters Windows rewrites or rejects.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow::archive {

// True when `component` can be used as one file or folder name on both Windows
// and POSIX without naming something else: not empty, "." or "..", free of
// control characters and of : < > " | ? * / \, not ending in a dot or a blank
// (Windows strips those, so "con." would open the device "con"), and not a
// device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, with or
// without an extension, in any letter case).
bool IsSafeNameComponent(std::string_view component);

// The path below the destination folder that the entry `entryName` may be
// written to, as folder components followed by the file name; nothing when
// the entry must not be written. With `keepFolderNames` off only the plain
// file name (after the last '/' or '\') is kept. With it on, every component
// of the name must be safe and the name must be relative: any "..", an empty
// component (so also a leading separator or a folder entry ending in '/') or
// a drive prefix rejects the whole entry.
std::optional<std::vector<std::string>> SafeExtractPath(std::string_view entryName,
                                                        bool keepFolderNames);

}  // namespace quarrow::archive
