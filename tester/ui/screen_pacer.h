#pragma once
// Paces the window's progress display to the screen. A run sets the entry
// name, size, ratio, progress and title at every entry of an archive, far
// faster than anyone can read them; repainting each value costs more than
// checking the entry. The window keeps the latest values and shows them at
// most once per interval, and always once more when the changes stop.
#include <chrono>
#include <optional>

namespace quarrow::ui {

class ScreenPacer {
 public:
  using Millis = std::chrono::milliseconds;
  // About 30 updates a second.
  static constexpr Millis kInterval{33};

  explicit ScreenPacer(Millis interval = kInterval) : interval_(interval) {}

  // A shown value changed at `now`: true when the display is to be brought
  // up to date at once, false when the change waits.
  bool Changed(Millis now);
  // A waiting change whose time has come at `now`.
  bool Due(Millis now) const;
  bool Waiting() const { return waiting_; }
  // How long from `now` until a waiting change is due.
  Millis UntilDue(Millis now) const;
  // The display was brought up to date at `now`.
  void Shown(Millis now);

 private:
  Millis interval_;
  std::optional<Millis> lastShown_;
  bool waiting_ = false;
};

}  // namespace quarrow::ui
