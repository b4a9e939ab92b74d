#include "i18n/TextTableFile.h"

#include <charconv>
#include <cstddef>

namespace ks {
namespace {

const char* const kLanguageNames[kTextLanguageCount] = {"French", "English", "Portuguese", "German",
                                                        "Spanish"};

// Length of the UTF-8 sequence starting at s[i], or 0 when it is not well formed
// (overlong forms, surrogates and code points above U+10FFFF are refused).
std::size_t utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        return 1;
    }
    std::size_t len = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        if (b0 == 0xE0) {
            lo = 0xA0;
        } else if (b0 == 0xED) {
            hi = 0x9F;
        }
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        if (b0 == 0xF0) {
            lo = 0x90;
        } else if (b0 == 0xF4) {
            hi = 0x8F;
        }
    } else {
        return 0;
    }
    if (i + len > s.size()) {
        return 0;
    }
    if (byte(i + 1) < lo || byte(i + 1) > hi) {
        return 0;
    }
    for (std::size_t k = 2; k < len; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) {
            return 0;
        }
    }
    return len;
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

bool parseNumber(std::string_view field, int& number) {
    if (field.empty() || field.size() > 6) {
        return false;
    }
    for (const char c : field) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    const auto res = std::from_chars(field.data(), field.data() + field.size(), number);
    return res.ec == std::errc() && res.ptr == field.data() + field.size();
}

std::string listLengths(const TextRow& row) {
    std::string out;
    for (int lang = 0; lang < kTextLanguageCount; ++lang) {
        if (lang > 0) {
            out += ", ";
        }
        out += kLanguageNames[lang];
        out += ' ';
        out += std::to_string(row.strings[lang].size());
    }
    return out;
}

} // namespace

bool decodeTextCell(std::string_view cell, std::vector<std::string>& strings, std::string& why) {
    strings.assign(1, std::string());
    std::size_t i = 0;
    while (i < cell.size()) {
        if (cell.compare(i, kTextListSeparator.size(), kTextListSeparator) == 0) {
            strings.emplace_back();
            i += kTextListSeparator.size();
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(cell[i]);
        if (c == '\\') {
            if (i + 1 >= cell.size()) {
                why = "a backslash ends the cell (write \\\\ for a backslash)";
                return false;
            }
            switch (cell[i + 1]) {
            case 'n':
                strings.back() += '\n';
                break;
            case 't':
                strings.back() += '\t';
                break;
            case 's':
                strings.back() += ' ';
                break;
            case '\\':
                strings.back() += '\\';
                break;
            default: {
                const std::size_t len = utf8SequenceLength(cell, i + 1);
                why = "unknown escape \\" + std::string(cell.substr(i + 1, len ? len : 1)) +
                      " (known: \\n \\t \\s \\\\)";
                return false;
            }
            }
            i += 2;
            continue;
        }
        if (c < 0x20 || c == 0x7F) {
            why = "a control character in a text (write a line break as \\n, a tab as \\t)";
            return false;
        }
        const std::size_t len = utf8SequenceLength(cell, i);
        if (len == 0) {
            why = "bytes that are not UTF-8 (save the file as UTF-8)";
            return false;
        }
        strings.back().append(cell.substr(i, len));
        i += len;
    }
    return true;
}

bool readTextTableFile(std::string_view content, std::vector<TextRow>& rows, TextFileError& error,
                       int textCount) {
    rows.clear();
    if (content.substr(0, 3) == "\xEF\xBB\xBF") {
        content.remove_prefix(3);
    }
    const auto fail = [&](int line, std::string message) {
        error.line = line;
        error.message = std::move(message);
        return false;
    };

    int lineNo = 0;
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find('\n', pos);
        if (end == std::string_view::npos) {
            end = content.size();
        }
        std::string_view line = content.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.back() == ' ' || line.back() == '\t') {
            return fail(lineNo, "the line ends with a blank or a tab; write a blank that ends "
                                "a text as \\s");
        }

        const std::vector<std::string_view> fields = splitTabs(line);
        int number = 0;
        if (!parseNumber(fields[0], number)) {
            return fail(lineNo, "the line does not start with a text number");
        }
        const int expected = rows.empty() ? 1 : rows.back().number + 1;
        if (number != expected) {
            return fail(lineNo, "text " + std::to_string(number) + " found where text " +
                                    std::to_string(expected) +
                                    " was expected (each number once, in order)");
        }
        if (number > textCount) {
            return fail(lineNo, "text " + std::to_string(number) + " is beyond the last text, " +
                                    std::to_string(textCount));
        }

        TextRow row;
        row.number = number;
        if (fields.size() == 1) {
            // A number alone: a text nothing uses.
            for (auto& strings : row.strings) {
                strings.assign(1, std::string());
            }
            rows.push_back(std::move(row));
            continue;
        }
        if (fields.size() != 1 + kTextLanguageCount) {
            return fail(lineNo, std::to_string(fields.size()) +
                                    " columns; expected 6 (the number, then French, English, "
                                    "Portuguese, German, Spanish separated by tabs) or the "
                                    "number alone");
        }
        for (int lang = 0; lang < kTextLanguageCount; ++lang) {
            std::string why;
            if (!decodeTextCell(fields[1 + lang], row.strings[lang], why)) {
                return fail(lineNo, std::string(kLanguageNames[lang]) + ": " + why);
            }
        }
        for (int lang = 1; lang < kTextLanguageCount; ++lang) {
            if (row.strings[lang].size() != row.strings[0].size()) {
                return fail(lineNo, "the lists differ in length (" + listLengths(row) +
                                        "); every language needs the same entries");
            }
        }
        rows.push_back(std::move(row));
    }

    const int last = rows.empty() ? 0 : rows.back().number;
    if (last != textCount) {
        return fail(lineNo + 1, "the file ends after text " + std::to_string(last) +
                                    "; texts run to " + std::to_string(textCount));
    }
    return true;
}

std::string escapeTextString(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (const char c : s) {
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace ks
