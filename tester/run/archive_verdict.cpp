#include "archive_verdict.h"

namespace quarrow::run {

int16_t ExtractDescriptionFiles(ArchiveComponent& component, const std::string& path,
                                const std::string& destination) {
  component.SetKeepFolderNames(false);
  component.SetFileMask("*.diz");
  component.SetDestinationFolder(destination);
  component.SetArchiveName(path);
  return component.Extract(0);
}

ArchiveVerdict CheckArchive(ArchiveComponent& component, const std::string& path, const std::string& destination,
                            const std::function<bool()>& stopped) {
  ArchiveVerdict verdict;
  verdict.extract = ExtractDescriptionFiles(component, path, destination);
  if (verdict.extract == kResultPermissionDenied || verdict.extract == kResultAborted) return verdict;
  if (stopped()) {
    verdict.extract = kResultAborted;
    return verdict;
  }
  // Any other result than these two decides the archive without a test pass.
  if (verdict.extract != kResultOk && verdict.extract != kResultNothingMatched) return verdict;
  component.SetArchiveName(path);
  component.SetFileMask("");
  verdict.test = component.Test();
  if (*verdict.test == kResultUnsupportedMethod) verdict.unverifiedMethod = component.UnverifiedMethod();
  return verdict;
}

}  // namespace quarrow::run
