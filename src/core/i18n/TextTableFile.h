#pragma once

#include "i18n/TextLimits.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Reader of the text table's data file (src/core/i18n/texts.tsv; its header describes the
// format). The build runs it through a small generator that compiles the table into the
// program, so every rule checked here is a build error with a line number, not a surprise at
// run time.
namespace ks {

// One text number: the strings of each language, French first.
struct TextRow {
    int number = 0;
    std::array<std::vector<std::string>, kTextLanguageCount> strings;
};

struct TextFileError {
    int line = 0; // 1-based; 0 when the fault is not on one line (a missing end)
    std::string message;
};

// Separator between the entries of a list inside one cell.
inline constexpr std::string_view kTextListSeparator = " | ";

// Decodes one cell: splits a list at the separators and resolves the escapes (\n \t \s \\).
// Returns false with a reason when the cell holds an unknown escape, a raw control character or
// bytes that are not UTF-8.
bool decodeTextCell(std::string_view cell, std::vector<std::string>& strings, std::string& why);

// Reads a whole data file. The numbers must run from 1 to textCount, once each and in order.
// Returns false at the first fault, described in error.
bool readTextTableFile(std::string_view content, std::vector<TextRow>& rows, TextFileError& error,
                       int textCount = kTextCount);

// Writes a string the way the data file does (\n, \t and \\ escaped), so that what a
// translator sees can be pasted back into the file.
std::string escapeTextString(std::string_view s);

} // namespace ks
