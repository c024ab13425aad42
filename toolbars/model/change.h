#pragma once
// What a change of the object model touched, so that the control can redo
// exactly what it affects: lay a toolbar out again, repaint a tool, or only
// mark itself dirty for the container.
#include <cstdint>

namespace mz {

class Tool;
class Toolbar;
class PlacedToolList;
struct PlacedTool;

enum class ChangeScope : uint8_t {
  data,              // nothing on the screen: tags, texts of the customizer, flags read elsewhere
  tools,             // tools came or went, or one changed its ID: any list may show other tools
  tool_size,         // a tool may take another size (type, caption, picture, width, visibility)
  tool_look,         // a tool looks different at the same size (state, enabled, colours)
  placed_tools,      // the placed tools of one toolbar or menu changed
  toolbars,          // toolbars came or went
  toolbar_position,  // where a toolbar is: dock area, row, column, flags, floating frame, shown or hidden
  toolbar_size,      // a toolbar's tools measure again (caption alignment, grab handles, More Tools)
  toolbar_look,      // a toolbar draws differently at the same size (name, Font3D)
};

struct Change {
  ChangeScope scope;
  // The subject, where there is one: null means "every one of them".
  const Tool* tool = nullptr;
  const PlacedTool* placed = nullptr;
  const Toolbar* toolbar = nullptr;
  const PlacedToolList* list = nullptr;
};

}  // namespace mz
