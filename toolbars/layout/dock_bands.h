#pragma once
// The bands of the four dock areas as plain values: which docked toolbars
// sit in which band of an area and in which order. Rows in the top and bottom
// areas, columns in the left and right ones; band and position numbers are
// 1-based and always dense. A toolbar's row and column read as a point
// (x = column, y = row), so `perp` of it is its band and `pick` its position
// in either orientation. Results are returned; nothing is written back.
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "geometry.h"
#include "toolbars/model/toolbar.h"

namespace mz {

// A toolbar as the bands see it: the caller's handle for it, and whether it
// must be the only toolbar of its band.
struct BandMember {
  int id = 0;
  bool alone = false;
  constexpr bool operator==(const BandMember&) const = default;
};

using Band = std::vector<BandMember>;

struct AreaBands {
  Orientation orientation = Orientation::horizontal;
  std::vector<Band> bands;
};

// A band and a position in it, both from 1.
struct BandSlot {
  int band = 1, position = 1;
  constexpr bool operator==(const BandSlot&) const = default;
};

// A toolbar with its place as the model holds it.
struct DockedToolbar {
  int id = 0;
  DockCode dock = DockCode::top;
  int row = 1, column = 1;
  bool alone = false;
  bool visible = true;
  constexpr bool operator==(const DockedToolbar&) const = default;
};

// A stretched toolbar, and the menu bar in a row, take a band of their own.
bool sits_alone(const Toolbar& toolbar, DockCode dock);
DockedToolbar docked_toolbar_of(const Toolbar& toolbar, int id);

class DockBands {
 public:
  // The visible toolbars docked in the four areas, each area's bands ordered
  // by band and then position number, ties kept in the given order. Gaps in
  // the numbers close, and a toolbar that must sit alone but shares its band
  // number is given a band of its own after the others of that number.
  static DockBands of(std::span<const DockedToolbar> toolbars);

  AreaBands& area(DockCode dock);
  const AreaBands& area(DockCode dock) const;

  // Every toolbar in the areas with the row and column its slot gives.
  std::vector<DockedToolbar> places() const;

 private:
  std::array<AreaBands, 4> areas_{{{Orientation::horizontal, {}},
                                   {Orientation::horizontal, {}},
                                   {Orientation::vertical, {}},
                                   {Orientation::vertical, {}}}};
};

// Enters `member` at `wanted` (band and position as asked; numbers below 1
// count as 1) and returns where it went:
//  - with a new band forced, or a band beyond the last: a band of its own,
//    inserted at the band asked (later bands move one on) or appended;
//  - a toolbar that sits alone, or a band that holds one: the same as forced;
//  - otherwise at the position asked in that band (later toolbars move one
//    on), or appended when the position is beyond the band's last.
BandSlot insert(AreaBands& area, BandMember member, BandSlot wanted, bool new_band);

// Takes the toolbar out: the toolbars after it in its band move one position
// back, and a band left empty goes, the later bands moving one back. Returns
// whether it was alone in its band, or nothing when it is not in the area.
std::optional<bool> remove(AreaBands& area, int id);

// The places of the visible docked toolbars after one of them changed its
// dock, row, column or visibility: it is taken out of its band as `before`
// (its old fields) had it, then, when it is still docked and visible, entered
// at the band and position its new fields in `toolbars` ask for. Every other
// toolbar keeps its band and position, renumbered densely.
std::vector<DockedToolbar> reenter(std::span<const DockedToolbar> toolbars, const DockedToolbar& before);

// The slot a point (in the coordinates of `toolbars`) asks for, given the
// laid-out rectangles of each band's toolbars in band and position order. A
// band spans all its toolbars across the area (wrapped lines included); a
// point on or past a band's far side asks for the band after it (a new one
// after the last), a point before the first band for band 1. Along the band
// asked for, its toolbars are matched the same way; a new band asks for
// position 1.
BandSlot slot_at(std::span<const std::vector<Rect>> toolbars, Orientation o, Point point);

}  // namespace mz
