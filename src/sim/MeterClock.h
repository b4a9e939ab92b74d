#pragma once

#include <cstdint>
#include <optional>

namespace ks::sim {

// A calendar date and time as the meter keeps it (no time zone: the meter's clock is
// whatever it was last set to).
struct MeterDateTime {
    int year = 1980;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const MeterDateTime&) const = default;
};

// Seconds since 1970-01-01 00:00:00 of the proleptic Gregorian calendar, and back.
std::int64_t toCalendarSeconds(const MeterDateTime& t);
MeterDateTime fromCalendarSeconds(std::int64_t seconds);

// The six clock bytes of the meter: month, year (two digits: 0..38 are 2000..2038,
// other values 1900 + value), hour, day, second, minute.
void encodeMeterClock(const MeterDateTime& t, std::uint8_t out[6]);
// nullopt when the bytes do not name a real date and time.
std::optional<MeterDateTime> decodeMeterClock(const std::uint8_t in[6]);

// The host's local time now, as the meter's clock starts at power-up.
MeterDateTime localTimeNow();

// A running clock: the time it was set to plus the simulated seconds since.
class CMeterClock {
public:
    void set(const MeterDateTime& t, double nowSeconds);
    MeterDateTime at(double nowSeconds) const;

private:
    std::int64_t m_base = 0;
    double m_setAt = 0;
};

} // namespace ks::sim
