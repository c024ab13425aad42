#include "screen_pacer.h"

namespace quarrow::ui {

bool ScreenPacer::Changed(Millis now) {
  waiting_ = true;
  return Due(now);
}

// A clock that went back (it never should) counts as time passed, so the
// display cannot stall.
bool ScreenPacer::Due(Millis now) const {
  return waiting_ && (!lastShown_ || now < *lastShown_ || now - *lastShown_ >= interval_);
}

ScreenPacer::Millis ScreenPacer::UntilDue(Millis now) const {
  if (Due(now) || !waiting_) return Millis{0};
  return interval_ - (now - *lastShown_);
}

void ScreenPacer::Shown(Millis now) {
  lastShown_ = now;
  waiting_ = false;
}

}  // namespace quarrow::ui
