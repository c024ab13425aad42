#pragma once
// Toolbars: named, ordered rows of placed tools, docked in one of the four
// dock areas or floating. The fields are recorded here; the dock manager
// turns them into positions.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dock_code.h"
#include "toolbars/base/opaque_value.h"
#include "tool.h"

namespace mz {

enum class ToolbarStyle : uint8_t { standard = 0, menu_bar = 1 };


// Where the last layout pass put a docked toolbar, in its dock area, and
// what it decided; kept between passes.
struct DockedPlace {
  int left = 0, top = 0, width = 0, height = 0;
  int preferred_offset = 0;  // along its band from the area's near edge
  bool wrapped = false;      // on a later line of its band
  bool compressed = false;   // shortened, or tools in overflow
};

class Toolbar {
 public:
  Toolbar(std::wstring name, ToolbarStyle style);
  Toolbar(const Toolbar&) = delete;
  Toolbar& operator=(const Toolbar&) = delete;

  std::wstring name;
  uint8_t caption_alignment = 3;  // mzRightOfImage
  DockCode docked_status = DockCode::top;
  DockCode return_dock = DockCode::top;  // where a floating toolbar docks again
  uint8_t font3d = 0;
  int16_t docked_row = 1;
  int16_t docked_column = 1;
  DockFlags dock_flags;
  int32_t floating_left = -1, floating_top = -1, floating_width = -1, floating_height = -1;
  // What DockedRow and DockedColumn report while the toolbar floats.
  int16_t floating_row = -1, floating_column = -1;
  // Saved fields that nothing here interprets; they are written back as loaded.
  uint8_t reserved4 = 0;
  int16_t reserved12 = -1, reserved14 = -1;
  bool allow_customize = true;
  bool allow_hiding = true;
  bool display_grab_handles = true;
  bool stock = false;
  bool visible = true;
  bool display_more_tools = false;
  PlacedToolList tools{this, nullptr};
  // Copies of the placed tools taken when a stock toolbar is loaded or when
  // Stock is set; Reset(True) restores them.
  std::optional<std::vector<PlacedTool>> last_loaded;
  Opaque tag;
  bool in_collection = false;  // true while it is in the control's ToolBars
  // The toolbar's own More Tools button, shown after its tools; not one of
  // them. Made on first use (see InternalTools).
  std::shared_ptr<PlacedTool> more_tools_button;
  DockedPlace place;

  ToolbarStyle style() const { return style_; }
  bool is_menu_bar() const { return style_ == ToolbarStyle::menu_bar; }
  bool floating() const { return docked_status == DockCode::floating; }

 private:
  ToolbarStyle style_;
};

class ToolbarCollection {
 public:
  size_t size() const { return items_.size(); }
  const std::shared_ptr<Toolbar>& at(size_t pos) const { return items_[pos]; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  std::shared_ptr<Toolbar> find(std::wstring_view name) const;
  long position_of(const Toolbar* toolbar) const;
  bool has_menu_bar() const;

  // The next free default name, "ToolBar" and a number. The counter starts
  // at 1 with the control and only grows, so a name is never offered twice.
  std::wstring next_default_name();

  void append(std::shared_ptr<Toolbar> toolbar);
  std::shared_ptr<Toolbar> erase(size_t pos);

 private:
  std::vector<std::shared_ptr<Toolbar>> items_;
  int name_counter_ = 1;
};

}  // namespace mz
