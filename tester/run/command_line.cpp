#include "command_line.h"

#include "path_text.h"

namespace quarrow::run {

CommandLineForm ClassifyCommandLine(std::string_view commandLine) {
  if (commandLine.empty()) return CommandLineForm::kEmpty;
  if (EndsWith(commandLine, "&")) return CommandLineForm::kDateRun;
  if (EndsWith(commandLine, "/R")) return CommandLineForm::kRightClickRun;
  if (EndsWith(commandLine, "\\R")) return CommandLineForm::kRightClickMarked;
  return CommandLineForm::kFolder;
}

std::string DateRunFolder(std::string_view commandLine, std::string_view dateFolder) {
  std::string folder(commandLine.substr(0, commandLine.empty() ? 0 : commandLine.size() - 1));
  return folder + std::string(dateFolder);
}

std::string RightClickFolder(std::string_view commandLine) {
  if (commandLine.size() < 3) return {};
  return std::string(commandLine.substr(0, commandLine.size() - 3));
}

}  // namespace quarrow::run
