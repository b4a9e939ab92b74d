// Feeds arbitrary text to the date-time reader and arbitrary formats to the regional
// settings; whatever is read must be a real time that writes and reads back unchanged.
#include "i18n/DateTime.h"
#include "i18n/RegionalSettings.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::string_view all(reinterpret_cast<const char*>(data + 1), size - 1);
    // The first byte picks how the rest is used.
    if (data[0] & 1) {
        const std::size_t cut = all.empty() ? 0 : data[0] % (all.size() + 1);
        const ks::RegionalSettings s = ks::RegionalSettings::fromLocaleFormats(
            all.substr(0, cut), all.substr(cut), all, "AM", "PM");
        if (s.dateSeparator.empty() || s.timeSeparator.empty())
            __builtin_trap();
        return 0;
    }
    ks::RegionalSettings s;
    s.dateOrder = (data[0] >> 1) % 3;
    s.twentyFourHour = (data[0] & 8) != 0;
    ks::CDateTime v(s);
    v.buildFromText(all);
    const ks::CalendarTime t = v.fields();
    ks::CDateTime again(s);
    if (!again.buildFromText(v.dateText() + " - " + v.timeText()) || !(again.fields() == t))
        __builtin_trap();
    return 0;
}
