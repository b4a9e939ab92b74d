// Build step: turns the text table's data file into a C++ source that defines the arrays of
// i18n/TextTableData.h. Usage: ks_make_text_table TEXTS.tsv OUTPUT.cpp
//
// A malformed data file stops the build with "FILE:LINE: reason", and no output is written, so
// a half-edited table never reaches the program.
#include "i18n/TextTableFile.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// A C++ string literal holding exactly the bytes of s. Bytes outside printable ASCII become
// three-digit octal escapes, which cannot swallow the characters that follow them.
std::string cppLiteral(const std::string& s) {
    std::string out = "\"";
    for (const char ch : s) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c == '?') {
            out += "\\?"; // no trigraph can form, whatever the compiler's mode
        } else if (c < 0x20 || c >= 0x7F) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    out += '"';
    return out;
}

// The text shown in a block comment, which must not close the comment early. (A line comment
// would be extended by a text ending in a backslash.)
std::string commentSafe(const std::string& s) {
    std::string out;
    for (const char c : s) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += c;
        }
    }
    for (std::size_t p = out.find("*/"); p != std::string::npos; p = out.find("*/", p)) {
        out.replace(p, 2, "* /");
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: ks_make_text_table TEXTS.tsv OUTPUT.cpp\n";
        return 2;
    }
    const std::string inPath = argv[1];
    const std::string outPath = argv[2];

    std::ifstream in(inPath, std::ios::binary);
    if (!in) {
        std::cerr << inPath << ": cannot be read\n";
        return 1;
    }
    std::ostringstream content;
    content << in.rdbuf();

    std::vector<ks::TextRow> rows;
    ks::TextFileError error;
    if (!ks::readTextTableFile(content.str(), rows, error)) {
        std::cerr << inPath << ':' << error.line << ": error: " << error.message << '\n';
        return 1;
    }

    std::ostringstream code;
    code << "// Generated at build time from src/core/i18n/texts.tsv. Edit that file, not this.\n"
         << "#include \"i18n/TextTableData.h\"\n\n"
         << "namespace ks::textdata {\n\n"
         << "const char* const kStrings[] = {\n";
    std::uint32_t next = 0;
    std::ostringstream spans;
    for (const ks::TextRow& row : rows) {
        code << "    /* " << row.number << ' ' << commentSafe(row.strings[0].front()) << " */\n";
        spans << "    {";
        for (int lang = 0; lang < ks::kTextLanguageCount; ++lang) {
            const auto& strings = row.strings[lang];
            for (const std::string& s : strings) {
                code << "    " << cppLiteral(s) << ",\n";
            }
            spans << (lang ? ", " : "") << '{' << next << "u, " << strings.size() << "u}";
            next += static_cast<std::uint32_t>(strings.size());
        }
        spans << "}, // " << row.number << '\n';
    }
    code << "};\n\n"
         << "const TextSpan kEntries[kTextCount][kTextLanguageCount] = {\n"
         << spans.str() << "};\n\n"
         << "} // namespace ks::textdata\n";

    // Write beside the target and rename, so an interrupted build leaves no truncated source.
    const std::string tmpPath = outPath + ".tmp";
    {
        std::ofstream out(tmpPath, std::ios::binary | std::ios::trunc);
        out << code.str();
        if (!out.flush()) {
            std::cerr << tmpPath << ": cannot be written\n";
            return 1;
        }
    }
    if (std::rename(tmpPath.c_str(), outPath.c_str()) != 0) {
        std::cerr << outPath << ": cannot be written\n";
        std::remove(tmpPath.c_str());
        return 1;
    }
    return 0;
}
