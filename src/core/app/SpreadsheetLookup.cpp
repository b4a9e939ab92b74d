#include "app/SpreadsheetLookup.h"

#include "app/FileAccess.h"

namespace ks {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace

std::string findSpreadsheetProgram(std::string_view pathVariable) {
    for (const char* program : kSpreadsheetPrograms) {
        std::string_view rest = pathVariable;
        while (true) {
            const std::size_t colon = rest.find(':');
            const std::string_view dir = rest.substr(0, colon);
            if (!dir.empty() && dir.front() == '/') {
                std::string candidate(dir);
                if (candidate.back() != '/')
                    candidate += '/';
                candidate += program;
                if (isExecutableRegularFile(candidate))
                    return candidate;
            }
            if (colon == std::string_view::npos)
                break;
            rest.remove_prefix(colon + 1);
        }
    }
    return {};
}

bool asksForSpreadsheetLookup(std::string_view storedPath) {
    const std::string l = lower(storedPath);
    return l == "tartempionexcel.exe" || l == "excel.exe";
}

std::string resolveSpreadsheetPath(const std::string& storedPath, std::string_view pathVariable) {
    if (!asksForSpreadsheetLookup(storedPath))
        return storedPath;
    const std::string found = findSpreadsheetProgram(pathVariable);
    return found.empty() ? storedPath : found;
}

} // namespace ks
