#include "framework/PrintLines.h"

namespace ks {

std::vector<PrintLine> fieldPrintLines(const CFieldList& fields) {
    using Kind = PrintLine::Kind;
    std::vector<PrintLine> lines;
    for (const CField& f : fields) {
        if (!f.isShown())
            continue;
        const unsigned kind = f.kind();
        if ((kind & (FieldKind::kSeparator | FieldKind::kSeparator2)) != 0) {
            lines.push_back({Kind::Separator, {}, {}});
        } else if (f.isPrintHeading() || f.isGroupBox()) {
            if (f.hasLabel())
                lines.push_back({Kind::Heading, f.label(), {}});
        } else if ((kind & FieldKind::kValueControls) != 0 && !f.isValueOnly()) {
            if (!f.hasLabel())
                continue;
            std::string value = f.shownText();
            if (f.hasUnit() && !f.unit().empty())
                value += " " + f.unit();
            lines.push_back({Kind::Field, f.label(), value});
        } else if ((kind & FieldKind::kTextOnly) != 0 && f.hasLabel()) {
            lines.push_back({Kind::Text, f.label(), {}});
        }
    }
    return lines;
}

} // namespace ks
