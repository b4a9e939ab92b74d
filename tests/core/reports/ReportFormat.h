#pragma once

// Reads a test report back line by line against the formats each line must follow, so a
// report is checked without comparing it with one this program wrote.
#include "reports/TestReport.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace ks::reportformat {

inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t nl = text.find('\n', start);
        if (nl == std::string::npos) {
            out.push_back(text.substr(start));
            break;
        }
        out.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
    return out;
}

// A number written with the separator; "." elsewhere fails the parse.
inline double number(std::string s, const std::string& sep) {
    if (sep != ".") {
        EXPECT_EQ(s.find('.'), std::string::npos) << s;
        for (std::size_t p = s.find(sep); p != std::string::npos; p = s.find(sep))
            s.replace(p, sep.size(), ".");
    }
    std::istringstream in(s);
    in.imbue(std::locale::classic());
    double v = 0;
    in >> v;
    EXPECT_FALSE(in.fail()) << s;
    return v;
}

// Parses the whole report; every line must match its format. Fills what it read.
inline void parse(const std::string& text, const std::string& sep, TestReportData& d) {
    const auto L = lines(text);
    ASSERT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\r'), std::string::npos) << "lines end in a line feed alone";
    ASSERT_EQ(L.size(), 8u + 2u * 15u) << text;
    std::smatch m;
    const std::string dec = sep == "." ? "\\." : sep;
    ASSERT_TRUE(std::regex_match(L[0], m,
                                 std::regex("N° série Appareil\t([0-9]{2,})/([0-9]{2,})/"
                                            "([0-9]{5,})\t\tType carte\t([^\t]*)")))
        << L[0];
    d.serial = {std::stod(m[1]), std::stod(m[2]), std::stod(m[3])};
    d.boardType = m[4];
    ASSERT_TRUE(std::regex_match(L[1], m,
                                 std::regex("N° série carte\t([0-9]{2,})/([0-9]{2,})/([0-9]{5,})")))
        << L[1];
    d.boardSerial = {std::stod(m[1]), std::stod(m[2]), std::stod(m[3])};
    ASSERT_TRUE(std::regex_match(L[2], m, std::regex("Ref Soft\t([^\t]*)"))) << L[2];
    d.softwareReference = m[1];
    static const char* const kPoints[4] = {"Pts 4mA\\(1\\)", "Pts 20mA\\(1\\)", "Pts 4mA\\(2\\)",
                                           "Pts 20mA\\(2\\)"};
    for (std::size_t k = 0; k < 4; ++k) {
        // "%5.0f": right-aligned in five characters at least, no decimals.
        ASSERT_TRUE(
            std::regex_match(L[3 + k], m, std::regex(std::string(kPoints[k]) + "\t( *-?[0-9]+)")))
            << L[3 + k];
        EXPECT_GE(m[1].length(), 5) << L[3 + k];
        d.outputPoints[k] = std::stod(m[1]);
    }
    EXPECT_EQ(L[7], "");
    for (std::size_t c = 0; c < 2; ++c) {
        const std::size_t b = 8 + 15 * c;
        TestChannel& ch = d.channels[c];
        ASSERT_TRUE(std::regex_match(L[b], m, std::regex("Polarite\t([^\t]+)"))) << L[b];
        ch.polarity = m[1];
        ASSERT_TRUE(std::regex_match(L[b + 1], m, std::regex("Marge\t( *-?[0-9]+)"))) << L[b + 1];
        EXPECT_EQ(m[1].length(), 9) << "\"%9.0f\": " << L[b + 1];
        ch.margin = std::stod(m[1]);
        ASSERT_TRUE(std::regex_match(L[b + 2], m, std::regex("ModeRxTx\t([^\t]+)"))) << L[b + 2];
        ch.mode = m[1];
        EXPECT_EQ(L[b + 3], "N°\tNombre N\tGain Min N\tVal N\tNombre I\tGain Min I\tVal I");
        const std::regex row("([0-9]{2})\t( ?-?[0-9]+)\t( ?-?[0-9]+)\t(-?[0-9]+" + dec +
                             "[0-9]{3})\t( ?-?[0-9]+)\t( ?-?[0-9]+)\t(-?[0-9]+" + dec +
                             "[0-9]{3})");
        for (std::size_t r = 0; r < 10; ++r) {
            const std::string& line = L[b + 4 + r];
            ASSERT_TRUE(std::regex_match(line, m, row)) << line;
            EXPECT_EQ(std::stoi(m[1]), static_cast<int>(r + 1)) << line;
            for (int k : {2, 3, 5, 6})
                EXPECT_GE(m[k].length(), 2) << "\"%2d\": " << line;
            ch.normal[r] = {std::stoi(m[2]), std::stoi(m[3]), number(m[4], sep)};
            ch.inverse[r] = {std::stoi(m[5]), std::stoi(m[6]), number(m[7], sep)};
        }
        EXPECT_EQ(L[b + 14], "");
    }
}

} // namespace ks::reportformat
