#include "deck_records.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "colour.h"
#include "property_ranges.h"
#include "text_case.h"

namespace mz {
namespace {

using records::PictureKind;

// The tool's picture slot that each strip holds, in strip order.
constexpr std::array<PictureSlot, records::kPictureKinds> kSlotOfKind = {
    PictureSlot::normal, PictureSlot::down, PictureSlot::disabled, PictureSlot::down_disabled};

const PictureRef& picture_of(const Tool& tool, std::size_t kind) {
  return tool.pictures[static_cast<std::size_t>(kSlotOfKind[kind])];
}

template <class T>
T ranged(int64_t value, const PropertyRange& range) {
  return static_cast<T>(range.clamp_or_default(value));
}

Opaque loaded_text(const std::string& text, const RecordPlatform& platform) {
  return text.empty() ? Opaque() : platform.text_value(platform.from_ansi(text));
}

// --- Saving -----------------------------------------------------------------------

records::ToolInstanceRecord instance_from(const std::wstring& id, const PlacedFields& fields,
                                          const RecordPlatform& platform) {
  records::ToolInstanceRecord record;
  record.ForeColorSource = fields.fore_color_source;
  record.DisplayStyle = fields.display_style;
  record.ForeColor = fields.fore_color;
  record.CtlWidth = fields.ctl_width;
  record.VisibleHere = fields.visible_here;
  record.Name = platform.to_ansi(fields.name);
  record.ID = platform.to_ansi(id);
  return record;
}

std::vector<records::ToolInstanceRecord> instances_from(const PlacedToolList& list, const RecordPlatform& platform) {
  std::vector<records::ToolInstanceRecord> out;
  out.reserve(list.size());
  for (const auto& placed : list) out.push_back(instance_from(placed->id, placed->fields, platform));
  return out;
}

records::ToolRecord tool_record(const Tool& tool, const RecordPlatform& platform) {
  records::ToolRecord record;
  record.Instance = instance_from(tool.id, tool.own, platform);
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
  record.Category = platform.to_ansi(tool.category);
  record.Description = platform.to_ansi(tool.description);
  record.Group = platform.to_ansi(tool.group);
  record.ToolTipText = platform.to_ansi(tool.tooltip_text);
  record.TagString = platform.tag_text(tool.tag);
  if (const ComboData* combo = tool.combo()) {
    record.ComboBox.Style = combo->style;
    record.ComboBox.Locked = combo->locked;
    record.ComboBox.Sorted = combo->sorted;
    record.ComboBox.Text = platform.to_ansi(combo->text);
    for (const ComboItem& item : combo->items)
      record.ComboBox.Items.push_back({platform.to_ansi(item.text), platform.item_data_text(item.item_data)});
  }
  if (const EditData* edit = tool.edit()) {
    record.Edit.MaxLength = edit->max_length;
    record.Edit.Locked = edit->locked;
    record.Edit.Text = platform.to_ansi(edit->text);
    record.Edit.PasswordChar = platform.to_ansi(edit->password_char);
  }
  if (const PlacedToolList* menu = tool.menu()) record.Menu.Tools = instances_from(*menu, platform);
  return record;
}

// --- Loading: placed tools ----------------------------------------------------------

PlacedFields fields_from(const records::ToolInstanceRecord& record, const PropertyRange& ctl_width,
                         const RecordPlatform& platform) {
  PlacedFields fields;
  fields.name = platform.from_ansi(record.Name);
  fields.fore_color_source = ranged<uint8_t>(record.ForeColorSource, kForeColorSourceRange);
  fields.display_style = ranged<uint8_t>(record.DisplayStyle, kDisplayStyleRange);
  if (is_valid_ole_colour(record.ForeColor)) fields.fore_color = record.ForeColor;
  fields.ctl_width = ranged<int16_t>(record.CtlWidth, ctl_width);
  fields.visible_here = record.VisibleHere;
  return fields;
}

// Fills a toolbar's or menu's placed tools as the object model would have
// built them: no tool without an ID, and no separator first, last or next to
// another separator.
void load_placed_list(PlacedToolList& list, const std::vector<records::ToolInstanceRecord>& records,
                      const RecordPlatform& platform) {
  for (const auto& record : records) {
    auto placed = std::make_shared<PlacedTool>();
    placed->id = platform.from_ansi(record.ID);
    if (placed->id.empty()) continue;
    if (placed->is_separator()) {
      if (list.empty() || list.at(list.size() - 1)->is_separator()) continue;
      placed->id = kSeparatorId;
    }
    placed->fields = fields_from(record, kPlacedCtlWidthRange, platform);
    list.insert(list.size(), std::move(placed));
  }
  if (!list.empty() && list.at(list.size() - 1)->is_separator()) list.erase(list.size() - 1);
}

// --- Loading: tools -----------------------------------------------------------------

void load_tool_fields(Tool& tool, const records::ToolRecord& record, const RecordPlatform& platform) {
  tool.own = fields_from(record.Instance, kToolCtlWidthRange, platform);
  tool.state = ranged<uint8_t>(record.State, kToolStateRange);
  tool.shortcut = ranged<uint8_t>(record.Shortcut, kShortcutRange);
  tool.menu_visibility = ranged<uint8_t>(record.MenuVisibility, kMenuVisibilityRange);
  tool.picture_size = ranged<int16_t>(record.PictureSize, kPictureSizeRange);
  tool.auto_wrap = record.AutoWrap;
  tool.enabled = record.Enabled;
  tool.group_allow_all_up = record.GroupAllowAllUp;
  tool.visible = record.Visible;
  tool.use_mask_color = record.UseMaskColor;
  tool.kept_flag = record.KeptFlag;
  tool.customizable = record.Customizable;
  tool.recently_used = record.RecentlyUsed;
  tool.category = platform.from_ansi(record.Category);
  tool.description = platform.from_ansi(record.Description);
  tool.group = platform.from_ansi(record.Group);
  tool.tooltip_text = platform.from_ansi(record.ToolTipText);
  tool.tag = loaded_text(record.TagString, platform);
  if (ComboData* combo = tool.combo()) {
    combo->style = ranged<uint8_t>(record.ComboBox.Style, kComboStyleRange);
    combo->locked = record.ComboBox.Locked;
    combo->sorted = record.ComboBox.Sorted;
    combo->text = platform.from_ansi(record.ComboBox.Text);
    for (const records::ComboItem& item : record.ComboBox.Items)
      combo->items.push_back({platform.from_ansi(item.Text), loaded_text(item.ItemData, platform)});
  }
  if (EditData* edit = tool.edit()) {
    edit->max_length = ranged<int16_t>(record.Edit.MaxLength, kEditMaxLengthRange);
    edit->locked = record.Edit.Locked;
    edit->text = platform.from_ansi(record.Edit.Text);
    edit->password_char = platform.from_ansi(record.Edit.PasswordChar);
  }
  if (PlacedToolList* menu = tool.menu()) load_placed_list(*menu, record.Menu.Tools, platform);
}

// The picture of each present kind cut from its strip, or loaded from the
// inline form of data that predates strips. A picture that cannot be read
// is left out.
void load_tool_pictures(Tool& tool, const records::ToolRecord& record, const records::ToolsStream& stream,
                        const std::array<std::size_t, records::kPictureKinds>& cells, const RecordPlatform& platform) {
  for (std::size_t kind = 0; kind < records::kPictureKinds; ++kind) {
    if (!record.HasPicture[kind]) continue;
    PictureRef picture;
    if (!record.InlinePictures[kind].empty()) {
      picture = platform.inline_picture(record.InlinePictures[kind]);
    } else if (!stream.Strips[kind].empty()) {
      auto cut = records::CutStripCell(stream.Strips[kind], cells[kind], record.PictureWidth, record.PictureHeight);
      if (cut) picture = platform.picture_from_pixels(*cut);
    }
    tool.pictures[static_cast<std::size_t>(kSlotOfKind[kind])] = std::move(picture);
  }
}

// One tool to a shortcut key: a later tool with a key already taken loses it.
void settle_shortcuts(const ToolCollection& tools) {
  std::array<bool, kShortcutRange.high + 1> taken{};
  for (const auto& tool : tools) {
    if (tool->shortcut == 0) continue;
    if (taken[tool->shortcut])
      tool->shortcut = 0;
    else
      taken[tool->shortcut] = true;
  }
}

// A group shares the GroupAllowAllUp of its first tool and has at most one
// checked tool, the first.
void settle_groups(const ToolCollection& tools) {
  struct GroupState {
    bool allow_all_up;
    bool checked;
  };
  std::unordered_map<std::wstring, GroupState> groups;
  for (const auto& tool : tools) {
    if (tool->group.empty()) continue;
    auto [it, first] = groups.try_emplace(fold_case(tool->group), GroupState{tool->group_allow_all_up, false});
    tool->group_allow_all_up = it->second.allow_all_up;
    if (tool->state == 1 && it->second.checked) tool->state = 0;
    if (tool->state == 1) it->second.checked = true;
  }
}

// Removes every sub-tool that closes a loop of menus containing each other,
// in one depth-first walk over the menus in collection order: a sub-tool
// that leads back to a menu still being walked is the one left out.
void break_menu_cycles(const ToolCollection& tools) {
  enum class Mark { unvisited, on_path, done };
  std::unordered_map<const Tool*, Mark> marks;
  struct Step {
    Tool* menu_tool;
    std::size_t next;
  };
  for (const auto& root : tools) {
    if (!root->menu() || marks[root.get()] != Mark::unvisited) continue;
    std::vector<Step> path{{root.get(), 0}};
    marks[root.get()] = Mark::on_path;
    while (!path.empty()) {
      Step& step = path.back();
      PlacedToolList& menu = *step.menu_tool->menu();
      if (step.next == menu.size()) {
        marks[step.menu_tool] = Mark::done;
        path.pop_back();
        continue;
      }
      std::shared_ptr<Tool> inner = tools.find(menu.at(step.next)->id);
      if (!inner || !inner->menu()) {
        ++step.next;
        continue;
      }
      Mark& mark = marks[inner.get()];
      if (mark == Mark::done) {
        ++step.next;
      } else if (mark == Mark::on_path) {
        menu.erase(step.next);
      } else {
        ++step.next;
        mark = Mark::on_path;
        path.push_back({inner.get(), 0});
      }
    }
  }
}

// The top-left `width` x `height` of an image. A tool's record holds one
// picture size, its first picture's, and every picture of the tool is read
// back at that size; a strip holds no more of a picture than that.
records::PixelImage cropped(records::PixelImage image, int width, int height) {
  // An image whose pixels do not match its size is left for the strip
  // builder to refuse.
  const bool consistent = image.Width >= 0 && image.Height >= 0 &&
                          image.Pixels.size() == static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height);
  if (!consistent || (image.Width <= width && image.Height <= height)) return image;
  records::PixelImage part{std::min(image.Width, width), std::min(image.Height, height), {}};
  part.Pixels.reserve(static_cast<std::size_t>(part.Width) * static_cast<std::size_t>(part.Height));
  for (int y = 0; y < part.Height; ++y) {
    const auto row = image.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.Width;
    part.Pixels.insert(part.Pixels.end(), row, row + part.Width);
  }
  return part;
}

}  // namespace

