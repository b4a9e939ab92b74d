#pragma once

#include "framework/FieldList.h"
#include "i18n/DateTime.h"

#include <string>
#include <string_view>
#include <vector>

// The three texts a recording's export writes: the header line of the text file, one record
// line per sample, and the content of the transfer file the report macro reads.
namespace ks {

// The 27 columns of a record line, by the keys the macro knows them by ("C_Num" .. "C_Num_Serie").
inline constexpr int kRecordColumnCount = 27;
const char* recordColumnKey(int column);
// Spreadsheet column letters: 0 -> "A", 25 -> "Z", 26 -> "AA".
std::string columnLetters(int column);

// The header line: the 27 column titles in the language, each followed by a tab, then "\n".
std::string recordHeaderLine(int language, bool twoPipes);

// The meter's date and time the fields hold (the date-time line of the measurement block).
CDateTime meterTimeOf(const CFieldList& fields, const RegionalSettings& regional);

// The 26 columns B .. AA of a record line (date, time, date-time number, values), with the
// values' own "." decimals.
std::vector<std::string> recordColumns(const CFieldList& fields, const CDateTime& meterTime,
                                       bool twoPipes);

// The record line of the values the fields hold: date, time, the date-time as a spreadsheet
// day number, then the values as the dialog shows them, tab-separated and ending in "\n";
// every "." of the numeric columns is the decimal separator.
std::string recordLine(const CFieldList& fields, const CDateTime& meterTime, bool twoPipes,
                       std::string_view decimalSeparator);

// The record line of columns made by recordColumns().
std::string recordLineOfColumns(const std::vector<std::string>& columns,
                                std::string_view decimalSeparator);

// The transfer file: "key\tvalue\n" lines (type, input and output files, the report's texts
// in the language, the column letters of the 27 keys).
std::string transferFileContent(int language, std::string_view textFile,
                                std::string_view outputFile);

// The decimal separator of the user's locale (LC_NUMERIC of the environment, whatever the
// program's own C locale), "." when the locale tells nothing.
std::string decimalSeparatorOfEnvironment();

// Replaces every "." of a text by the separator.
std::string withDecimalSeparator(std::string_view text, std::string_view separator);

} // namespace ks
