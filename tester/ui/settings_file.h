#pragma once
// The settings file lastfold.ini: one line holding the folder last chosen in
// the browse dialog.
#include <string>
#include <string_view>

namespace quarrow::ui {

inline constexpr char kSettingsFileName[] = "lastfold.ini";

// The settings file in `programFolder` (a Windows path without a trailing "\\"),
// the one name it is both read and written under.
std::string SettingsFilePath(const std::string& programFolder);

// The file's bytes for `lastFolder`: the folder in lower case, as plain text
// without quotes, and a line end.
std::string SettingsFileText(std::string_view lastFolder);

// The first field of delimited text, as a delimited-field read returns it:
// leading blanks skipped; a field in double quotes is the text between them;
// otherwise the field ends at the first comma or line end and loses its
// trailing blanks. A folder whose name holds a comma therefore comes back cut
// at the comma.
std::string ReadFirstField(std::string_view text);

}  // namespace quarrow::ui
