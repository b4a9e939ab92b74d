#pragma once

#include <string>
#include <string_view>

namespace ks {

// The spreadsheet programs we can hand a recording to, in order of preference.
inline constexpr const char* kSpreadsheetPrograms[] = {"localc", "libreoffice", "gnumeric"};

// Full path of the first spreadsheet program found in the folders of a PATH value; "" when
// none is there. Empty and relative entries are skipped: the current folder is no place to
// pick a program from.
std::string findSpreadsheetProgram(std::string_view pathVariable);

// The stored "Path Spreadsheet" value asks for a lookup when it is the placeholder
// "tartempionexcel.exe" or "excel.exe", in any case.
bool asksForSpreadsheetLookup(std::string_view storedPath);

// The spreadsheet path start-up settles on: the stored path, unless it asks for a lookup and
// one succeeds.
std::string resolveSpreadsheetPath(const std::string& storedPath, std::string_view pathVariable);

} // namespace ks
