#include "archive_component_adapter.h"

namespace quarrow::ui {

// The engine's names for the component's result codes are the same numbers.
constexpr bool SameCode(run::ArchiveResult engine, archive::ResultCode component) {
  return static_cast<int>(engine) == static_cast<int>(component);
}
static_assert(SameCode(run::kResultOk, archive::kOk));
static_assert(SameCode(run::kResultBadStructure, archive::kBadStructure));
static_assert(SameCode(run::kResultBadCrc, archive::kBadCrc));
static_assert(SameCode(run::kResultUnsupportedMethod, archive::kUnsupportedMethod));
static_assert(SameCode(run::kResultNothingMatched, archive::kNothingMatched));
static_assert(SameCode(run::kResultAborted, archive::kAborted));
static_assert(SameCode(run::kResultBadData, archive::kBadData));
static_assert(SameCode(run::kResultCannotRead, archive::kCannotRead));
static_assert(SameCode(run::kResultPermissionDenied, archive::kPermissionDenied));

void ArchiveComponentAdapter::SetStatusHandler(StatusHandler handler) {
  tester_.OnStatus([handler = std::move(handler)](const archive::StatusEvent& event) {
    handler(run::ArchiveStatus{event.FileName, event.Size, event.Ratio, event.Completion});
  });
}

}  // namespace quarrow::ui
