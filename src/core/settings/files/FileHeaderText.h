#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The header text of a record file written by a dialog: eight lines, each ending in "\n",
// that say which dialog and program wrote it and which meter the data came from.
namespace ks {

struct FileHeaderText {
    std::string caption;         // caption of the dialog that wrote the file
    std::string programName;     // the program's internal name
    std::string week;            // serial number: week part
    std::string year;            // serial number: year part
    std::string running;         // serial number: running part
    std::string firmwareVersion; // the meter's firmware version text
    std::string firmwareText;    // the meter's firmware description
    // Third line: written as "%u" of kFileMagic; kept as read.
    std::string magicLine;

    bool operator==(const FileHeaderText&) const = default;
};

inline constexpr std::uint32_t kFileMagic = 0xFEFDFCFBu;

// The eight lines with their line feeds. Line feeds inside a value would shift the lines a
// reader sees, so they are written as blanks.
std::string buildFileHeaderText(const FileHeaderText& h);

// Splits a header text into its eight lines (a missing final line feed is tolerated). Nothing
// when the text has fewer than eight lines.
std::optional<FileHeaderText> parseFileHeaderText(std::string_view text);

// The magic line turned into its 16-bit value: complemented, then the low nibble of each byte,
// most significant first ("4278058235" gives 0x1234). Nothing when the line is not a number
// of at most 32 bits.
std::optional<std::uint16_t> fileMagicValue(std::string_view line);

} // namespace ks
