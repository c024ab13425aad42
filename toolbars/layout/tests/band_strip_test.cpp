// The strip of a dock area that a band repaint copies to the window.
#include "band_strip.h"

#include <gtest/gtest.h>

namespace mz {
namespace {

LaidOutToolbar laid_out(int id, int band, Rect rect, bool wrapped = false) {
  return {.id = id, .band = band, .rect = rect, .placement = {}, .wrapped = wrapped};
}

// A top area 400 wide: band 1 holds toolbars 1 and 2 (2 wrapped onto a
// second line), band 2 holds toolbar 3.
const AreaLayout kRows{{laid_out(1, 1, {0, 1, 200, 27}), laid_out(2, 1, {0, 27, 150, 53}, true),
                        laid_out(3, 2, {0, 53, 300, 79})},
                       78};
constexpr Rect kRowArea{0, 0, 400, 80};

// A left area 60 wide and 300 high: band 1 holds toolbars 4 (thin) and 5.
const AreaLayout kColumns{{laid_out(4, 1, {1, 0, 23, 120}), laid_out(5, 1, {1, 120, 27, 250})}, 26};
constexpr Rect kColumnArea{0, 0, 60, 300};

TEST(BandStrip, Table) {
  struct Case {
    const char* name;
    Orientation o;
    Rect area;
    const AreaLayout* layout;
    int id;
    std::optional<Rect> strip;
  };
  const Case cases[] = {
      {"first line: the band's lines, the whole area long", Orientation::horizontal, kRowArea, &kRows, 1,
       Rect{0, 1, 400, 53}},
      {"wrapped onto a later line: only its own line", Orientation::horizontal, kRowArea, &kRows, 2,
       Rect{0, 27, 400, 53}},
      {"a band of its own", Orientation::horizontal, kRowArea, &kRows, 3, Rect{0, 53, 400, 79}},
      {"column: across the band's thickest toolbar", Orientation::vertical, kColumnArea, &kColumns, 4,
       Rect{1, 0, 27, 300}},
      {"toolbar not in the area", Orientation::horizontal, kRowArea, &kRows, 9, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(band_strip(c.o, c.area, *c.layout, c.id), c.strip);
  }
}

}  // namespace
}  // namespace mz
