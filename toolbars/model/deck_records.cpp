#include "deck_records.h"

#include <algorithm>
#include <array>

#include "com_ptr.h"
#include "persisted_objects.h"
#include "picture_cells.h"
#include "tag_value.h"
#include "variant_args.h"

namespace mz::com {
namespace {

using records::PictureKind;

// The tool's picture slot that each strip holds, in strip order.
constexpr std::array<PictureSlot, records::kPictureKinds> kSlotOfKind = {
    PictureSlot::normal, PictureSlot::down, PictureSlot::disabled, PictureSlot::down_disabled};

Opaque& picture_of(Tool& tool, std::size_t kind) {
  return tool.pictures[static_cast<std::size_t>(kSlotOfKind[kind])];
}

ComPtr<IPictureDisp> picture_object(const Opaque& slot) {
  Variant value;
  if (FAILED(read_value(slot, value.get())) || V_VT(value.get()) != VT_DISPATCH || !V_DISPATCH(value.get()))
    return nullptr;
  ComPtr<IPictureDisp> picture;
  V_DISPATCH(value.get())->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(picture.put()));
  return picture;
}

HRESULT store_picture(IPictureDisp* picture, Opaque& slot) {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_DISPATCH;
  V_DISPATCH(&value) = picture;  // store_value takes its own reference
  return store_value(value, slot);
}

template <class T>
T in_range(int value, int low, int high, T fallback) {
  return value >= low && value <= high ? static_cast<T>(value) : fallback;
}

PlacedFields fields_from(const records::ToolInstanceRecord& record, int16_t default_width) {
  PlacedFields fields;
  fields.name = from_ansi(record.Name);
  fields.fore_color_source = in_range<uint8_t>(record.ForeColorSource, 0, 1, 0);
  fields.display_style = in_range<uint8_t>(record.DisplayStyle, 0, 3, 0);
  fields.fore_color = record.ForeColor;
  fields.ctl_width = record.CtlWidth >= 1 || record.CtlWidth == -1 ? record.CtlWidth : default_width;
  fields.visible_here = record.VisibleHere;
  return fields;
}

records::ToolInstanceRecord instance_from(const std::wstring& id, const PlacedFields& fields) {
  records::ToolInstanceRecord record;
  record.ForeColorSource = fields.fore_color_source;
  record.DisplayStyle = fields.display_style;
  record.ForeColor = fields.fore_color;
  record.CtlWidth = fields.ctl_width;
  record.VisibleHere = fields.visible_here;
  record.Name = to_ansi(fields.name);
  record.ID = to_ansi(id);
  return record;
}

std::shared_ptr<PlacedTool> placed_from(const records::ToolInstanceRecord& record) {
  auto placed = std::make_shared<PlacedTool>();
  placed->id = from_ansi(record.ID);
  placed->fields = fields_from(record, -1);
  return placed;
}

std::string item_data_text(const Opaque& data) {
  Variant value;
  if (FAILED(read_value(data, value.get()))) return {};
  auto text = text_argument(*value.get());
  return text ? to_ansi(*text) : std::string();
}

records::ToolRecord tool_record(const Tool& tool) {
  records::ToolRecord record;
  record.Instance = instance_from(tool.id, tool.own);
  record.State = tool.state;
  record.Type = static_cast<uint8_t>(tool.type());
  record.Shortcut = tool.shortcut;
  record.MenuVisibility = tool.menu_visibility;
  record.PictureSize = tool.picture_size;
  record.AutoWrap = tool.auto_wrap;
  record.Enabled = tool.enabled;
  record.GroupAllowAllUp = tool.group_allow_all_up;
  record.Visible = tool.visible;
  record.UseMaskColor = tool.use_mask_color;
  record.KeptFlag = tool.kept_flag;
  record.Customizable = tool.customizable;
  record.RecentlyUsed = tool.recently_used;
  record.Category = to_ansi(tool.category);
  record.Description = to_ansi(tool.description);
  record.Group = to_ansi(tool.group);
  record.ToolTipText = to_ansi(tool.tooltip_text);
  record.TagString = tag_text(tool.tag);
  if (const ComboData* combo = tool.combo()) {
    record.ComboBox.Style = combo->style;
    record.ComboBox.Locked = combo->locked;
    record.ComboBox.Sorted = combo->sorted;
    record.ComboBox.Text = to_ansi(combo->text);
    for (const ComboItem& item : combo->items)
      record.ComboBox.Items.push_back({to_ansi(item.text), item_data_text(item.item_data)});
  }
  if (const EditData* edit = tool.edit()) {
    record.Edit.MaxLength = edit->max_length;
    record.Edit.Locked = edit->locked;
    record.Edit.Text = to_ansi(edit->text);
    record.Edit.PasswordChar = to_ansi(edit->password_char);
  }
  if (const PlacedToolList* menu = tool.menu())
    for (const auto& placed : *menu) record.Menu.Tools.push_back(instance_from(placed->id, placed->fields));
  return record;
}

void load_tool_fields(Tool& tool, const records::ToolRecord& record) {
  tool.own = fields_from(record.Instance, 75);
  tool.state = in_range<uint8_t>(record.State, 0, 1, 0);
  tool.shortcut = in_range<uint8_t>(record.Shortcut, 0, kLastShortcut, 0);
  tool.menu_visibility = in_range<uint8_t>(record.MenuVisibility, 0, 1, 0);
  tool.picture_size = in_range<int16_t>(record.PictureSize, kMinPictureSize, kMaxPictureSize, kMinPictureSize);
  tool.auto_wrap = record.AutoWrap;
  tool.enabled = record.Enabled;
  tool.group_allow_all_up = record.GroupAllowAllUp;
  tool.visible = record.Visible;
  tool.use_mask_color = record.UseMaskColor;
  tool.kept_flag = record.KeptFlag;
  tool.customizable = record.Customizable;
  tool.recently_used = record.RecentlyUsed;
  tool.category = from_ansi(record.Category);
  tool.description = from_ansi(record.Description);
  tool.group = from_ansi(record.Group);
  tool.tooltip_text = from_ansi(record.ToolTipText);
  load_tag_text(record.TagString, tool.tag);
  if (ComboData* combo = tool.combo()) {
    combo->style = in_range<uint8_t>(record.ComboBox.Style, 0, 1, 0);
    combo->locked = record.ComboBox.Locked;
    combo->sorted = record.ComboBox.Sorted;
    combo->text = from_ansi(record.ComboBox.Text);
    for (const records::ComboItem& item : record.ComboBox.Items) {
      ComboItem loaded{from_ansi(item.Text), {}};
      load_tag_text(item.ItemData, loaded.item_data);
      combo->items.push_back(std::move(loaded));
    }
  }
  if (EditData* edit = tool.edit()) {
    edit->max_length = record.Edit.MaxLength >= 0 ? record.Edit.MaxLength : 0;
    edit->locked = record.Edit.Locked;
    edit->text = from_ansi(record.Edit.Text);
    edit->password_char = from_ansi(record.Edit.PasswordChar);
  }
  if (PlacedToolList* menu = tool.menu())
    for (const auto& sub : record.Menu.Tools) menu->insert(menu->size(), placed_from(sub));
}

// The picture of each present kind cut from its strip, or loaded from the
// inline form of data that predates strips. A picture that cannot be read
// is left out.
void load_tool_pictures(Tool& tool, const records::ToolRecord& record, const records::ToolsStream& stream,
                        const std::array<std::size_t, records::kPictureKinds>& cells) {
  for (std::size_t kind = 0; kind < records::kPictureKinds; ++kind) {
    if (!record.HasPicture[kind]) continue;
    ComPtr<IPictureDisp> picture;
    if (!record.InlinePictures[kind].empty()) {
      load_picture(record.InlinePictures[kind], picture.put());
    } else if (!stream.Strips[kind].empty()) {
      auto cut = records::CutStripCell(stream.Strips[kind], cells[kind], record.PictureWidth, record.PictureHeight);
      if (cut) picture_from_pixels(*cut, picture.put());
    }
    if (picture) store_picture(picture.get(), picture_of(tool, kind));
  }
}

}  // namespace

