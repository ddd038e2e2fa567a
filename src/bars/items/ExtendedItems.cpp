#include "bars/items/ExtendedItems.h"

#include <chrono>
#include <iterator>

#if __has_include(<langinfo.h>)
#include <langinfo.h>
#include <locale.h>
#endif

#include "bars/items/BarProgressItem.h"
#include "bars/items/BarStatic.h"
#include "bars/model/BarFramework.h"
#include "bars/model/ItemControlClass.h"
#include "base/ClassInfo.h"

namespace lindora {

namespace {

// Plain values without destructors: the framework's exit-time shut-down may reach them after
// other statics are gone.
constinit int startCount = 0;
constinit int firstDay = 0;

struct ExtendedClass {
    const ClassInfo& (*itemClass)();
    const ItemControlClass& controlClass;
};

// In registration order; unregistered in the reverse order. A constant table, so that it is
// still there for the exit-time shut-down.
constexpr ExtendedClass extendedClasses[] = {
    {&BarStatic::classInfo, itemcontrols::BarStaticControl},
    {&BarProgressItem::classInfo, itemcontrols::BarProgressControl},
};

void registerClasses() {
    for (const ExtendedClass& c : extendedClasses)
        BarFramework::registry().registerBarItem(c.itemClass(), c.controlClass, true);
}

void unregisterClasses() {
    for (auto it = std::rbegin(extendedClasses); it != std::rend(extendedClasses); ++it)
        BarFramework::registry().unregisterBarItem(it->itemClass());
}

}  // namespace

void BarExtendedItems::startUp() {
    if (startCount++ > 0) return;
    firstDay = readFirstDayOfWeek();
    registerClasses();
}

void BarExtendedItems::shutDown() {
    if (startCount == 0) return;
    if (--startCount > 0) return;
    unregisterClasses();
}

void BarExtendedItems::shutDownAll() {
    if (startCount == 0) return;
    startCount = 1;
    shutDown();
}

bool BarExtendedItems::isStarted() { return startCount > 0; }

int BarExtendedItems::firstDayOfWeek() { return firstDay; }

std::optional<int> weekStartFromLocaleData(long weekOrigin, int firstWeekday) {
    using namespace std::chrono;
    if (firstWeekday < 1 || firstWeekday > 7 || weekOrigin <= 0) return std::nullopt;
    const year_month_day date{year(static_cast<int>(weekOrigin / 10000)),
                              month(static_cast<unsigned>(weekOrigin / 100 % 100)),
                              day(static_cast<unsigned>(weekOrigin % 100))};
    if (!date.ok()) return std::nullopt;
    // c_encoding: 0 = Sunday; shift to 0 = Monday.
    const unsigned sundayBased = (weekday(sys_days(date)).c_encoding() + static_cast<unsigned>(firstWeekday) - 1) % 7;
    return static_cast<int>((sundayBased + 6) % 7);
}

int firstDayOfWeekFromDigit(std::optional<int> mondayBasedDigit) {
    if (!mondayBasedDigit || *mondayBasedDigit < 0 || *mondayBasedDigit > 6) return 0;
    int stored = *mondayBasedDigit + 1;
    return stored > 6 ? 0 : stored;
}

int readFirstDayOfWeek(const std::string& localeName) {
#if defined(_NL_TIME_FIRST_WEEKDAY) && defined(_NL_TIME_WEEK_1STDAY)
    locale_t locale = newlocale(LC_TIME_MASK, localeName.c_str(), static_cast<locale_t>(nullptr));
    if (!locale) return 0;
    const char* first = nl_langinfo_l(_NL_TIME_FIRST_WEEKDAY, locale);
    // The week origin is a number handed out in place of the string pointer.
    union {
        const char* string;
        unsigned int word;
    } origin{};
    origin.string = nl_langinfo_l(_NL_TIME_WEEK_1STDAY, locale);
    std::optional<int> digit;
    if (first) digit = weekStartFromLocaleData(static_cast<long>(origin.word), static_cast<unsigned char>(first[0]));
    freelocale(locale);
    return firstDayOfWeekFromDigit(digit);
#else
    (void)localeName;
    return 0;
#endif
}

}  // namespace lindora
