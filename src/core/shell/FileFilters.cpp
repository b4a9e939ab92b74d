#include "shell/FileFilters.h"

namespace ks::filefilter {

namespace {

// The extension of the file name, without its dot; "" when it has none.
std::string extensionOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return {};
    return path.substr(dot + 1);
}

std::string joinedPatterns(const std::vector<std::string>& extensions, const char* separator) {
    std::string out;
    for (const std::string& e : extensions) {
        if (!out.empty())
            out += separator;
        out += "*." + e;
    }
    return out;
}

} // namespace

std::string openAny(const std::string& title, const std::vector<std::string>& extensions) {
    return title + " (" + joinedPatterns(extensions, "; ") + ")";
}

std::string saveAll(const std::string& title, const std::vector<std::string>& extensions) {
    return title + " (" + joinedPatterns(extensions, ";") + ")";
}

int matchingExtension(const std::string& path, const std::vector<std::string>& extensions) {
    const std::string ext = extensionOf(path);
    if (ext.empty())
        return -1;
    for (std::size_t i = 0; i < extensions.size(); ++i)
        if (extensions[i] == ext)
            return static_cast<int>(i);
    return -1;
}

std::string withExtension(const std::string& path, const std::string& extension) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    const std::string stem =
        (dot == std::string::npos || dot <= nameStart) ? path : path.substr(0, dot);
    return stem + "." + extension;
}

} // namespace ks::filefilter
