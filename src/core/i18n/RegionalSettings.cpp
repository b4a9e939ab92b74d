#include "i18n/RegionalSettings.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <locale.h>
#include <vector>

namespace ks {

namespace {

// One conversion of a strftime format: its letter and the literal text that precedes it
// (since the previous conversion).
struct Conversion {
    char letter;
    std::string before;
};

// Splits a format into conversions, expanding the composite ones the date and time formats
// of real locales use. Flags, widths and the E/O modifiers are skipped.
std::vector<Conversion> conversions(std::string_view format, std::string_view amPmFormat,
                                    int depth = 0) {
    std::vector<Conversion> out;
    std::string literal;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            literal += format[i];
            continue;
        }
        ++i;
        while (i < format.size() && std::strchr("-_0^#", format[i]) != nullptr)
            ++i;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            ++i;
        if (i < format.size() && (format[i] == 'E' || format[i] == 'O'))
            ++i;
        if (i >= format.size())
            break;
        const char c = format[i];
        if (c == '%') {
            literal += '%';
            continue;
        }
        std::string_view expansion;
        if (c == 'D')
            expansion = "%m/%d/%y";
        else if (c == 'F')
            expansion = "%Y-%m-%d";
        else if (c == 'T')
            expansion = "%H:%M:%S";
        else if (c == 'R')
            expansion = "%H:%M";
        else if (c == 'r')
            expansion = amPmFormat.empty() ? std::string_view("%I:%M:%S %p") : amPmFormat;
        if (!expansion.empty() && depth < 2) {
            auto inner = conversions(expansion, amPmFormat, depth + 1);
            if (!inner.empty())
                inner.front().before.insert(0, literal);
            literal.clear();
            for (auto& conv : inner)
                out.push_back(std::move(conv));
            continue;
        }
        out.push_back({c, literal});
        literal.clear();
    }
    return out;
}

char dateField(char letter) {
    switch (letter) {
    case 'd':
    case 'e':
        return 'd';
    case 'm':
        return 'm';
    case 'y':
    case 'Y':
        return 'y';
    default:
        return 0;
    }
}

void applyDateFormat(RegionalSettings& s, std::string_view format) {
    std::string order;
    std::string separator;
    for (const auto& conv : conversions(format, {})) {
        const char f = dateField(conv.letter);
        if (f == 0 || order.find(f) != std::string::npos)
            continue;
        if (order.size() == 1)
            separator = conv.before;
        order += f;
    }
    if (order.size() != 3)
        return;
    s.dateOrder = order[0] == 'm'   ? RegionalSettings::kMonthDayYear
                  : order[0] == 'y' ? RegionalSettings::kYearMonthDay
                                    : RegionalSettings::kDayMonthYear;
    if (!separator.empty())
        s.dateSeparator = separator;
}

void applyTimeFormat(RegionalSettings& s, std::string_view format, std::string_view amPmFormat) {
    const auto convs = conversions(format, amPmFormat);
    for (std::size_t i = 0; i < convs.size(); ++i) {
        const char c = convs[i].letter;
        if (c != 'H' && c != 'k' && c != 'I' && c != 'l')
            continue;
        s.twentyFourHour = c == 'H' || c == 'k';
        if (i + 1 < convs.size() && !convs[i + 1].before.empty())
            s.timeSeparator = convs[i + 1].before;
        return;
    }
}

bool isProgramDefaultLocale(const char* name) {
    return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
           std::strncmp(name, "C.", 2) == 0;
}

} // namespace

RegionalSettings RegionalSettings::fromLocaleFormats(std::string_view dateFormat,
                                                     std::string_view timeFormat,
                                                     std::string_view amPmTimeFormat,
                                                     std::string_view morning,
                                                     std::string_view afternoon) {
    RegionalSettings s;
    applyDateFormat(s, dateFormat);
    applyTimeFormat(s, timeFormat, amPmTimeFormat);
    if (!morning.empty() && !afternoon.empty()) {
        s.morning = morning;
        s.afternoon = afternoon;
    }
    return s;
}

RegionalSettings RegionalSettings::fromProcessLocale() {
    const char* name = std::setlocale(LC_TIME, nullptr);
    if (isProgramDefaultLocale(name))
        return fallback();
    // A private copy of the category: nl_langinfo_l does not depend on other threads'
    // setlocale calls once we hold it.
    locale_t loc = newlocale(LC_TIME_MASK, name, static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr))
        return fallback();
    auto text = [loc](nl_item item) {
        const char* v = nl_langinfo_l(item, loc);
        return std::string(v != nullptr ? v : "");
    };
    RegionalSettings s =
        fromLocaleFormats(text(D_FMT), text(T_FMT), text(T_FMT_AMPM), text(AM_STR), text(PM_STR));
    freelocale(loc);
    return s;
}

} // namespace ks
