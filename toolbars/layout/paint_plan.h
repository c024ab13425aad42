#pragma once
// What a docked toolbar and each of its tools look like in a given state and
// style, as plain data a painter executes: which 3-D edges go where, the
// checkerboard of a checked button, the image and caption rectangles, the
// layers of a caption's 3-D effect, arrows, separators and grab bars.
// Colours are named roles the painter maps to the system's colours; nothing
// here draws or measures.
#include <cstdint>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "geometry.h"
#include "tool_metrics.h"
#include "tool_placement.h"
#include "toolbar_input.h"

namespace mz::paint {

enum class Role : uint8_t {
  highlight,     // button highlight
  shadow,        // button shadow
  light,         // 3-D light
  dark_shadow,   // 3-D dark shadow
  button_text,   // button text
  gray_text,     // text of a disabled tool
  black,
  tool_fore,     // the tool's own ForeColor
  control_fore,  // the control's ForeColor
  tooltip_back,
  tooltip_text,
  popup_back,      // a popup menu's background: the control's BackColor
  selection,       // the fill of a highlighted popup item
  selection_text,  // the text of a highlighted popup item
};

// Colours of the upper-left and lower-right sides: raised inner highlight and
// shadow, raised outer light and dark shadow, sunken outer shadow and highlight.
enum class EdgeKind : uint8_t { raised_inner, raised_outer, sunken_outer };

// Which sides of a rectangle an edge draws.
using Sides = uint8_t;
inline constexpr Sides kLeft = 1;
inline constexpr Sides kTop = 2;
inline constexpr Sides kRight = 4;
inline constexpr Sides kBottom = 8;
inline constexpr Sides kAllSides = kLeft | kTop | kRight | kBottom;

struct Edge {
  Rect rect;
  EdgeKind kind = EdgeKind::raised_inner;
  Sides sides = kAllSides;
  constexpr bool operator==(const Edge&) const = default;
};

// A 1-pixel polyline, or a polygon filled and outlined in one colour.
struct Shape {
  std::vector<Point> points;
  Role role = Role::black;
  bool filled = false;
  bool operator==(const Shape&) const = default;
};

// ---- The toolbar: border, grab handle, compressed chevron ----

struct BarFrameInput {
  Rect rect;  // the toolbar's rectangle
  Orientation orientation = Orientation::horizontal;
  DeckStyle style = DeckStyle::office2000;
  bool floating = false;
  bool display_grab_handles = true;
  bool floatable = true;  // DockFlags allow floating
  bool compressed = false;  // some tools are in overflow
  bool display_more_tools_button = false;
};

// Drawn in order: border, grab edges, chevron lines. A floating toolbar's
// frame draws none of them.
struct BarFramePlan {
  std::optional<Edge> border;
  std::vector<Edge> grab;
  std::vector<Shape> chevron;
};

BarFramePlan plan_bar_frame(const BarFrameInput& bar);

// The More Tools button at the end of a toolbar: a small triangle near its
// bottom and, while tools are in overflow, a double chevron pointing along
// the toolbar. All filled in button-text colour.
std::vector<Shape> more_tools_marks(Rect button, Orientation orientation, bool large_icons, bool compressed);

// One arrow of a chevron with its top-left at `at`: a filled ">" 5 pixels
// square pointing along `orientation` (a "v" for a vertical one), `scale`
// times that size.
Shape chevron_arrow(Point at, Orientation orientation, int scale);

// ---- Text ----

// Where the text painter puts a text in its rectangle: alignment codes 0..8
// are left, right and centre, each at the top, middle and bottom. Other
// codes are the platform's drawing flags and are passed on unchanged.
enum class TextAlign : uint8_t { start, end, centre };
struct TextPlacement {
  TextAlign horizontal = TextAlign::start;
  TextAlign vertical = TextAlign::start;
  constexpr bool operator==(const TextPlacement&) const = default;
};
std::optional<TextPlacement> text_placement(int alignment_code);
// The rectangle a text of `extent` takes in `box`.
Rect place_text(Rect box, Size extent, TextPlacement placement);

enum class Font3D : uint8_t { none, raised_light, raised_heavy, inset_light, inset_heavy, drop_shadow };

// The text painter's colours: the three it is given and the platform's
// grayed text drawing.
enum class TextInk : uint8_t { text, highlight, shadow, grayed };

struct TextLayer {
  TextInk ink = TextInk::text;
  Point offset;
  constexpr bool operator==(const TextLayer&) const = default;
};

// The passes that draw a text with an effect, in drawing order. `gray`
// draws plain text grayed; `drop_depth` is the drop shadow's distance.
std::vector<TextLayer> text_layers(Font3D effect, bool gray, int drop_depth);

// The drop shadow's distance for a font: one pixel per ten points, rounded
// up from 3, at least 1.
int drop_shadow_depth(int text_height, int internal_leading, int pixels_per_inch);

// ---- One tool ----

// Whether a tool draws as enabled: in the customizer every tool does;
// otherwise the control must be enabled and, in run mode, the tool too.
bool tool_counts_enabled(bool control_enabled, bool tool_enabled, bool run_mode, bool customizing);

struct ToolState {
  bool hot = false;      // under the mouse, selected by the keyboard or marked in the customizer
  bool pressed = false;  // hot with the primary mouse button down
  bool on_arrow = false; // a dropdown is pressed on its arrow part
  bool dropped = false;  // its dropdown or menu is open
  bool state_checked = false;  // State is checked (shows only on state button types)
  bool enabled = true;   // see tool_counts_enabled
  bool customizing = false;
  bool selected_in_customizer = false;
};

// The toolbar settings a tool's look depends on.
struct ToolBarLook {
  BarLook look;
  Font3D font3d = Font3D::none;
  bool floating = false;
  Rect bar;  // the toolbar's rectangle, in the same coordinates as the tools
};

struct ToolPaintInput {
  ToolType type = ToolType::button;
  uint8_t display_style = 0;
  Rect rect;  // in the dock area's coordinates, so checkerboards line up across tools
  bool line_break = false;  // a separator that ends a line of a wrapped toolbar
  ToolState state;
  bool tool_fore_color = false;  // ForeColorSource is the tool
  bool own_disabled_picture = false;
  Size caption;  // measured extent (+2 each), as a horizontal toolbar draws it
  Size picture;  // natural size of the picture the state shows
};

struct ImagePlan {
  Rect box;   // the image box, a pixel larger than the picture on each side
  Rect dest;  // where the picture goes
  std::optional<Rect> clip;  // large icons: the picture is stretched and clipped
  bool silhouette = false;   // first the picture's shape in highlight, 1 pixel down-right
  constexpr bool operator==(const ImagePlan&) const = default;
};

struct CaptionPlan {
  Rect rect;
  bool rotated = false;  // vertical toolbars draw captions turned by 270 degrees
  Font3D effect = Font3D::none;
  Role colour = Role::control_fore;
  // The text painter's highlight and shadow colours for tool captions.
  Role highlight = Role::highlight;
  Role shadow = Role::black;
  constexpr bool operator==(const CaptionPlan&) const = default;
};

// Drawn in order: separator, arrows, checkerboard, caption, image, black
// frames, button frames.
struct ToolPlan {
  bool own_window = false;  // a combo-box or edit tool of a row draws its own frame
  std::optional<Edge> separator;
  std::vector<Shape> arrows;
  std::optional<Rect> checkerboard;  // see checker_pixel
  std::optional<CaptionPlan> caption;
  std::optional<ImagePlan> image;
  std::vector<Rect> black_frames;  // customizer selection
  std::vector<Edge> frames;
};

// A shown tool's plan (tools in overflow and hidden tools are not painted).
ToolPlan plan_tool(const ToolPaintInput& tool, const ToolBarLook& bar);

// The tooltip window: its client filled in the tooltip colour, a raised
// inner edge on the left and top, a raised outer edge on the right and
// bottom, the text centred and drawn transparently.
struct TooltipPlan {
  Rect fill;
  Role back = Role::tooltip_back;
  std::vector<Edge> edges;
  Rect text;
  Role text_colour = Role::tooltip_text;
};
TooltipPlan plan_tooltip(Rect client, Size text_extent);

// ---- A whole docked or floating toolbar ----

struct PlannedTool {
  std::size_t index = 0;  // of the tool in the toolbar's input
  ToolPlan plan;
};

// Drawn in order: the frame, then the tools clipped to `clip`, then the More
// Tools marks.
struct ToolbarPlan {
  BarFramePlan frame;
  Rect clip;
  std::vector<PlannedTool> tools;  // shown tools only, in order
  std::vector<Shape> more_tools;
};

// The plan of a toolbar from its placement: `tools` holds one input per
// placed tool, whose rectangle and line break the placement supplies, and
// the placement says whether the toolbar is compressed. Tools in overflow
// and hidden tools are not painted.
ToolbarPlan plan_toolbar(const BarFrameInput& frame, const Placement& placement, std::span<const ToolPaintInput> tools,
                         const ToolBarLook& bar);

// Whether the checkerboard sets the pixel at `p`, in dock-area coordinates.
constexpr bool checker_pixel(Point p) { return ((p.x ^ p.y) & 1) == 0; }

}  // namespace mz::paint
