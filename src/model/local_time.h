#pragma once

// A moment of the local clock, in the calendar's own numbers (month 1-12,
// day 1-31, hour 0-23).
namespace tallowin {

struct LocalTime {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;

  bool operator==(const LocalTime&) const = default;
};

}  // namespace tallowin
