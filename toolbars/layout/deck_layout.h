#pragma once
// The deck's docked toolbars laid out in the host window: each visible
// docked toolbar's input is built from the model, the toolbars are arranged
// in the bands of their areas, the areas are cut out of the host's client
// rectangle, and what the pass decided is written into the model (the one
// place that writes it). The last pass is kept to answer what lies under a
// point.
#include <memory>
#include <vector>

#include "caption_cache.h"
#include "dock_layout.h"
#include "hit_test.h"
#include "toolbar_from_model.h"

namespace mz {

struct DeckHit {
  WhereIs where = WhereIs::none;
  std::shared_ptr<Toolbar> toolbar;
  std::shared_ptr<PlacedTool> tool;  // also the toolbar's More Tools button
  Rect tool_rect;                    // the tool's rectangle in host window coordinates
};

class DeckLayout {
 public:
  // Lays out the deck in `inner`, the host's client rectangle in host window
  // coordinates before the cut, and returns the client rectangle left. The
  // bands follow the toolbars' rows and columns with gaps closed, and a
  // toolbar that must sit alone gets a band of its own; the rows and
  // columns themselves stay as the host set them.
  Rect lay_out(Deck& deck, const DeckLook& look, const CaptionCache& captions, Rect inner);

  const DockCut& cut() const { return cut_; }

  // What lies under a point in host window coordinates. Toolbars and tools
  // the model no longer holds are not found.
  DeckHit hit(Point point) const;

  // The size of an area as the control reports it: nothing for an empty
  // area, which is one pixel thick.
  Size area_size(DockCode dock) const;

  // The toolbar laid out as `id` by the last pass and the input it was laid
  // out from; no toolbar when the model no longer holds it.
  struct Source {
    std::shared_ptr<Toolbar> toolbar;
    const ModelToolbar* model = nullptr;
  };
  Source source(int id) const;

 private:
  struct Entry {
    std::weak_ptr<Toolbar> toolbar;
    ModelToolbar model;
  };
  DockCut cut_;
  std::vector<Entry> entries_;  // by toolbar id
};

}  // namespace mz
