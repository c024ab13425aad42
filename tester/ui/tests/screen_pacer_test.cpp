// The pace of the window's progress display, on a clock the test sets.
#include "screen_pacer.h"

#include <gtest/gtest.h>

namespace quarrow::ui {
namespace {

using Millis = ScreenPacer::Millis;

// Plays `changes` (times at which a value changed) through a pacer that
// shows whenever it is told to, and returns the times it showed.
std::vector<int> ShownAt(const std::vector<int>& changes) {
  ScreenPacer pacer(Millis{33});
  std::vector<int> shown;
  for (const int at : changes) {
    if (pacer.Changed(Millis{at})) {
      pacer.Shown(Millis{at});
      shown.push_back(at);
    }
  }
  return shown;
}

TEST(ScreenPacer, ShowsTheFirstChangeAtOnceAndThenAtMostOncePerInterval) {
  const struct {
    const char* name;
    std::vector<int> changes;
    std::vector<int> shown;
  } cases[] = {
      {"one change", {0}, {0}},
      {"a burst", {100, 101, 102, 110, 132, 133, 134, 165, 166}, {100, 133, 166}},
      {"slow changes", {0, 40, 80, 200}, {0, 40, 80, 200}},
      {"exactly one interval apart", {0, 33, 66}, {0, 33, 66}},
      {"a clock that went back", {1000, 10}, {1000, 10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ShownAt(c.changes), c.shown);
  }
}

TEST(ScreenPacer, AWaitingChangeFallsDueOnceTheIntervalHasPassed) {
  ScreenPacer pacer(Millis{33});
  EXPECT_FALSE(pacer.Waiting());
  EXPECT_FALSE(pacer.Due(Millis{0}));
  ASSERT_TRUE(pacer.Changed(Millis{0}));
  pacer.Shown(Millis{0});
  EXPECT_FALSE(pacer.Due(Millis{50}));  // nothing waits

  EXPECT_FALSE(pacer.Changed(Millis{10}));
  EXPECT_TRUE(pacer.Waiting());
  EXPECT_FALSE(pacer.Due(Millis{32}));
  EXPECT_EQ(pacer.UntilDue(Millis{12}), Millis{21});
  EXPECT_TRUE(pacer.Due(Millis{33}));
  EXPECT_EQ(pacer.UntilDue(Millis{40}), Millis{0});
  pacer.Shown(Millis{40});
  EXPECT_FALSE(pacer.Waiting());
  EXPECT_FALSE(pacer.Due(Millis{100}));
}

}  // namespace
}  // namespace quarrow::ui
