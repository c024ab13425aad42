#pragma once
// The tools and the toolbar the control makes for its own use: the More
// Tools overflow button that toolbars show at their end, the expand tool of
// short personalized menus, and the menu bar that carries the child-window
// buttons of a multiple-document host. None of them is in the host's Tools
// or ToolBars, so none is counted, indexed, enumerated, found by ID, saved,
// removed or cleared by the host.
#include <memory>
#include <string_view>

#include "tool.h"
#include "toolbar.h"

namespace mz {

inline constexpr std::wstring_view kMoreToolsId = L"moretools";
inline constexpr std::wstring_view kExpandId = L"expand";
inline constexpr std::wstring_view kInternalMenuBarName = L"TempMenu";

class InternalTools {
 public:
  InternalTools();

  const std::shared_ptr<Tool>& more_tools() const { return more_tools_; }
  const std::shared_ptr<Tool>& expand() const { return expand_; }

  // The toolbar's More Tools button: a placed tool of the shared More Tools
  // tool, made on first use and kept with the toolbar. It belongs to no
  // placed-tool list.
  PlacedTool& more_tools_button(Toolbar& toolbar) const;

  // The host's internal menu bar, null until it is opened.
  const std::shared_ptr<Toolbar>& menu_bar() const { return menu_bar_; }
  Toolbar& open_menu_bar();
  void close_menu_bar() { menu_bar_.reset(); }

 private:
  std::shared_ptr<Tool> more_tools_;
  std::shared_ptr<Tool> expand_;
  std::shared_ptr<Toolbar> menu_bar_;
};

}  // namespace mz
