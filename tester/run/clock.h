#pragma once
// The local clock as the run engine reads it: run times and the dates of
// the result files.
namespace quarrow::run {

struct LocalTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;

  // Local time of day in seconds, with the clock's fraction.
  virtual float SecondsSinceMidnight() = 0;
  virtual LocalTime Now() = 0;
};

}  // namespace quarrow::run
