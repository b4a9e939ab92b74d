#include "framework/EditBoxRules.h"

#include "framework/FieldFormat.h"

#include <algorithm>

namespace ks {

namespace {

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte length of the first `count` characters.
std::size_t utf8Prefix(std::string_view text, int count) {
    std::size_t pos = 0;
    while (pos < text.size() && count > 0) {
        ++pos;
        while (pos < text.size() && isContinuation(text[pos]))
            ++pos;
        --count;
    }
    return pos;
}

int keepDistanceFromEnd(int oldLength, int oldCaret, int newLength) {
    const int distance = std::max(0, oldLength - oldCaret);
    return std::max(0, newLength - distance);
}

} // namespace

int utf8Length(std::string_view text) {
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return !isContinuation(c); }));
}

EditBoxResult applyEditBoxRules(std::string_view text, int caret, const EditBoxRules& rules) {
    EditBoxResult result{std::string(text), 0, false};
    const int length = utf8Length(text);
    result.caret = std::clamp(caret, 0, length);
    const char last = formatLastChar(rules.format);

    if (last == 'f' || last == 'F') {
        if (const auto conv = parseNumberFormat(rules.format)) {
            result.text = formatNumber(*conv, parseLeadingNumber(text).value_or(0.0));
            result.caret = keepDistanceFromEnd(length, result.caret, utf8Length(result.text));
        }
    } else if (last == 'h' || last == 'H') {
        result.text = formatHex(parseHexNumber(text).value_or(0.0), hexDigitCount(rules.format));
        result.caret = keepDistanceFromEnd(length, result.caret, utf8Length(result.text));
        return result;
    } else if (last == 's' || last == 'S') {
        if (rules.maximum >= 1 && length > rules.maximum) {
            const int keep = static_cast<int>(std::min(rules.maximum, 1e6));
            result.text.resize(utf8Prefix(text, keep));
            result.caret = std::min(result.caret, keep);
        }
        return result;
    }

    if (rules.readOnly || !(rules.maximum > rules.minimum))
        return result;
    const double value = parseLeadingNumber(result.text).value_or(0.0);
    double limit = 0;
    if (value > rules.maximum)
        limit = rules.maximum;
    else if (value < rules.minimum)
        limit = rules.minimum;
    else
        return result;
    result.text = formatFieldNumber(rules.format, limit);
    result.caret = utf8Length(result.text);
    result.beep = true;
    return result;
}

} // namespace ks
