#pragma once

#include "framework/FieldList.h"

#include <string>
#include <vector>

namespace ks {

// One line of a dialog's printout.
struct PrintLine {
    enum class Kind {
        Heading,   // a print heading or a group's title, printed bold
        Field,     // caption and value (with its unit)
        Text,      // a text-only row
        Separator, // a rule across the page
    };
    Kind kind = Kind::Field;
    std::string caption;
    std::string value;

    bool operator==(const PrintLine&) const = default;
};

// What a printout of the field list shows, in registration order and in the fields' language:
// headings and group titles, each shown value field that has a caption (the value as the
// reader sees it: the entry of a list, then the unit), text-only rows and separators. Hidden
// and excluded fields, value-only fields and fields without a caption are left out.
std::vector<PrintLine> fieldPrintLines(const CFieldList& fields);

} // namespace ks
