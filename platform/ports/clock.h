#pragma once

namespace platform {

// A calendar date in the user's local time zone.
struct LocalDate {
  int year = 0;
  int month = 0;    // 1..12
  int day = 0;      // 1..31
  int weekday = 0;  // 0 = Sunday .. 6 = Saturday
};

// The system clock as the subsystems see it: only the local date is needed so far.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDate Today() const = 0;
};

}  // namespace platform
