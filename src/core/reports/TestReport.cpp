#include "reports/TestReport.h"

#include "app/FileAccess.h"
#include "i18n/TextTable.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ks {

namespace {

constexpr int kCannotOpenFile = 123; // "Impossible d'ouvrir le fichier : "

// printf into a string; every format here is one of this file's own literals.
template <typename... Args> std::string format(const char* fmt, Args... args) {
    const int n = std::snprintf(nullptr, 0, fmt, args...);
    if (n <= 0)
        return {};
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), fmt, args...);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::string serialText(const std::array<double, 3>& s) {
    return format("%02.0f/%02.0f/%05.0f", s[0], s[1], s[2]);
}

void channelBlock(std::string& out, const TestChannel& c) {
    out += "Polarite\t" + c.polarity + "\n";
    out += format("Marge\t%9.0f\n", c.margin);
    out += "ModeRxTx\t" + c.mode + "\n";
    out += "N°\tNombre N\tGain Min N\tVal N\tNombre I\tGain Min I\tVal I\n";
    for (int row = 0; row < 10; ++row) {
        const TestEscRow& n = c.normal[static_cast<std::size_t>(row)];
        const TestEscRow& i = c.inverse[static_cast<std::size_t>(row)];
        out += format("%02d\t%2d\t%2d\t%.3f\t%2d\t%2d\t%.3f\n", row + 1, n.count, n.minimumGain,
                      n.value, i.count, i.minimumGain, i.value);
    }
    out += "\n";
}

} // namespace

std::string testReportFileName(const TestReportData& d, const CalendarTime& t) {
    return format("TstKsn_%02.0f_%02.0f_%05.0f %04d_%02d_%02d_%02d_%02d_%02d.prn", d.serial[0],
                  d.serial[1], d.serial[2], t.year, t.month, t.day, t.hour, t.minute, t.second);
}

std::string testReportText(const TestReportData& d, std::string_view decimalSeparator) {
    std::string out;
    out += "N° série Appareil\t" + serialText(d.serial) + "\t\tType carte\t" + d.boardType + "\n";
    out += "N° série carte\t" + serialText(d.boardSerial) + "\n";
    out += "Ref Soft\t" + d.softwareReference + "\n";
    static const char* const kPoints[4] = {"Pts 4mA(1)\t%5.0f\n", "Pts 20mA(1)\t%5.0f\n",
                                           "Pts 4mA(2)\t%5.0f\n", "Pts 20mA(2)\t%5.0f\n"};
    for (std::size_t k = 0; k < 4; ++k)
        out += format(kPoints[k], d.outputPoints[k]);
    out += "\n";
    for (const TestChannel& c : d.channels)
        channelBlock(out, c);
    if (decimalSeparator == ".")
        return out;
    std::string localised;
    localised.reserve(out.size() + 64);
    for (char c : out) {
        if (c == '.')
            localised += decimalSeparator;
        else
            localised.push_back(c);
    }
    return localised;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

FileOutcome writeTestReport(const std::string& folder, const TestReportData& data,
                            const CalendarTime& written, std::string_view decimalSeparator) {
    FileOutcome o;
    o.path = joinPath(folder, testReportFileName(data, written));
    errno = 0;
    if (replaceFileContents(o.path, testReportText(data, decimalSeparator)) != 0) {
        o.status = -1;
        o.error = errno != 0 ? errno : EIO;
    }
    return o;
}

std::string fileErrorMessage(const FileOutcome& outcome, int language) {
    CTextTable texts;
    return texts.text(kCannotOpenFile, language) + outcome.path + "\n" +
           std::strerror(outcome.error);
}

} // namespace ks
