#pragma once
// The control's object model: its tools, toolbars and the rules that tie
// them together (IDs unique and carried to placed tools, groups, shortcuts,
// separators, one menu bar, default toolbar names). The COM objects of the
// control are thin shells over this class; it reports what the host must
// hear about through DeckEvents.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <variant>
#include <vector>

#include "change.h"
#include "internal_tools.h"
#include "toolbars/base/error_code.h"
#include "tool.h"
#include "tool_collection.h"
#include "toolbar.h"

namespace mz {

// The Change argument of ToolBarModified.
enum class Modified : int32_t {
  toolbar_closed = 0,
  toolbar_created = 1,
  toolbar_destroyed = 2,
  toolbar_opened = 3,
  toolbar_resized = 4,
  toolbar_docked = 5,
  toolbar_undocked = 6,
  tool_added = 7,
  tool_removed = 8,
  start_drag = 9,
  end_drag = 10,
  tool_selected = 11,
};

// What an IMzTool object stands for: a tool of the control's Tools (which
// may since have been removed from it) or a placed tool.
struct ToolRef {
  std::shared_ptr<Tool> tool;
  std::shared_ptr<PlacedTool> placed;

  bool is_placed() const { return placed != nullptr; }
};

class DeckEvents {
 public:
  virtual void toolbar_modified(Modified change, const std::shared_ptr<Toolbar>& toolbar,
                                const std::shared_ptr<PlacedTool>& placed) = 0;
  virtual void tool_click(const ToolRef& tool) = 0;
  // Something in the object model changed: the control is dirty, and what
  // the change touched is laid out or painted again.
  virtual void model_changed(const Change& change) = 0;

 protected:
  ~DeckEvents() = default;
};

struct ControlModes {
  bool design_time = false;  // the container says it is not in user mode
  bool customizing = false;
  bool designer = false;  // customizing on behalf of the external designer
};

enum class ChangeAllProperty : int { ctl_width = 0, display_style = 1, fore_color = 2, fore_color_source = 3, name = 4 };
using ChangeAllValue = std::variant<int32_t, std::wstring>;
// Whether ChangeAll takes a text (Name) or a number for this property.
bool change_all_takes_text(int property);

class Deck {
 public:
  explicit Deck(DeckEvents& events) : events_(events) {}
  Deck(const Deck&) = delete;
  Deck& operator=(const Deck&) = delete;

  ControlModes modes;

  const ToolCollection& tools() const { return tools_; }
  const ToolbarCollection& toolbars() const { return toolbars_; }
  const std::vector<std::wstring>& removed_tool_ids() const { return removed_tool_ids_; }
  InternalTools& internal() { return internal_; }
  const InternalTools& internal() const { return internal_; }
  // The More Tools button the toolbar shows after its tools at run time, or
  // null (design time, the button switched off, a menu bar).
  PlacedTool* more_tools_button(Toolbar& toolbar);

  // --- The control's Tools -------------------------------------------------
  // index: 1-based position the new tool takes (0 is the front); negative appends.
  Outcome<std::shared_ptr<Tool>> add_tool(std::wstring_view id, int32_t type, long index);
  void remove_tool(std::shared_ptr<Tool> tool);
  void clear_tools();

  // --- Placed tools of a toolbar or a menu tool -----------------------------
  // Whether the list still belongs to a toolbar or menu tool of the control.
  bool is_live(const PlacedToolList& list) const;
  Outcome<std::shared_ptr<PlacedTool>> add_placed(PlacedToolList& list, std::wstring_view id, int32_t type,
                                                  long index);
  void remove_placed(PlacedToolList& list, size_t pos);
  void clear_placed(PlacedToolList& list);

  // --- Tool properties -------------------------------------------------------
  // The tool a placed tool shows, found through its ID and then kept.
  std::shared_ptr<Tool> tool_of(PlacedTool& placed) const;
  // Tool-level values: a placed tool reads its tool's (or, without one, those
  // of a blank tool or a separator).
  const Tool& read_tool(const ToolRef& ref) const;
  // Tool-level changes: refused on a placed tool.
  Outcome<Tool*> write_tool(const ToolRef& ref);
  PlacedFields& placed_fields(const ToolRef& ref);
  const std::wstring& id_of(const ToolRef& ref) const;

