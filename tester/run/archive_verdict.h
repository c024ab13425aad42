#pragma once
// What the archive component finds in one archive: the result of the
// extract pass for its description files and, when that pass lets it run,
// of the test pass. Obtained on the run's thread or on a worker's; the run
// applies it on its own thread.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "archive_component.h"

namespace quarrow::run {

struct ArchiveVerdict {
  int16_t extract = kResultOk;
  std::optional<int16_t> test;  // absent when the test pass did not run
  uint16_t unverifiedMethod = 0;  // with test result 120
};

// The extract pass: the archive's description files into `destination`
// ("" checks them and writes nothing).
int16_t ExtractDescriptionFiles(ArchiveComponent& component, const std::string& path,
                                const std::string& destination);

// Both passes over the archive at `path`. A stop noticed after the extract
// pass (`stopped`) ends the check there as an abort, whatever that pass
// returned: the test pass would clear the component's abort.
ArchiveVerdict CheckArchive(ArchiveComponent& component, const std::string& path, const std::string& destination,
                            const std::function<bool()>& stopped);

}  // namespace quarrow::run
