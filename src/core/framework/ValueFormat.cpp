#include "framework/ValueFormat.h"

#include <cctype>

namespace ks {

FormatPath formatPath(std::string_view format) {
    if (format.empty())
        return FormatPath::Number;
    switch (format.back()) {
    case 'c':
    case 'l':
        return FormatPath::Integer;
    case 'h':
        return FormatPath::Whole;
    case 's':
        return FormatPath::Text;
    default:
        return FormatPath::Number;
    }
}

bool isAutomaticFormat(std::string_view format) {
    return format.find("auto") != std::string_view::npos;
}

double formatScale(std::string_view format) {
    if (formatPath(format) != FormatPath::Number)
        return 1.0;
    const std::size_t point = format.find('.');
    if (point == std::string_view::npos)
        return 1.0;
    int decimals = 0;
    for (std::size_t i = point + 1;
         i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])); ++i) {
        // A double holds no more than 15 meaningful decimals anyway.
        if (decimals < 15)
            decimals = decimals * 10 + (format[i] - '0');
        if (decimals > 15)
            decimals = 15;
    }
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i)
        scale *= 10.0;
    return scale;
}

} // namespace ks
