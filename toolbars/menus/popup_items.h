#pragma once
// What the items of a popup menu look like: each item's size and, for an
// item in a state, a plain-data plan of its fill, lines, marks, image,
// caption and shortcut that the popup painter executes. Texts come in as
// measured extents; nothing here draws or measures.
//
// An item is laid out from left to right: the image column (the image box,
// P + 2 square, 2 pixels in from the left edge and from the column's right
// end), the caption, then an edit or combo-box window or the shortcut text,
// and the arrow column at the right end that holds a submenu's arrow. Every
// item keeps the image and arrow columns, so captions and shortcuts line up
// down the popup.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "toolbars/layout/geometry.h"
#include "toolbars/layout/paint_plan.h"
#include "toolbars/layout/tool_images.h"
#include "toolbars/model/tool.h"

namespace mz::menus {

inline constexpr int kPopupSeparatorHeight = 6;
// The expand tool: two chevrons 9 pixels high with 2 pixels above and below.
inline constexpr int kPopupExpandHeight = 13;
// Between the image column and the caption.
inline constexpr int kPopupCaptionGap = 4;
// Between an edit or combo-box caption and its window.
inline constexpr int kPopupControlGap = 4;
// At least this much between a caption and its shortcut text.
inline constexpr int kPopupShortcutGap = 16;
// The right end of every item, where a submenu's arrow goes.
inline constexpr int kPopupArrowColumn = 16;

// The picture size a popup uses: 16 unless a tool's PictureSize is larger.
int popup_picture_size(int largest_picture_size);

// The image column's width for a picture size (the image box and 2 pixels
// on each side).
constexpr int popup_image_column(int picture_size) { return picture_size + 6; }

struct PopupItemInput {
  ToolType type = ToolType::button;
  uint8_t display_style = 0;
  bool expand = false;          // the expand tool of a personalized popup
  bool tool_fore_color = false;  // ForeColorSource is the tool: its caption is in the tool's ForeColor
  Size caption;                 // measured caption extent (+2 each); edit/combo: of "Caption:"
  Size shortcut;                // measured extent of the shortcut text (+2 each); {} when none
  int ctl_width = 0;            // edit and combo-box tools: the width of their window
  int ctl_height = 0;           // and its height
};

// Every shown item's size in order (picture_size for the whole popup, see
// popup_picture_size): each item's own height; all items as wide as the
// widest, so highlights span the popup. Negative extents count as 0 and
// sums past INT_MAX are clamped to it.
std::vector<Size> popup_item_sizes(std::span<const PopupItemInput> items, int picture_size);

// The items stacked top to bottom from y = 0 without gaps; a bottom past
// INT_MAX is clamped to it.
std::vector<Rect> stack_popup_items(std::span<const Size> sizes);

struct PopupItemState {
  bool hot = false;
  bool enabled = true;
  bool checked = false;       // State checked; shows on the state-button and drop-down-state types only
  bool submenu_open = false;  // its submenu is open (drawn like hot)
  bool rarely_used = false;
  bool run_starts = false, run_ends = false;  // of a run of rarely used items
};

// The image state of an item for choosing its picture: a checked state
// button shows its down picture, an open submenu counts as hot, and with
// ActiveColors an enabled item that is not hot shows its gray picture.
images::ToolImageState popup_image_state(ToolType type, const PopupItemState& state, bool active_colors);

struct PopupFill {
  Rect rect;
  paint::Role role = paint::Role::selection;
  constexpr bool operator==(const PopupFill&) const = default;
};

// Drawn in order over the item's rectangle filled with the popup background:
// fill, edges, marks, image, caption, shortcut. Nothing is drawn over
// `control`, where the popup puts the edit or combo-box window.
struct PopupItemPlan {
  Rect rect;
  std::optional<PopupFill> fill;     // the selection, or the rarely used block
  std::vector<paint::Edge> edges;    // run edges, the separator line, the checked image box
  std::vector<paint::Shape> marks;   // submenu arrow, expand chevrons, check mark
  std::optional<paint::ImagePlan> image;
  std::optional<paint::CaptionPlan> caption;   // the caption with its "&" marker
  std::optional<paint::CaptionPlan> shortcut;  // drawn right-aligned in its rectangle
  std::optional<Rect> control;
};

// The plan of a shown item at `rect` (as stack_popup_items places it).
// `picture` is the natural size of the picture the state shows ({} for
// none); `own_disabled_picture` says a disabled item's picture is one the
// host gave, so it needs no silhouette.
PopupItemPlan plan_popup_item(const PopupItemInput& item, Rect rect, const PopupItemState& state, int picture_size,
                              Size picture, bool own_disabled_picture);

// The triangle of a scroll area: 8 pixels wide and 4 high, centred, filled
// in button-text colour, pointing up or down.
paint::Shape scroll_arrow(Rect area, bool up);

}  // namespace mz::menus
