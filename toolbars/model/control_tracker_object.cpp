// What the control answers its tracker window: colours and tooltips (the
// part of the control under a point is answered with the docked toolbars).
#include "control_object.h"
#include "tooltip_rules.h"

namespace mz::com {

// The system's colours changed: the placeholder and the dock areas in the
// host's frame are drawn again with the new ones (the tools' images follow
// the button colours by themselves).
void ControlObject::refresh_colours() {
  dock_painter_.invalidate_background();
  if (view_sink_ && (view_aspects_ & DVASPECT_CONTENT)) view_sink_->OnViewChange(DVASPECT_CONTENT, -1);
  if (!redraw_) return;
  if (HWND placeholder = site_.placeholder())
    RedrawWindow(placeholder, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  if (HWND host = site_.host_window()) RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

std::optional<std::wstring> ControlObject::tooltip_text(const std::wstring& id) {
  if (!properties_.show_tooltips) return std::nullopt;
  const std::shared_ptr<Tool> tool = deck_.tools().find(id);
  if (!tool) return std::nullopt;
  return menus::tooltip_text(tool->tooltip_text, tool->own.name, tool->shortcut,
                             properties_.show_shortcuts_in_tooltips);
}

}  // namespace mz::com
