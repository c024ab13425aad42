#pragma once
// Where a toolbar is: one of the four dock areas or floating, and the flags
// that say where it may go, whether it stretches over its dock row and
// whether the user may move it.
#include <cstdint>
#include <optional>

namespace mz {

enum class DockCode : uint8_t { top = 1, bottom = 2, left = 4, right = 8, floating = 16 };

enum class Orientation : uint8_t { horizontal, vertical };

// The dock code of a stored or given number, or nothing.
constexpr std::optional<DockCode> dock_code_of(int64_t value) {
  switch (value) {
    case 1: return DockCode::top;
    case 2: return DockCode::bottom;
    case 4: return DockCode::left;
    case 8: return DockCode::right;
    case 16: return DockCode::floating;
    default: return std::nullopt;
  }
}

// One of the four dock areas (not floating).
constexpr bool is_dock_area(DockCode code) { return code != DockCode::floating; }
constexpr std::optional<DockCode> dock_area_of(int64_t value) {
  auto code = dock_code_of(value);
  return code && is_dock_area(*code) ? code : std::nullopt;
}

// Toolbars docked left or right run down the area; the others run across.
constexpr Orientation orientation_of(DockCode code) {
  return code == DockCode::left || code == DockCode::right ? Orientation::vertical : Orientation::horizontal;
}

class DockFlags {
 public:
  static constexpr int32_t kStretched = 32;
  static constexpr int32_t kPositionLocked = 64;
  static constexpr int32_t kAll = 127;
  static constexpr int32_t kDefault = 31;  // every area and floating

  constexpr DockFlags() = default;
  constexpr explicit DockFlags(int32_t bits) : bits_(bits) {}

  constexpr int32_t bits() const { return bits_; }
  constexpr bool allows(DockCode code) const { return (bits_ & static_cast<int32_t>(code)) != 0; }
  constexpr bool stretched() const { return (bits_ & kStretched) != 0; }
  constexpr bool position_locked() const { return (bits_ & kPositionLocked) != 0; }

  constexpr bool operator==(const DockFlags&) const = default;

 private:
  int32_t bits_ = kDefault;
};

}  // namespace mz
