#pragma once

#include "i18n/DateTime.h"

#include <cstdint>
#include <string>

namespace ks {

// The date-and-time value types. Every one of them keeps the meter clock's six fields in the
// same order: month, year (two digits), hour, day, second, minute. They differ in how a field
// is coded and where it lies:
//   0x5000, 0x6000, 0x7000  six binary bytes in a row
//   0xC000                  six BCD bytes in a row
//   0xD000                  six binary bytes at the odd offsets 1, 3, .., 11 of 13
// A field's number is the six bytes as a 48-bit number, the first lowest.

// The 48-bit number of the date at p (valueWidth(type) bytes). 0 for a type that is no date.
std::uint64_t readDateNumber(int type, const std::uint8_t* p);
// Writes the number's six bytes, the lowest first, where the type keeps them; bytes between
// them (0xD000) are left as they are.
void writeDateNumber(int type, std::uint64_t number, std::uint8_t* p);

// The calendar time of a date number; the date class's default (1980-01-01 00:00:00) when
// the bytes do not name a real local time.
CDateTime dateOfNumber(int type, std::uint64_t number, const RegionalSettings& settings);
// The date number that holds a calendar time (to set the meter's clock). Years 2000 to 2038
// are written as 0 to 38, others as the year minus 1900.
std::uint64_t dateNumberOf(int type, const CalendarTime& time);

// The date, " - " and the time, in the regional short forms.
std::string dateValueText(const CDateTime& date);

} // namespace ks
