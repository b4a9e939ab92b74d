// Feeds arbitrary bytes to the profile-file reader, then writes one key and checks that the
// key reads back as written and that no other key changed.
#include "app/IniDocument.h"
#include "app/ProfileNumbers.h"
#include "app/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto l = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (l(a[i]) != l(b[i]))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    // The first byte picks the key written; the rest is the file.
    static const struct {
        const char* section;
        const char* key;
        const char* value;
    } kWrites[] = {{"Com", "Port", "3.000000"},
                   {"File Save", "Path File Save", "/srv/data/"},
                   {"Modem", "Initalisation string", "&F S95=0 E0 Q0 V1 W2 &K0 M0"},
                   {"Test", "Test", "Ok"}};
    const auto& w = kWrites[data[0] % 4];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    const ks::IniDocument doc = ks::IniDocument::parse(bytes);
    if (doc.serialize() != bytes)
        __builtin_trap();
    const auto keys = doc.keys();
    for (const auto& [section, key] : keys) {
        const auto v = doc.value(section, key);
        if (!v)
            __builtin_trap();
        (void)ks::parseProfileNumber(*v);
        if (!ks::isValidUtf8(ks::utf8FromProfileBytes(*v)))
            __builtin_trap();
    }

    ks::IniDocument changed = doc;
    if (!changed.set(w.section, w.key, w.value))
        __builtin_trap();
    const ks::IniDocument reread = ks::IniDocument::parse(changed.serialize());
    if (reread.value(w.section, w.key) != std::string(w.value))
        __builtin_trap();
    for (const auto& [section, key] : keys) {
        if (equalsNoCase(section, w.section) && equalsNoCase(key, w.key))
            continue;
        if (reread.value(section, key) != doc.value(section, key))
            __builtin_trap();
    }
    return 0;
}
