#include "settings/files/FileHeaderText.h"

#include <vector>

namespace ks {

namespace {

void appendLine(std::string& out, std::string_view value) {
    for (char c : value)
        out.push_back(c == '\n' || c == '\r' ? ' ' : c);
    out.push_back('\n');
}

} // namespace

std::string buildFileHeaderText(const FileHeaderText& h) {
    std::string out;
    appendLine(out, h.caption);
    appendLine(out, h.programName);
    appendLine(out, h.magicLine.empty() ? std::to_string(kFileMagic) : h.magicLine);
    appendLine(out, h.week);
    appendLine(out, h.year);
    appendLine(out, h.running);
    appendLine(out, h.firmwareVersion);
    appendLine(out, h.firmwareText);
    return out;
}

std::optional<FileHeaderText> parseFileHeaderText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size() && lines.size() < 8) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (lines.size() < 8)
        return std::nullopt;
    FileHeaderText h;
    h.caption = lines[0];
    h.programName = lines[1];
    h.magicLine = lines[2];
    h.week = lines[3];
    h.year = lines[4];
    h.running = lines[5];
    h.firmwareVersion = lines[6];
    h.firmwareText = lines[7];
    return h;
}

std::optional<std::uint16_t> fileMagicValue(std::string_view line) {
    if (line.empty() || line.size() > 10)
        return std::nullopt;
    std::uint64_t v = 0;
    for (char c : line) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (v > 0xFFFFFFFFu)
        return std::nullopt;
    const auto c = static_cast<std::uint32_t>(~static_cast<std::uint32_t>(v));
    std::uint16_t out = 0;
    for (int shift = 24; shift >= 0; shift -= 8)
        out = static_cast<std::uint16_t>(out << 4 | ((c >> shift) & 0x0F));
    return out;
}

} // namespace ks
