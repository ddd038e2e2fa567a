#pragma once
// Start-up and shut-down of the extended item set: registers its item classes with the
// item-control registry and reads the locale's first day of the week for the date items.
// A counter makes only the first start-up and the last shut-down act.
//
// BarFramework::startUp() starts the set and BarFramework::shutDown() ends it whatever its
// count, since the framework's shut-down empties the registry the set registered into.
#include <optional>
#include <string>

namespace lindora {

class BarExtendedItems {
public:
    static void startUp();
    static void shutDown();
    // Ends the set however often it was started (the framework's shut-down).
    static void shutDownAll();
    static bool isStarted();

    // The first day of the week read at start-up: 0 = Sunday, 1 = Monday, ..., 6 = Saturday.
    static int firstDayOfWeek();
};

// The locale's first day of the week, counted from Monday (0 = Monday ... 6 = Sunday), from
// the two values the C library gives: the date (yyyymmdd) of a day that starts a week, and
// the first weekday numbered from that day (1 = that day ... 7). None when either is invalid.
std::optional<int> weekStartFromLocaleData(long weekOrigin, int firstWeekday);

// The stored form of a Monday-based digit: the digit plus 1, a value above 6 becoming 0, so
// that 0 = Sunday ... 6 = Saturday; 0 when the locale gave none.
int firstDayOfWeekFromDigit(std::optional<int> mondayBasedDigit);

// Reads the first day of the week of a locale ("" for the user's environment) in the stored
// form; 0 when the locale cannot be read.
int readFirstDayOfWeek(const std::string& localeName = "");

}  // namespace lindora
