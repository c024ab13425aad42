#pragma once
// The forms of the tester's command line (the text after the program name).
#include <string>
#include <string_view>

namespace quarrow::run {

enum class CommandLineForm {
  kEmpty,             // interactive: folders come from the browse dialog
  kDateRun,           // "folder&": tests today's "mmdd" folder under it
  kRightClickRun,     // "folder /R": from the shell's context menu
  kRightClickMarked,  // "folder\R": marked as right-click, folder is the whole text
  kFolder,            // anything else: the whole text is the folder
};

// The suffixes are compared exactly ("/r" is part of a folder name).
CommandLineForm ClassifyCommandLine(std::string_view commandLine);

// The start folder a date run tests: the text less its "&", then `dateFolder`.
std::string DateRunFolder(std::string_view commandLine, std::string_view dateFolder);

// The start folder of a right-click run: the text less the blank and "/R".
// Empty when the text is too short to hold them.
std::string RightClickFolder(std::string_view commandLine);

}  // namespace quarrow::run
