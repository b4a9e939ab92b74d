#pragma once

#include <string>

namespace ks {

// A field's value as the block coding sees it. Numbers are the shown values (the stored
// integer divided by the format's scale); a date carries both its 48-bit number (what is
// written back) and its text (what is shown); a text field carries its text only.
struct FieldValue {
    double number = 0;
    std::string text;

    static FieldValue ofNumber(double n) { return {n, {}}; }
    static FieldValue ofText(std::string t) { return {0, std::move(t)}; }

    bool operator==(const FieldValue&) const = default;
};

} // namespace ks
