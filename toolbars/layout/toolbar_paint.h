#pragma once
// The paint input of a laid-out docked toolbar, built from the object model
// and from what marks tools beyond the model (the hot and pressed tool, an
// open menu's tool, the customizer's selection): its frame, its placement and
// one input per tool, all in the coordinates of its dock area so that a dock
// area's image is composed from its own origin.
#include <string>
#include <vector>

#include "dock_layout.h"
#include "paint_plan.h"
#include "tool_images.h"
#include "toolbar_from_model.h"

namespace mz::paint {

// Tool marks the model does not hold.
struct ToolMarks {
  const PlacedTool* hot = nullptr;
  bool pressed = false;   // the hot tool shows pressed
  bool on_arrow = false;  // ... on its dropdown arrow
  const PlacedTool* dropped = nullptr;   // its dropdown or menu is open
  const PlacedTool* selected = nullptr;  // selected in the customizer
};

// The control-wide settings a toolbar's look depends on.
struct DeckPaintLook {
  DeckLook layout;
  bool control_enabled = true;
  bool run_mode = true;
};

struct ToolbarPaint {
  BarFrameInput frame;
  Placement placement;  // in area coordinates
  ToolBarLook bar;
  // One per input tool. `picture` is left empty: the natural size of the
  // picture a state shows is the painter's to find.
  std::vector<ToolPaintInput> tools;
  std::vector<const Tool*> models;  // the tool behind each input tool; null for separators
  std::vector<std::wstring> captions;  // the caption each tool shows
};

// `laid_out` is a docked toolbar's place in its area, whose origin is
// `area_origin`, or a floating toolbar's client area with its tools.
ToolbarPaint toolbar_paint(const Deck& deck, const Toolbar& toolbar, const ModelToolbar& model,
                           const LaidOutToolbar& laid_out, Point area_origin, const DeckPaintLook& look,
                           const ToolMarks& marks, const CaptionCache& captions);

// The caption a placed tool shows: its own name on this toolbar, else its
// tool's, else the tool's ID.
std::wstring shown_caption(const Deck& deck, PlacedTool& placed);

// The state a tool's picture is chosen for.
images::ToolImageState image_state(const ToolState& state, bool active_colors);

}  // namespace mz::paint