bool save_tools(const Deck& deck, const RecordPlatform& platform, std::uint32_t fill, records::ToolsStream& out) {
  std::array<std::vector<records::PixelImage>, records::kPictureKinds> cells;
  for (const auto& tool : deck.tools()) {
    records::ToolRecord record = tool_record(*tool, platform);
    bool sized = false;
    for (std::size_t kind = 0; kind < records::kPictureKinds; ++kind) {
      const PictureRef& picture = picture_of(*tool, kind);
      if (!picture) continue;
      auto pixels = platform.picture_pixels(picture, fill);
      if (!pixels) continue;
      record.HasPicture[kind] = true;
      if (!sized) {
        record.PictureWidth = static_cast<int16_t>(pixels->Width);
        record.PictureHeight = static_cast<int16_t>(pixels->Height);
        sized = true;
      }
      cells[kind].push_back(cropped(std::move(*pixels), record.PictureWidth, record.PictureHeight));
    }
    out.Tools.push_back(std::move(record));
  }
  for (const auto& id : deck.removed_tool_ids()) out.RemovedToolIDs.push_back(platform.to_ansi(id));
  for (std::size_t kind = 0; kind < records::kPictureKinds; ++kind) {
    if (cells[kind].empty()) continue;
    auto strip = records::BuildPictureStrip(cells[kind], fill);
    if (!strip) return false;
    out.Strips[kind] = std::move(*strip);
  }
  return true;
}

