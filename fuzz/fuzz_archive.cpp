// Fuzzes the archive reader: the input is an archive, tested and extracted
// (into no destination, so nothing is written) from memory, once with each
// inflate engine of the build, which must agree on every result code and
// detail; the same bytes are also checked as an entry name by the
// extraction-name check and the mask matcher.
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "archive_operation.h"
#include "byte_source.h"
#include "compression_method.h"
#include "extract_name.h"
#include "inflate_engine.h"
#include "name_mask.h"

namespace {

using namespace quarrow::archive;

bool IsKnownResult(ResultCode code) {
  switch (code) {
    case kOk: case kBadStructure: case kBadCrc: case kUnsupportedMethod: case kEncrypted:
    case kNothingMatched: case kBadData: case kCannotRead:
      return true;
    default:
      return false;
  }
}

// The detail names a check exactly when the result is 100, and a method of
// the format that this build cannot verify exactly when it is 120.
void CheckDetail(ResultCode code, const ResultDetail& detail) {
  if ((code == kBadStructure) != (detail.structure != StructureCheck::kNone)) std::abort();
  if ((code == kUnsupportedMethod) != (detail.method != 0)) std::abort();
  if (code == kUnsupportedMethod && (!IsDefinedMethod(detail.method) || CanDecompress(detail.method))) {
    std::abort();
  }
}

struct Outcome {
  ResultCode tested;
  ResultDetail testDetail;
  ResultCode extracted;
  ResultDetail extractDetail;

  bool operator==(const Outcome& o) const {
    return tested == o.tested && testDetail.structure == o.testDetail.structure &&
           testDetail.method == o.testDetail.method && extracted == o.extracted &&
           extractDetail.structure == o.extractDetail.structure;
  }
};

Outcome CheckArchive(const uint8_t* data, size_t size, InflateEngine engine) {
  static OperationWorkspace workspace;
  MemoryByteSource source({data, size});
  std::atomic<bool> abort{false};
  uint64_t events = 0;
  const ArchiveTester::StatusHandler status = [&](const StatusEvent& e) {
    ++events;
    if (e.Completion < 0 || e.Completion > 100) std::abort();
  };
  Outcome outcome{};
  OperationSettings test;
  test.engine = engine;
  outcome.tested = RunOperation(source, test, abort, status, workspace, outcome.testDetail);
  if (!IsKnownResult(outcome.tested)) std::abort();
  CheckDetail(outcome.tested, outcome.testDetail);

  OperationSettings extract;
  extract.kind = OperationKind::kExtract;
  extract.fileMask = "*";
  extract.keepFolderNames = true;
  extract.engine = engine;
  outcome.extracted = RunOperation(source, extract, abort, status, workspace, outcome.extractDetail);
  if (!IsKnownResult(outcome.extracted)) std::abort();
  if ((outcome.extracted == kBadStructure) != (outcome.extractDetail.structure != StructureCheck::kNone)) {
    std::abort();
  }
  return outcome;
}

// Every engine gives the default engine's results.
void CheckArchiveWithEveryEngine(const uint8_t* data, size_t size) {
  const Outcome first = CheckArchive(data, size, InflateEngines().front());
  for (const InflateEngine engine : InflateEngines().subspan(1)) {
    if (!(CheckArchive(data, size, engine) == first)) std::abort();
  }
}

void CheckName(const uint8_t* data, size_t size) {
  const std::string_view name(reinterpret_cast<const char*>(data), size);
  for (const bool keepFolders : {false, true}) {
    const auto path = SafeExtractPath(name, keepFolders);
    if (!path) continue;
    if (path->empty() || (!keepFolders && path->size() != 1)) std::abort();
    for (const std::string& component : *path) {
      // Every component written must be a single plain name.
      if (!IsSafeNameComponent(component) || component.find_first_of("/\\:") != std::string::npos ||
          component == "..") {
        std::abort();
      }
    }
  }
  MatchesMask(name.substr(0, 16), name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckArchiveWithEveryEngine(data, size);
  CheckName(data, size);
  return 0;
}
