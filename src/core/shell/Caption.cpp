#include "shell/Caption.h"

#include <cctype>
#include <vector>

namespace ks::caption {

namespace {

// Byte offsets at which the characters of a UTF-8 text start.
std::vector<std::size_t> characterStarts(std::string_view s) {
    std::vector<std::size_t> starts;
    std::size_t i = 0;
    while (i < s.size()) {
        starts.push_back(i);
        const auto lead = static_cast<unsigned char>(s[i]);
        std::size_t length = 1;
        if (lead >= 0xF0 && lead <= 0xF4)
            length = 4;
        else if (lead >= 0xE0)
            length = lead <= 0xEF ? 3 : 1;
        else if (lead >= 0xC2)
            length = 2;
        // Only a complete sequence counts as one character.
        if (length > 1) {
            if (i + length > s.size())
                length = 1;
            for (std::size_t k = 1; k < length; ++k)
                if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                    length = 1;
                    break;
                }
        }
        i += length;
    }
    return starts;
}

} // namespace

std::string shortenedName(std::string_view name) {
    const std::vector<std::size_t> starts = characterStarts(name);
    if (starts.size() <= kLongestName)
        return std::string(name);
    std::string out(name.substr(0, starts[kHeadLength]));
    out += "...";
    out += name.substr(starts[starts.size() - kTailLength]);
    return out;
}

std::string compose(std::string_view base, std::string_view configurationName,
                    std::string_view tail) {
    std::string out(base);
    if (!configurationName.empty()) {
        out += kSeparator;
        out += configurationName;
    }
    out += tail;
    return out;
}

std::string programCaption(std::string_view internalName, std::string_view fileVersion) {
    std::string_view version = fileVersion.size() > 2 ? fileVersion.substr(2) : std::string_view();
    auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!version.empty() && blank(version.front()))
        version.remove_prefix(1);
    while (!version.empty() && blank(version.back()))
        version.remove_suffix(1);
    std::string out(internalName);
    out += ' ';
    for (char c : version)
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string withoutExtension(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    // No dot in the file name, or only the leading one of a hidden file.
    if (dot == std::string_view::npos || dot <= nameStart)
        return std::string(path);
    return std::string(path.substr(0, dot));
}

} // namespace ks::caption