  ErrorCode set_id(const ToolRef& ref, std::wstring_view id);
  ErrorCode set_group(const ToolRef& ref, std::wstring_view group);
  ErrorCode set_group_allow_all_up(const ToolRef& ref, bool allow);
  ErrorCode set_state(const ToolRef& ref, int state);
  // A placed button, state button or drop-down tool clicked by the user: a
  // state button toggles (a checked one stays checked when its group must
  // keep one checked) and ToolClick fires. Opening a menu tool belongs to
  // the menus.
  void click(const std::shared_ptr<PlacedTool>& placed);
  ErrorCode set_shortcut(const ToolRef& ref, int shortcut);
  ErrorCode set_type(const ToolRef& ref, int type);
  ErrorCode set_picture_size(const ToolRef& ref, int size);
  ErrorCode set_menu_visibility(const ToolRef& ref, int visibility);
  bool visible(const ToolRef& ref) const;
  ErrorCode set_visible(const ToolRef& ref, bool visible);
  Outcome<int16_t> ctl_width(const ToolRef& ref) const;
  ErrorCode set_ctl_width(const ToolRef& ref, int width);
  ErrorCode set_fore_color(const ToolRef& ref, uint32_t colour);
  ErrorCode set_fore_color_source(const ToolRef& ref, int source);
  ErrorCode set_display_style(const ToolRef& ref, int style);
  void set_name(const ToolRef& ref, std::wstring_view name);
  ErrorCode change_all(const ToolRef& ref, int property, const ChangeAllValue& value);
  // The placed tool itself, or error 40016 when ref is not placed.
  Outcome<PlacedTool*> placement(const ToolRef& ref) const;
  // The tool whose combo-box, edit or menu data is asked for.
  Outcome<std::shared_ptr<Tool>> sub_object_owner(const ToolRef& ref, ToolType type);

  // --- Toolbars --------------------------------------------------------------
  // name: null asks for the next default name.
  Outcome<std::shared_ptr<Toolbar>> add_toolbar(const std::wstring* name, int32_t style);
  void remove_toolbar(std::shared_ptr<Toolbar> toolbar);
  void clear_toolbars();

  ErrorCode set_toolbar_name(Toolbar& toolbar, std::wstring_view name);
  ErrorCode set_allow_hiding(Toolbar& toolbar, bool allow);
  ErrorCode set_caption_alignment(Toolbar& toolbar, int alignment);
  ErrorCode set_display_more_tools(Toolbar& toolbar, bool display);
  int16_t docked_row(const Toolbar& toolbar) const;
  int16_t docked_column(const Toolbar& toolbar) const;
  ErrorCode set_docked_row(Toolbar& toolbar, int row);
  ErrorCode set_docked_column(Toolbar& toolbar, int column);
  ErrorCode set_docked_status(Toolbar& toolbar, int status);
  ErrorCode set_dock_flags(Toolbar& toolbar, int32_t flags);
  void set_floating_height(Toolbar& toolbar, int32_t height);
  ErrorCode set_font3d(Toolbar& toolbar, int font3d);
  void set_stock(Toolbar& toolbar, bool stock);
  ErrorCode set_toolbar_visible(Toolbar& toolbar, bool visible);
  ErrorCode reset_toolbar(Toolbar& toolbar, bool last_loaded);

  // --- Saved state -------------------------------------------------------------
  // Keeps a copy of every toolbar's placed tools, by name, and of every menu
  // tool's sub-tools, by ID, as the original state that Reset restores.
  void keep_original_state();
  void forget_original_state();
  // Drops every toolbar and tool, the removed-tool list and the original
  // state, without events: the control is about to load a new state.
  void discard_all();
  // Adds an ID to the list of tools the user removed, once.
  void note_removed_tool(std::wstring_view id);

  // Reports a change, also one the caller made to a field directly.
  void changed(const Change& change) { events_.model_changed(change); }

 private:
  struct PendingEvent {
    Modified change;
    std::shared_ptr<Toolbar> toolbar;
    std::shared_ptr<PlacedTool> placed;
  };
  using PendingEvents = std::vector<PendingEvent>;

  template <class Fn>
  void for_each_placed_list(Fn&& fn);
  // Whether `target` is in the menu of `menu_tool` or in a menu below it.
  bool menu_contains(const Tool& menu_tool, const Tool& target) const;
  void take_out_placed(PlacedToolList& list, size_t pos, PendingEvents& events);
  void fire(const PendingEvents& events);
  std::shared_ptr<Toolbar> shared_toolbar(const Toolbar* toolbar) const;
  // Replaces the list's placed tools with copies of `source` whose tools
  // still exist; returns the copies.
  std::vector<std::shared_ptr<PlacedTool>> restore_placed(const std::vector<PlacedTool>& source, PlacedToolList& list);
  // Puts the menus of the menu tools among `placed` back to their original
  // sub-tools, and theirs in turn, each menu once.
  void restore_menus(const std::vector<std::shared_ptr<PlacedTool>>& placed, std::unordered_set<const Tool*>& seen);

  DeckEvents& events_;
  ToolCollection tools_;
  ToolbarCollection toolbars_;
  InternalTools internal_;
  std::vector<std::wstring> removed_tool_ids_;
  std::unordered_set<std::wstring> removed_folded_;  // the same IDs, case-folded
  // Placed tools of each toolbar when saved state was last loaded at run
  // time, by case-folded toolbar name.
  std::unordered_map<std::wstring, std::vector<PlacedTool>> original_toolbars_;
  // Sub-tools of each menu tool at the same moment, by case-folded tool ID.
  std::unordered_map<std::wstring, std::vector<PlacedTool>> original_menus_;
};

}  // namespace mz
