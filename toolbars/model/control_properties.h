#pragma once
// The control's scalar properties with their defaults (what a new control
// starts with) and the ranges their setters accept.
#include <array>
#include <cstdint>
#include <string>

#include "property_ranges.h"

namespace mz {

struct ControlProperties {
  uint32_t back_color = 0x8000000F;  // system button face
  uint32_t fore_color = 0x80000012;  // system button text
  uint32_t picture_background_mask_color = 0x00C0C0C0;
  int16_t tooltip_delay = 500;
  uint8_t font_source = 0;
  uint8_t menu_animations = 0;
  uint8_t personalized_menus = 1;
  uint8_t picture_background_style = 0;
  uint8_t style = 1;
  bool active_colors = false;
  bool display_context_menu = true;
  bool enabled = true;
  bool picture_background_use_mask = false;
  bool show_shortcuts_in_tooltips = false;
  bool show_tooltips = true;
  bool visible = true;
  bool large_icons = false;
  bool font_set_explicitly = false;
};

// The texts of the customizer and the built-in menus, which the host may
// replace one by one.
constexpr int kCustomizationStringCount = 59;
struct CustomizationString {
  std::wstring text;
  bool set_by_host = false;
};
using CustomizationStrings = std::array<CustomizationString, kCustomizationStringCount>;

}  // namespace mz
