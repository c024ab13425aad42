#include "toolbar_input.h"

namespace mz {

std::vector<bool> stray_separators(std::span<const BarTool> tools) {
  std::vector<bool> stray(tools.size(), false);
  // `open` is the drawn separator not yet followed by a tool.
  bool any_tool = false;
  size_t open = tools.size();
  for (size_t i = 0; i < tools.size(); ++i) {
    if (!tools[i].separator) {
      any_tool = true;
      open = tools.size();
    } else if (!any_tool || open != tools.size()) {
      stray[i] = true;
    } else {
      open = i;
    }
  }
  if (open != tools.size()) stray[open] = true;
  return stray;
}

}  // namespace mz
