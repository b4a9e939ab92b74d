#pragma once

#include "i18n/DateTime.h"

#include <array>
#include <string>
#include <string_view>

// The report of a bench test: the meter's identity, its analogue output points and per
// measuring channel the polarity, margin, transmit/receive mode and the two echo tables.
namespace ks {

// One entry of an echo table as the report prints it.
struct TestEscRow {
    int count = 0;
    int minimumGain = 0;
    double value = 0;
};

struct TestChannel {
    std::string polarity; // "Inverse" or "Normal" in the language
    double margin = 0;
    std::string mode;                     // transmit/receive mode as shown
    std::array<TestEscRow, 10> normal{};  // the "N" columns
    std::array<TestEscRow, 10> inverse{}; // the "I" columns
};

struct TestReportData {
    std::array<double, 3> serial{};      // meter: week, year, unit number
    std::string boardType;               // as shown
    std::array<double, 3> boardSerial{}; // board: week, year, unit number
    std::string softwareReference;       // the firmware version as shown
    // Output 1 at 4 mA and 20 mA, then output 2 at 4 mA and 20 mA.
    std::array<double, 4> outputPoints{};
    std::array<TestChannel, 2> channels{};
};

// "TstKsn_07_03_00001 2026_12_11_14_05_09.prn": the meter's serial number and the time of
// writing.
std::string testReportFileName(const TestReportData& data, const CalendarTime& written);

// The whole report, every line ending in "\n", every "." turned into the decimal separator.
std::string testReportText(const TestReportData& data, std::string_view decimalSeparator);

// What writing a file came to: 0, or -1 with the failing call's errno.
struct FileOutcome {
    int status = 0;
    int error = 0;
    std::string path;
};

// Joins a folder and a file name with one "/".
std::string joinPath(const std::string& folder, const std::string& name);

// Writes the report into the folder under its name. The file appears only complete: it is
// written beside its name and renamed, so a failure leaves no half report (and an older file
// of that name as it was).
FileOutcome writeTestReport(const std::string& folder, const TestReportData& data,
                            const CalendarTime& written, std::string_view decimalSeparator);

// The message of a file that could not be written: "Impossible d'ouvrir le fichier : " in the
// language, the path and the system's reason.
std::string fileErrorMessage(const FileOutcome& outcome, int language);

} // namespace ks
