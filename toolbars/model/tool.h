#pragma once
// Tools and placed tools. A tool is defined once, by its unique ID, in the
// control's Tools; a placed tool is that tool's appearance on one toolbar or
// in one menu: it refers to the tool by ID and carries only the few fields
// that may differ per place.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolbars/base/opaque_value.h"
#include "picture_ref.h"

namespace mz {

enum class ToolType : uint8_t {
  button = 0,
  state_button = 1,
  drop_down = 2,
  drop_down_state = 3,
  combo_box = 4,
  edit = 5,
  label = 6,
  menu = 7,
  separator = 8,
};

constexpr uint32_t kButtonTextColour = 0x80000012;

// The reserved ID of separators, which exist only as placed tools.
inline constexpr std::wstring_view kSeparatorId = L"separator";
bool is_separator_id(std::wstring_view id);

// The fields that a placed tool may hold for itself; a tool keeps its own
// copy for where it is shown without a placement.
struct PlacedFields {
  std::wstring name;
  uint8_t fore_color_source = 0;
  uint8_t display_style = 0;
  uint32_t fore_color = kButtonTextColour;
  int16_t ctl_width = -1;  // -1 on a placed tool: the tool's own width applies
  bool visible_here = true;
};

class Tool;
class Toolbar;
class PlacedToolList;

struct PlacedTool {
  std::wstring id;
  PlacedFields fields;
  // Position in its dock area as the layout last computed it; the size is 0
  // while the tool is not shown there.
  int16_t left = 0, top = 0, width = 0, height = 0;
  bool overflow = false;     // listed in its toolbar's More Tools menu instead
  int16_t line_length = 0;   // a separator that ends a wrapped line: as long as the line
  std::weak_ptr<Tool> link;           // the tool, found through the ID at first use
  PlacedToolList* owner = nullptr;    // null once removed from its toolbar or menu

  bool is_separator() const { return is_separator_id(id); }
};

// The placed tools of one toolbar or one menu tool, in order.
class PlacedToolList {
 public:
  PlacedToolList(Toolbar* toolbar, Tool* menu_tool) : toolbar_(toolbar), menu_tool_(menu_tool) {}
  PlacedToolList(const PlacedToolList&) = delete;
  PlacedToolList& operator=(const PlacedToolList&) = delete;
  ~PlacedToolList();

  Toolbar* toolbar() const { return toolbar_; }
  Tool* menu_tool() const { return menu_tool_; }

  size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  const std::shared_ptr<PlacedTool>& at(size_t pos) const { return items_[pos]; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  // 0-based position of a placed tool of this list, or -1.
  long position_of(const PlacedTool* placed) const;
  // 0-based position of the first placed tool with this ID (ignoring case), or -1.
  long position_of_id(std::wstring_view id) const;

  void insert(size_t pos, std::shared_ptr<PlacedTool> placed);
  std::shared_ptr<PlacedTool> erase(size_t pos);
  // Takes out every placed tool for which `taken` holds, in list order.
  std::vector<std::shared_ptr<PlacedTool>> take_if(const std::function<bool(const PlacedTool&)>& taken);
  // Takes out the separators left first, last or next to another separator.
  std::vector<std::shared_ptr<PlacedTool>> take_stray_separators();

 private:
  Toolbar* toolbar_;
  Tool* menu_tool_;
  std::vector<std::shared_ptr<PlacedTool>> items_;
};

struct ComboItem {
  std::wstring text;
  Opaque item_data;
};

struct ComboData {
  uint8_t style = 0;  // mzComboDropDown 0, mzComboDropDownList 1
  bool locked = false;
  bool sorted = false;
  std::wstring text;
  std::vector<ComboItem> items;
  int16_t list_index = -1;
  int16_t new_index = -1;
};

struct EditData {
  int16_t max_length = 0;
  bool locked = false;
  std::wstring text;
  std::wstring password_char;
};

enum class PictureSlot : uint8_t { normal = 0, disabled = 1, down = 2, down_disabled = 3 };

class Tool {
 public:
  Tool(std::wstring id, ToolType type);
  Tool(const Tool&) = delete;
  Tool& operator=(const Tool&) = delete;

  std::wstring id;
  std::wstring category = L"General";
  std::wstring description;
  std::wstring group;
  std::wstring tooltip_text;
  uint8_t state = 0;
  uint8_t shortcut = 0;
  uint8_t menu_visibility = 0;
  int16_t picture_size = 16;
  bool auto_wrap = false;
  bool enabled = true;
  bool group_allow_all_up = true;
  bool visible = true;
  bool use_mask_color = true;
  bool customizable = true;
  bool recently_used = false;
  // A saved flag that nothing here interprets; it is written back as loaded.
  bool kept_flag = false;
  PlacedFields own;  // the tool's own placed-level values
  std::array<PictureRef, 4> pictures;  // indexed by PictureSlot; null = not present
  Opaque tag;
  bool in_collection = false;  // true while it is in the control's Tools
  bool internal = false;       // one of the control's own tools, never in its Tools

  ToolType type() const { return type_; }
  // Changes the type; the old sub-object is discarded and the new type's
  // one is created with its defaults.
  void set_type(ToolType type);

  ComboData* combo() { return combo_.get(); }
  const ComboData* combo() const { return combo_.get(); }
  EditData* edit() { return edit_.get(); }
  const EditData* edit() const { return edit_.get(); }
  PlacedToolList* menu() { return menu_.get(); }
  const PlacedToolList* menu() const { return menu_.get(); }

 private:
  ToolType type_;
  std::unique_ptr<ComboData> combo_;
  std::unique_ptr<EditData> edit_;
  std::unique_ptr<PlacedToolList> menu_;
};

// A fresh placed tool for a tool: it copies the tool's placed-level values.
std::shared_ptr<PlacedTool> place_tool(const std::shared_ptr<Tool>& tool);
std::shared_ptr<PlacedTool> make_placed_separator();

}  // namespace mz