std::vector<records::ToolbarRecord> save_toolbars(const Deck& deck, const RecordPlatform& platform) {
  std::vector<records::ToolbarRecord> out;
  out.reserve(deck.toolbars().size());
  for (const auto& toolbar : deck.toolbars()) {
    records::ToolbarRecord record;
    record.CaptionAlignment = toolbar->caption_alignment;
    record.DockedStatus = static_cast<uint8_t>(toolbar->docked_status);
    record.Font3D = toolbar->font3d;
    record.Style = static_cast<uint8_t>(toolbar->style());
    record.Reserved4 = toolbar->reserved4;
    record.ReturnDock = static_cast<uint8_t>(toolbar->return_dock);
    record.DockedColumn = toolbar->docked_column;
    record.DockedRow = toolbar->docked_row;
    record.Reserved12 = toolbar->reserved12;
    record.Reserved14 = toolbar->reserved14;
    record.FloatingRow = toolbar->floating_row;
    record.FloatingColumn = toolbar->floating_column;
    record.DockFlags = toolbar->dock_flags.bits();
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
    record.Name = platform.to_ansi(toolbar->name);
    record.Tools = instances_from(toolbar->tools, platform);
    record.TagString = platform.tag_text(toolbar->tag);
    out.push_back(std::move(record));
  }
  return out;
}

