#pragma once
// Fills a toolbar control from a plan, through its object model as a host
// program does: the tools with their captions, tooltips and states, the
// sub-tools of its menu tools, and its toolbars with their placed tools.
// The tester's stored toolbar state and the demo host are built this way.
#include <windows.h>

#include <span>
#include <string>

#include "MzDeck2_h.h"

namespace mz::client {

// The control's reserved ID of separators.
inline constexpr const wchar_t* kSeparatorId = L"separator";

struct ToolEntry {
  const wchar_t* id;
  Constants_Type type;
  const wchar_t* caption;
  const wchar_t* tooltip = nullptr;  // null: the tool keeps the empty default
  bool checked = false;              // a state button that starts checked
  short ctl_width = 0;               // combo-box and edit tools; 0 keeps the default
};

// A tool placed on a toolbar or in a menu; kSeparatorId places a separator.
struct Placement {
  const wchar_t* id;
  const wchar_t* caption = nullptr;  // null: the tool's own caption
};

struct MenuEntry {
  const wchar_t* menu_id;  // a tool of type menu among the plan's tools
  std::span<const Placement> items;
};

struct ToolbarEntry {
  const wchar_t* name;
  Constants_ToolBarStyle style;
  Constants_DockedStatus dock;
  short row;
  std::span<const Placement> tools;
};

struct DeckPlan {
  std::span<const ToolEntry> tools;
  std::span<const MenuEntry> menus;  // filled in this order, after the tools
  std::span<const ToolbarEntry> toolbars;
};

struct BuildResult {
  HRESULT hr = S_OK;
  std::wstring failed_step;  // on failure, the step that failed

  bool ok() const { return SUCCEEDED(hr); }
};

// Builds the plan into the control; stops at the first step that fails.
BuildResult build_deck(IMzToolBarControl* control, const DeckPlan& plan);

}  // namespace mz::client
