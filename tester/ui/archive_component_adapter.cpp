#include "archive_component_adapter.h"

namespace quarrow::ui {

void ArchiveComponentAdapter::SetStatusHandler(StatusHandler handler) {
  tester_.OnStatus([handler = std::move(handler)](const archive::StatusEvent& event) {
    handler(run::ArchiveStatus{event.FileName, event.Size, event.Ratio, event.Completion});
  });
}

}  // namespace quarrow::ui