std::string to_ansi(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring from_ansi(std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(size, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

std::string tag_text(const Opaque& tag) {
  Variant value;
  if (FAILED(read_value(tag, value.get()))) return {};
  auto text = string_argument(*value.get());
  return text ? to_ansi(*text) : std::string();
}

void load_tag_text(const std::string& text, Opaque& tag) {
  tag.reset();
  if (text.empty()) return;
  const std::wstring wide = from_ansi(text);
  Variant value;
  V_VT(value.get()) = VT_BSTR;
  V_BSTR(value.get()) = SysAllocStringLen(wide.c_str(), static_cast<UINT>(wide.size()));
  store_value(*value.get(), tag);
}

HRESULT save_tools(Deck& deck, std::uint32_t fill, records::ToolsStream& out) {
  std::array<std::vector<records::PixelImage>, records::kPictureKinds> cells;
  for (const auto& tool : deck.tools()) {
    records::ToolRecord record = tool_record(*tool);
    bool sized = false;
    for (std::size_t kind = 0; kind < records::kPictureKinds; ++kind) {
      Opaque& slot = picture_of(*tool, kind);
      if (slot.empty()) continue;
      auto pixels = picture_pixels(picture_object(slot).get(), fill);
      if (!pixels) {
        slot.reset();
        continue;
      }
      record.HasPicture[kind] = true;
      if (!sized) {
        record.PictureWidth = static_cast<int16_t>(pixels->Width);
        record.PictureHeight = static_cast<int16_t>(pixels->Height);
        sized = true;
      }
      cells[kind].push_back(std::move(*pixels));
    }
    out.Tools.push_back(std::move(record));
  }
  for (const auto& id : deck.removed_tool_ids()) out.RemovedToolIDs.push_back(to_ansi(id));
  for (std::size_t kind = 0; kind < records::kPictureKinds; ++kind) {
    if (cells[kind].empty()) continue;
    auto strip = records::BuildPictureStrip(cells[kind], fill);
    if (!strip) return E_OUTOFMEMORY;
    out.Strips[kind] = std::move(*strip);
  }
  return S_OK;
}

std::vector<records::ToolbarRecord> save_toolbars(const Deck& deck) {
  std::vector<records::ToolbarRecord> out;
  out.reserve(deck.toolbars().size());
  for (const auto& toolbar : deck.toolbars()) {
    records::ToolbarRecord record;
    record.CaptionAlignment = toolbar->caption_alignment;
    record.DockedStatus = toolbar->docked_status;
    record.Font3D = toolbar->font3d;
    record.Style = static_cast<uint8_t>(toolbar->style());
    record.Reserved4 = toolbar->reserved4;
    record.ReturnDock = toolbar->return_dock;
    record.DockedColumn = toolbar->docked_column;
    record.DockedRow = toolbar->docked_row;
    record.Reserved12 = toolbar->reserved12;
    record.Reserved14 = toolbar->reserved14;
    record.FloatingRow = toolbar->floating_row;
    record.FloatingColumn = toolbar->floating_column;
    record.DockFlags = toolbar->dock_flags;
    record.FloatingHeight = toolbar->floating_height;
    record.FloatingLeft = toolbar->floating_left;
    record.FloatingTop = toolbar->floating_top;
    record.FloatingWidth = toolbar->floating_width;
    record.AllowCustomize = toolbar->allow_customize;
    record.AllowHiding = toolbar->allow_hiding;
    record.DisplayGrabHandles = toolbar->display_grab_handles;
    record.Stock = toolbar->stock;
    record.Visible = toolbar->visible;
    record.DisplayMoreToolsButton = toolbar->display_more_tools;
    record.Name = to_ansi(toolbar->name);
    for (const auto& placed : toolbar->tools) record.Tools.push_back(instance_from(placed->id, placed->fields));
    record.TagString = tag_text(toolbar->tag);
    out.push_back(std::move(record));
  }
  return out;
}

records::LayoutStream save_layout(const Deck& deck) {
  records::LayoutStream layout;
  layout.ToolBars = save_toolbars(deck);
  for (const auto& tool : deck.tools()) layout.Usage.push_back({to_ansi(tool->id), tool->recently_used});
  return layout;
}

void load_tools(Deck& deck, const records::ToolsStream& stream, const LoadRules& rules) {
  // Cell k of a strip belongs to the k-th tool, in stream order, with that
  // picture, whether or not the model accepts the tool.
  std::array<std::size_t, records::kPictureKinds> cells{};
  for (const records::ToolRecord& record : stream.Tools) {
    auto added = deck.add_tool(from_ansi(record.Instance.ID), record.Type, -1);
    if (added.ok()) {
      load_tool_fields(*added.value, record);
      load_tool_pictures(*added.value, record, stream, cells);
    }
    for (std::size_t kind = 0; kind < records::kPictureKinds; ++kind)
      if (record.HasPicture[kind]) ++cells[kind];
  }
  for (const std::string& id : stream.RemovedToolIDs) {
    const std::wstring wide = from_ansi(id);
    if (rules.run_time)
      if (auto tool = deck.tools().find(wide)) deck.remove_tool(tool);
    deck.note_removed_tool(wide);
  }
}

void load_toolbars(Deck& deck, const std::vector<records::ToolbarRecord>& toolbars, const LoadRules&) {
  for (const records::ToolbarRecord& record : toolbars) {
    const std::wstring name = from_ansi(record.Name);
    auto added = deck.add_toolbar(&name, record.Style == 1 ? 1 : 0);
    if (!added.ok()) continue;
    Toolbar& toolbar = *added.value;
    toolbar.caption_alignment = in_range<uint8_t>(record.CaptionAlignment, 0, 3, 3);
    toolbar.docked_status = is_dock_code(record.DockedStatus) ? record.DockedStatus : static_cast<uint8_t>(dock_top);
    toolbar.font3d = in_range<uint8_t>(record.Font3D, 0, 5, 0);
    toolbar.reserved4 = record.Reserved4;
    toolbar.return_dock = is_dock_area(record.ReturnDock) ? record.ReturnDock : static_cast<uint8_t>(dock_top);
    toolbar.docked_column = record.DockedColumn;
    toolbar.docked_row = record.DockedRow;
    toolbar.reserved12 = record.Reserved12;
    toolbar.reserved14 = record.Reserved14;
    toolbar.floating_row = record.FloatingRow;
    toolbar.floating_column = record.FloatingColumn;
    toolbar.dock_flags = in_range<int32_t>(record.DockFlags, 0, kAllDockFlags, 31);
    toolbar.floating_height = record.FloatingHeight;
    toolbar.floating_left = record.FloatingLeft;
    toolbar.floating_top = record.FloatingTop;
    toolbar.floating_width = record.FloatingWidth;
    toolbar.allow_customize = record.AllowCustomize;
    // The menu bar cannot be hidden.
    toolbar.allow_hiding = record.AllowHiding && !toolbar.is_menu_bar();
    toolbar.display_grab_handles = record.DisplayGrabHandles;
    toolbar.visible = record.Visible || toolbar.is_menu_bar();
    toolbar.display_more_tools = record.DisplayMoreToolsButton;
    for (const auto& placed : record.Tools) toolbar.tools.insert(toolbar.tools.size(), placed_from(placed));
    load_tag_text(record.TagString, toolbar.tag);
    toolbar.stock = false;
    toolbar.last_loaded.reset();
    deck.set_stock(toolbar, record.Stock);
  }
}

void load_usage(Deck& deck, const std::vector<records::ToolUsage>& usage) {
  for (const records::ToolUsage& entry : usage)
    if (auto tool = deck.tools().find(from_ansi(entry.ID))) tool->recently_used = entry.RecentlyUsed;
}

}  // namespace mz::com
