#include "internal_tools.h"

#include <string>

namespace mz {

namespace {

std::shared_ptr<Tool> make_internal(std::wstring_view id) {
  auto tool = std::make_shared<Tool>(std::wstring(id), ToolType::button);
  tool->internal = true;
  tool->customizable = false;
  return tool;
}

}  // namespace

InternalTools::InternalTools() : more_tools_(make_internal(kMoreToolsId)), expand_(make_internal(kExpandId)) {}

PlacedTool& InternalTools::more_tools_button(Toolbar& toolbar) const {
  if (!toolbar.more_tools_button) toolbar.more_tools_button = place_tool(more_tools_);
  return *toolbar.more_tools_button;
}

Toolbar& InternalTools::open_menu_bar() {
  if (!menu_bar_) {
    menu_bar_ = std::make_shared<Toolbar>(std::wstring(kInternalMenuBarName), ToolbarStyle::menu_bar);
    menu_bar_->display_grab_handles = false;
  }
  return *menu_bar_;
}

}  // namespace mz
