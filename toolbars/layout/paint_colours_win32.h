#pragma once
// The colours behind the paint plan's roles.
#include <windows.h>

#include <array>
#include <cstddef>

#include "paint_plan.h"

namespace mz::paint {

// A COLORREF, or with the high bit set a system colour index, as the colour
// it stands for.
COLORREF resolved_colour(COLORREF colour);

class Colours {
 public:
  // The system's button, tooltip and selection colours, the button face
  // behind popups, the control's ForeColor for both the control's and the
  // tools' foreground. Read once per paint.
  static Colours system(COLORREF control_fore);

  COLORREF operator()(Role role) const { return colours_[index(role)]; }
  // A copy with one role's colour replaced (a tool's ForeColor, or a test's
  // own colours).
  Colours with(Role role, COLORREF colour) const;

 private:
  static constexpr std::size_t kRoles = static_cast<std::size_t>(Role::selection_text) + 1;
  static constexpr std::size_t index(Role role) { return static_cast<std::size_t>(role); }

  std::array<COLORREF, kRoles> colours_{};
};

}  // namespace mz::paint
