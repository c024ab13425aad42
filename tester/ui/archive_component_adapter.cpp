#include "archive_component_adapter.h"

namespace quarrow::ui {

// The engine's names for the component's result codes are the same numbers.
static_assert(run::kResultOk == archive::kOk);
static_assert(run::kResultBadStructure == archive::kBadStructure);
static_assert(run::kResultBadCrc == archive::kBadCrc);
static_assert(run::kResultUnsupportedMethod == archive::kUnsupportedMethod);
static_assert(run::kResultNothingMatched == archive::kNothingMatched);
static_assert(run::kResultAborted == archive::kAborted);
static_assert(run::kResultBadData == archive::kBadData);
static_assert(run::kResultCannotRead == archive::kCannotRead);
static_assert(run::kResultPermissionDenied == archive::kPermissionDenied);

void ArchiveComponentAdapter::SetStatusHandler(StatusHandler handler) {
  tester_.OnStatus([handler = std::move(handler)](const archive::StatusEvent& event) {
    handler(run::ArchiveStatus{event.FileName, event.Size, event.Ratio, event.Completion});
  });
}

}  // namespace quarrow::ui
