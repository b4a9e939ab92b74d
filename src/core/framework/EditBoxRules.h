#pragma once

#include <string>
#include <string_view>

namespace ks {

// How an edit box checks what the user typed: its display format, its range and whether it
// is read-only. For text formats ("...s") the maximum is the length in characters.
struct EditBoxRules {
    std::string format;
    double minimum = 0;
    double maximum = 0;
    bool readOnly = false;
};

struct EditBoxResult {
    std::string text;
    int caret = 0;     // in characters from the start of the text
    bool beep = false; // the text was put back into the range
};

// The text an edit box shows after the user changed it (caret in characters):
// 1. by the format's last character: "f"/"F" reads the leading number and prints it again
//    with the format, the caret kept at the same distance from the end; "h"/"H" shows "0x"
//    and the value in hexadecimal with the format's digit count, caret likewise; "s"/"S" cuts
//    a text longer than the maximum, caret kept;
// 2. unless read-only or a "s"/"h" format, when maximum > minimum: a value above the maximum
//    (below the minimum) is replaced by the maximum (minimum) printed with the format, the
//    caret goes to the end, and beep is set.
// A format that is not a safe number format leaves number texts as typed.
EditBoxResult applyEditBoxRules(std::string_view text, int caret, const EditBoxRules& rules);

// Number of characters (UTF-8 code points) of a text.
int utf8Length(std::string_view text);

} // namespace ks
