#pragma once
// Builds the plain input of a docked toolbar's extents and tool placement
// from the object model: its shown tools with their sizes, and the toolbar
// and control settings the arithmetic reads. Nothing is written back.
#include <vector>

#include "caption_cache.h"
#include "toolbar_input.h"
#include "toolbars/model/deck.h"

namespace mz {

// The control-wide settings that layout reads.
struct DeckLook {
  int style = 1;  // the control's Style, 0 to 2
  bool large_icons = false;
  bool customizing = false;
  bool customizer_available = true;  // the user may open the customizer
  int font_height = 0;  // of the font that combo-box and edit windows use
};

struct ModelToolbar {
  ToolbarInput input;
  std::vector<PlacedTool*> tools;  // the placed tool behind each input tool
  PlacedTool* more_tools = nullptr;  // the More Tools button when it is shown
};

// Captions not yet in `captions` count as empty: the painter measures them
// before a layout pass.
ModelToolbar toolbar_from_model(Deck& deck, Toolbar& toolbar, const DeckLook& look, const CaptionCache& captions);

}  // namespace mz