records::LayoutStream save_layout(const Deck& deck, const RecordPlatform& platform) {
  records::LayoutStream layout;
  layout.ToolBars = save_toolbars(deck, platform);
  for (const auto& tool : deck.tools()) layout.Usage.push_back({platform.to_ansi(tool->id), tool->recently_used});
  return layout;
}

void load_tools(Deck& deck, const records::ToolsStream& stream, bool run_time, const RecordPlatform& platform) {
  // Cell k of a strip belongs to the k-th tool, in stream order, with that
  // picture, whether or not the model accepts the tool.
  std::array<std::size_t, records::kPictureKinds> cells{};
  for (const records::ToolRecord& record : stream.Tools) {
    auto added = deck.add_tool(platform.from_ansi(record.Instance.ID), record.Type, -1);
    if (added.ok()) {
      load_tool_fields(*added.value(), record, platform);
      load_tool_pictures(*added.value(), record, stream, cells, platform);
    }
    for (std::size_t kind = 0; kind < records::kPictureKinds; ++kind)
      if (record.HasPicture[kind]) ++cells[kind];
  }
  settle_shortcuts(deck.tools());
  settle_groups(deck.tools());
  break_menu_cycles(deck.tools());
  for (const std::string& id : stream.RemovedToolIDs) {
    const std::wstring wide = platform.from_ansi(id);
    if (wide.empty()) continue;
    if (run_time)
      if (auto tool = deck.tools().find(wide)) deck.remove_tool(tool);
    deck.note_removed_tool(wide);
  }
  // Leaving out a sub-tool above can leave a separator first, last or next to
  // another one in its menu; the menus come out as load_placed_list makes them.
  for (const auto& tool : deck.tools())
    if (PlacedToolList* menu = tool->menu()) menu->take_stray_separators();
}

void load_toolbars(Deck& deck, const std::vector<records::ToolbarRecord>& toolbars, const RecordPlatform& platform) {
  for (const records::ToolbarRecord& record : toolbars) {
    const std::wstring name = platform.from_ansi(record.Name);
    // A style the model does not know is refused like a second menu bar.
    if (record.Style > static_cast<uint8_t>(ToolbarStyle::menu_bar)) continue;
    auto added = deck.add_toolbar(&name, record.Style);
    if (!added.ok()) continue;
    Toolbar& toolbar = *added.value();
    toolbar.caption_alignment = ranged<uint8_t>(record.CaptionAlignment, kCaptionAlignmentRange);
    toolbar.docked_status = dock_code_of(record.DockedStatus).value_or(DockCode::top);
    toolbar.font3d = ranged<uint8_t>(record.Font3D, kFont3DRange);
    toolbar.reserved4 = record.Reserved4;
    toolbar.return_dock = dock_area_of(record.ReturnDock).value_or(DockCode::top);
    toolbar.docked_column = ranged<int16_t>(record.DockedColumn, kDockedColumnRange);
    toolbar.docked_row = ranged<int16_t>(record.DockedRow, kDockedRowRange);
    toolbar.reserved12 = record.Reserved12;
    toolbar.reserved14 = record.Reserved14;
    toolbar.floating_row = record.FloatingRow;
    toolbar.floating_column = record.FloatingColumn;
    toolbar.dock_flags = DockFlags(ranged<int32_t>(record.DockFlags, kDockFlagsRange));
    toolbar.floating_height = record.FloatingHeight;
    toolbar.floating_left = record.FloatingLeft;
    toolbar.floating_top = record.FloatingTop;
    toolbar.floating_width = record.FloatingWidth;
    toolbar.allow_customize = record.AllowCustomize;
    // The menu bar cannot be hidden and has no More Tools button.
    toolbar.allow_hiding = record.AllowHiding && !toolbar.is_menu_bar();
    toolbar.display_grab_handles = record.DisplayGrabHandles;
    toolbar.visible = record.Visible || toolbar.is_menu_bar();
    toolbar.display_more_tools = record.DisplayMoreToolsButton && !toolbar.is_menu_bar();
    load_placed_list(toolbar.tools, record.Tools, platform);
    toolbar.tag = loaded_text(record.TagString, platform);
    toolbar.stock = false;
    toolbar.last_loaded.reset();
    deck.set_stock(toolbar, record.Stock);
  }
}

void load_usage(Deck& deck, const std::vector<records::ToolUsage>& usage, const RecordPlatform& platform) {
  for (const records::ToolUsage& entry : usage)
    if (auto tool = deck.tools().find(platform.from_ansi(entry.ID))) tool->recently_used = entry.RecentlyUsed;
}

}  // namespace mz
