// The bands of the dock areas: building them from the rows and columns the
// model holds, inserting (with a forced new band), removing with
// renumbering, and the slot a point asks for, in rows and columns.
#include "dock_bands.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

namespace mz {

std::ostream& operator<<(std::ostream& out, const BandSlot& s) {
  return out << "band " << s.band << " position " << s.position;
}
std::ostream& operator<<(std::ostream& out, const DockedToolbar& t) {
  return out << "#" << t.id << " dock " << int(t.dock) << " row " << t.row << " column " << t.column;
}

namespace {

constexpr Orientation kH = Orientation::horizontal;
constexpr Orientation kV = Orientation::vertical;

// A toolbar that shares its band, and one that sits alone.
BandMember m(int id) { return {id, false}; }
BandMember s(int id) { return {id, true}; }

// The ids of an area's toolbars, band by band.
std::vector<std::vector<int>> ids(const AreaBands& area) {
  std::vector<std::vector<int>> result;
  for (const Band& band : area.bands) {
    result.emplace_back();
    for (const BandMember& member : band) result.back().push_back(member.id);
  }
  return result;
}

struct InsertCase {
  const char* name;
  std::vector<Band> before;
  BandMember member;
  BandSlot wanted;
  bool new_band;
  std::vector<std::vector<int>> after;
  BandSlot slot;
};

TEST(DockBands, Insert) {
  const std::vector<Band> two{{m(1), m(2)}, {m(3)}};
  const InsertCase cases[] = {
      {"between two toolbars", two, m(4), {1, 2}, false, {{1, 4, 2}, {3}}, {1, 2}},
      {"first in a band", two, m(4), {1, 1}, false, {{4, 1, 2}, {3}}, {1, 1}},
      {"position beyond the band's last: appended", two, m(4), {1, 9}, false, {{1, 2, 4}, {3}}, {1, 3}},
      {"position below 1 counts as 1", two, m(4), {1, 0}, false, {{4, 1, 2}, {3}}, {1, 1}},
      {"the band after the last: appended", two, m(4), {3, 2}, false, {{1, 2}, {3}, {4}}, {3, 1}},
      {"far beyond the last band: appended, no gap", two, m(4), {7, 1}, false, {{1, 2}, {3}, {4}}, {3, 1}},
      {"forced new band moves the later bands on", two, m(4), {2, 5}, true, {{1, 2}, {4}, {3}}, {2, 1}},
      {"forced new band at the first", two, m(4), {1, 1}, true, {{4}, {1, 2}, {3}}, {1, 1}},
      {"forced beyond the last: appended", two, m(4), {5, 1}, true, {{1, 2}, {3}, {4}}, {3, 1}},
      {"band below 1 counts as 1", two, m(4), {0, 1}, false, {{4, 1, 2}, {3}}, {1, 1}},
      {"a stretched toolbar takes a band of its own", two, s(4), {1, 2}, false, {{4}, {1, 2}, {3}}, {1, 1}},
      {"before a stretched toolbar: new band", {{m(1)}, {s(5)}, {m(3)}}, m(4), {2, 1}, false,
       {{1}, {4}, {5}, {3}}, {2, 1}},
      {"after a stretched toolbar: new band too", {{m(1)}, {s(5)}, {m(3)}}, m(4), {2, 2}, false,
       {{1}, {4}, {5}, {3}}, {2, 1}},
      {"empty area", {}, m(4), {1, 1}, false, {{4}}, {1, 1}},
      {"empty area, band and position beyond", {}, m(4), {3, 2}, false, {{4}}, {1, 1}},
      {"empty area, forced", {}, m(4), {1, 1}, true, {{4}}, {1, 1}},
  };
  for (const InsertCase& c : cases) {
    AreaBands area{kH, c.before};
    EXPECT_EQ(insert(area, c.member, c.wanted, c.new_band), c.slot) << c.name;
    EXPECT_EQ(ids(area), c.after) << c.name;
  }
}

struct RemoveCase {
  const char* name;
  std::vector<Band> before;
  int id;
  std::vector<std::vector<int>> after;
  std::optional<bool> alone;
};

TEST(DockBands, Remove) {
  const std::vector<Band> three{{m(1), m(2), m(6)}, {m(3)}, {m(4), m(5)}};
  const RemoveCase cases[] = {
      {"first of a band: the rest move back", three, 1, {{2, 6}, {3}, {4, 5}}, false},
      {"middle of a band", three, 2, {{1, 6}, {3}, {4, 5}}, false},
      {"only toolbar of band 2 of 3: band 3 becomes band 2", three, 3, {{1, 2, 6}, {4, 5}}, true},
      {"last of the last band", three, 5, {{1, 2, 6}, {3}, {4}}, false},
      {"only toolbar of the area", {{s(7)}}, 7, {}, true},
      {"not in the area", three, 9, {{1, 2, 6}, {3}, {4, 5}}, std::nullopt},
      {"empty area", {}, 9, {}, std::nullopt},
  };
  for (const RemoveCase& c : cases) {
    AreaBands area{kH, c.before};
    EXPECT_EQ(remove(area, c.id), c.alone) << c.name;
    EXPECT_EQ(ids(area), c.after) << c.name;
  }
}

DockedToolbar at(int id, DockCode dock, int row, int column, bool alone = false, bool visible = true) {
  return {.id = id, .dock = dock, .row = row, .column = column, .alone = alone, .visible = visible};
}

// Rows and columns as the model holds them, with gaps, ties, a stretched
// toolbar sharing a band, a floating and a hidden toolbar.
const std::vector<DockedToolbar> kModel{
    at(1, DockCode::top, 3, 2),
    at(2, DockCode::top, 3, 1),
    at(3, DockCode::top, 1, 5),
    at(4, DockCode::top, 1, 5),                // tie with 3: kept in the given order
    at(5, DockCode::top, 3, 4, true),          // stretched in a band of others
    at(6, DockCode::left, 2, 1),               // columns: band 1, position 2
    at(7, DockCode::left, 1, 4),               // band 4 closes up to 2
    at(8, DockCode::left, 1, 1),
    at(9, DockCode::floating, 1, 1),
    at(10, DockCode::top, 2, 1, false, false),  // hidden
    at(11, DockCode::bottom, 1, 1),
};

TEST(DockBands, FromTheModelsRowsAndColumns) {
  const DockBands bands = DockBands::of(kModel);
  EXPECT_EQ(ids(bands.area(DockCode::top)), (std::vector<std::vector<int>>{{3, 4}, {2, 1}, {5}}));
  EXPECT_EQ(ids(bands.area(DockCode::bottom)), (std::vector<std::vector<int>>{{11}}));
  EXPECT_EQ(ids(bands.area(DockCode::left)), (std::vector<std::vector<int>>{{8, 6}, {7}}));
  EXPECT_TRUE(bands.area(DockCode::right).bands.empty());
  EXPECT_EQ(bands.places(), (std::vector<DockedToolbar>{
                                at(3, DockCode::top, 1, 1), at(4, DockCode::top, 1, 2),
                                at(2, DockCode::top, 2, 1), at(1, DockCode::top, 2, 2),
                                at(5, DockCode::top, 3, 1, true), at(11, DockCode::bottom, 1, 1),
                                at(8, DockCode::left, 1, 1), at(6, DockCode::left, 2, 1),
                                at(7, DockCode::left, 1, 2)}));
}

// Inserting and removing renumber the rows of a row area and the columns of
// a column area alike.
TEST(DockBands, RenumberingReachesRowsAndColumns) {
  DockBands bands = DockBands::of(kModel);
  EXPECT_EQ(remove(bands.area(DockCode::top), 2), false);
  EXPECT_EQ(remove(bands.area(DockCode::top), 1), true);
  EXPECT_EQ(insert(bands.area(DockCode::left), m(12), {2, 1}, true), (BandSlot{2, 1}));
  EXPECT_EQ(bands.places(), (std::vector<DockedToolbar>{
                                at(3, DockCode::top, 1, 1), at(4, DockCode::top, 1, 2),
                                at(5, DockCode::top, 2, 1, true), at(11, DockCode::bottom, 1, 1),
                                at(8, DockCode::left, 1, 1), at(6, DockCode::left, 2, 1),
                                at(12, DockCode::left, 1, 2), at(7, DockCode::left, 1, 3)}));
}

// A change of one toolbar's dock fields takes it out of its band and enters
// it again where its new fields ask; the others are renumbered densely.
TEST(DockBands, ReenteringAToolbarAfterItsDockFieldsChange) {
  // Top: band 1 {A1, B2}, band 2 {C3}, band 3 {D4}.
  const std::vector<DockedToolbar> start{at(1, DockCode::top, 1, 1), at(2, DockCode::top, 1, 2),
                                         at(3, DockCode::top, 2, 1), at(4, DockCode::top, 3, 1),
                                         at(5, DockCode::top, 4, 1, true)};
  struct Case {
    const char* name;
    DockedToolbar changed;  // the toolbar's new fields
    std::vector<DockedToolbar> places;
  } cases[] = {
      {"a row beyond the last appends a band",
       at(3, DockCode::top, 9, 1),
       {at(1, DockCode::top, 1, 1), at(2, DockCode::top, 1, 2), at(4, DockCode::top, 2, 1),
        at(5, DockCode::top, 3, 1, true), at(3, DockCode::top, 4, 1)}},
      {"the only toolbar of band 2 leaves: band 3 becomes band 2",
       at(3, DockCode::bottom, 1, 1),
       {at(1, DockCode::top, 1, 1), at(2, DockCode::top, 1, 2), at(4, DockCode::top, 2, 1),
        at(5, DockCode::top, 3, 1, true), at(3, DockCode::bottom, 1, 1)}},
      {"a row holding a stretched toolbar gets a new band there; later bands move down",
       at(1, DockCode::top, 4, 1),
       {at(2, DockCode::top, 1, 1), at(3, DockCode::top, 2, 1), at(4, DockCode::top, 3, 1),
        at(1, DockCode::top, 4, 1), at(5, DockCode::top, 5, 1, true)}},
      {"into a band at a position: later toolbars move one on",
       at(4, DockCode::top, 1, 1),
       {at(4, DockCode::top, 1, 1), at(1, DockCode::top, 1, 2), at(2, DockCode::top, 1, 3),
        at(3, DockCode::top, 2, 1), at(5, DockCode::top, 3, 1, true)}},
      {"hidden: out of the bands",
       at(2, DockCode::top, 1, 2, false, false),
       {at(1, DockCode::top, 1, 1), at(3, DockCode::top, 2, 1), at(4, DockCode::top, 3, 1),
        at(5, DockCode::top, 4, 1, true)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<DockedToolbar> now = start;
    DockedToolbar before{};
    for (DockedToolbar& t : now)
      if (t.id == c.changed.id) {
        before = t;
        t = c.changed;
      }
    std::vector<DockedToolbar> places = reenter(now, before);
    EXPECT_EQ(places, c.places);
  }
}

TEST(DockBands, MenuBarSitsAloneOnlyInRows) {
  Toolbar menu(L"Menu", ToolbarStyle::menu_bar);
  Toolbar plain(L"Plain", ToolbarStyle::standard);
  EXPECT_TRUE(sits_alone(menu, DockCode::top));
  EXPECT_TRUE(sits_alone(menu, DockCode::bottom));
  EXPECT_FALSE(sits_alone(menu, DockCode::left));
  EXPECT_FALSE(sits_alone(plain, DockCode::top));
  plain.dock_flags = DockFlags(DockFlags::kDefault | DockFlags::kStretched);
  EXPECT_TRUE(sits_alone(plain, DockCode::right));

  plain.docked_status = DockCode::left;
  plain.docked_row = 3;
  plain.docked_column = 2;
  plain.visible = false;
  EXPECT_EQ(docked_toolbar_of(plain, 4), at(4, DockCode::left, 3, 2, true, false));
}

// Laid-out toolbars of a row area. Band 1's first toolbar is thicker than
// its second; band 2 wraps, its first line holding a thicker second toolbar
// and its second line the third toolbar.
const std::vector<std::vector<Rect>> kRows{
    {{0, 1, 100, 30}, {100, 1, 150, 27}},
    {{0, 30, 80, 56}, {80, 30, 200, 60}, {0, 60, 60, 86}},
};

struct PointCase {
  Point point;
  BandSlot slot;
};

const PointCase kPoints[] = {
    {{0, 0}, {1, 1}},      // before every band
    {{99, 1}, {1, 1}},     // either side of the boundary between two toolbars
    {{100, 1}, {1, 2}},
    {{149, 1}, {1, 2}},    // either side of a band's far end
    {{150, 1}, {1, 3}},
    {{120, 28}, {1, 2}},   // below the thinner toolbar, still in its band
    {{10, 29}, {1, 1}},    // either side of the boundary between two bands
    {{10, 30}, {2, 1}},
    {{79, 30}, {2, 1}},
    {{80, 30}, {2, 2}},
    {{250, 30}, {2, 3}},   // past the first line's end: before the wrapped toolbar
    {{10, 59}, {2, 1}},    // either side of the boundary between two lines
    {{10, 60}, {2, 3}},
    {{60, 60}, {2, 4}},
    {{10, 85}, {2, 3}},    // either side of the last band's far side
    {{10, 86}, {3, 1}},
    {{500, 500}, {3, 1}},
};

Rect transposed(const Rect& r) { return {r.top, r.left, r.bottom, r.right}; }

TEST(DockBands, SlotFromAPointInRowsAndColumns) {
  std::vector<std::vector<Rect>> columns;
  for (const auto& band : kRows) {
    columns.emplace_back();
    for (const Rect& r : band) columns.back().push_back(transposed(r));
  }
  for (const PointCase& c : kPoints) {
    EXPECT_EQ(slot_at(kRows, kH, c.point), c.slot) << "row area at " << c.point.x << "," << c.point.y;
    EXPECT_EQ(slot_at(columns, kV, {c.point.y, c.point.x}), c.slot)
        << "column area at " << c.point.y << "," << c.point.x;
  }
}

TEST(DockBands, SlotFromAPointInAnEmptyArea) {
  EXPECT_EQ(slot_at({}, kH, {40, 40}), (BandSlot{1, 1}));
  EXPECT_EQ(slot_at({}, kV, {0, 0}), (BandSlot{1, 1}));
}

}  // namespace
}  // namespace mz
