#pragma once

#include <chrono>

#include "platform/ports/clock.h"

namespace platform {

// A clock that stays on the date a test gives it.
class SimClock final : public Clock {
 public:
  SimClock(int year, int month, int day) { SetDate(year, month, day); }

  // The weekday follows from the date, as the system clock would report it.
  void SetDate(int year, int month, int day) {
    using namespace std::chrono;
    const year_month_day date{std::chrono::year{year},
                              std::chrono::month{static_cast<unsigned>(month)},
                              std::chrono::day{static_cast<unsigned>(day)}};
    date_ = {year, month, day, static_cast<int>(weekday{sys_days{date}}.c_encoding())};
  }
  // Takes the fields as they are, for dates no real clock reports.
  void SetLocalDate(const LocalDate& date) { date_ = date; }

  LocalDate Today() const override { return date_; }

 private:
  LocalDate date_;
};

}  // namespace platform
