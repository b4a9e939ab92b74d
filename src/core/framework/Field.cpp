#include "framework/Field.h"

#include "framework/FieldFormat.h"
#include "i18n/TextTable.h"

#include <cmath>
#include <limits>

namespace ks {

namespace {

bool isTextType(int type) {
    switch (type & 0xFF00) {
    case 0x5000: // date and time
    case 0x6000:
    case 0x7000:
    case 0xC000: // BCD date and time
    case 0xD000: // date and time at odd offsets
        return true;
    default:
        return false;
    }
}

bool isHexFormat(std::string_view format) {
    const char last = formatLastChar(format);
    return (last == 'h' || last == 'H') && format.find("auto") == std::string_view::npos;
}

int toIndex(double value) {
    if (!std::isfinite(value))
        return -1;
    const double r = std::round(value);
    if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(r);
}

} // namespace

std::string resolveFieldFormat(unsigned kind, int type, std::string_view registered) {
    constexpr unsigned kTextKinds = FieldKind::kGrid | FieldKind::kGroup | FieldKind::kSeparator |
                                    FieldKind::kSeparator2 | FieldKind::kTextOnly;
    if (isTextType(type) || (kind & kTextKinds) != 0 || kind == FieldKind::kHeading ||
        kind == FieldKind::kPageGroup)
        return "%s";
    if ((kind & FieldKind::kDisplay) != 0 && registered.empty())
        return "%s";
    if ((kind & FieldKind::kList) != 0)
        return "%c";
    if (kind == 0)
        return "%rien%";
    return std::string(registered);
}

CField::CField(const FieldSpec& spec)
    : m_id(spec.id), m_flags(spec.flags), m_labelId(spec.label), m_unitId(spec.unit),
      m_listId(spec.list), m_kind(spec.kind), m_default(spec.value), m_text(spec.value),
      m_minimum(spec.minimum), m_maximum(spec.maximum),
      m_format(resolveFieldFormat(spec.kind, spec.type, spec.format)), m_type(spec.type),
      m_offset(spec.offset), m_block(spec.block) {}

void CField::setRange(double minimum, double maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
}

void CField::setFormat(std::string_view format) {
    m_format = resolveFieldFormat(m_kind, m_type, format);
}

bool CField::isListDisplay() const {
    return isDisplay() && !isList() && formatLastChar(m_format) == 'l';
}

bool CField::isInBlock(int blockCode) const {
    return m_block == blockCode && m_offset >= 0 && (m_kind & FieldKind::kValueControls) != 0;
}

double CField::number() const {
    if (isList()) {
        const int index = listIndex();
        return index < 0 ? 0 : index;
    }
    const auto value = isHexFormat(m_format) ? parseHexNumber(m_text) : parseLeadingNumber(m_text);
    return value.value_or(0.0);
}

int CField::setNumber(double value) {
    if (isList())
        return setListIndex(toIndex(value));
    if (isClamped() && m_maximum > m_minimum) {
        if (value > m_maximum)
            value = m_maximum;
        else if (value < m_minimum)
            value = m_minimum;
    }
    m_text = formatFieldNumber(m_format, value);
    return 0;
}

int CField::listIndex() const {
    const auto value = parseLeadingNumber(m_text);
    return value ? toIndex(*value) : -1;
}

bool CField::acceptsIndex(int index) const {
    if (index < 0)
        return false;
    if (isList()) {
        const CChoiceList list = choices();
        return list.entries().empty() || list.offers(index);
    }
    if (isListDisplay()) {
        const auto texts = listTexts();
        return texts.empty() || index < static_cast<int>(texts.size());
    }
    return true;
}

int CField::setListIndex(int index) {
    if (!isList() && !isListDisplay())
        return setNumber(index);
    if (!acceptsIndex(index))
        return -1;
    m_text = std::to_string(index);
    return 0;
}

std::string CField::shownText() const {
    if (isList() || isListDisplay()) {
        const int index = listIndex();
        const auto texts = listTexts();
        if (index >= 0 && index < static_cast<int>(texts.size()))
            return texts[static_cast<std::size_t>(index)];
    }
    return m_text;
}

std::string CField::label() const {
    if (m_labelOverride)
        return *m_labelOverride;
    if (m_labelId == 0)
        return {};
    CTextTable table;
    return table.text(m_labelId, m_language);
}

std::string CField::unit() const {
    if (m_unitOverride)
        return *m_unitOverride;
    if (m_unitId == 0)
        return {};
    CTextTable table;
    return table.text(m_unitId, m_language);
}

void CField::setLabelTextId(int number) {
    m_labelId = number;
    m_labelOverride.reset();
}

void CField::setUnitTextId(int number) {
    m_unitId = number;
    m_unitOverride.reset();
}

std::vector<std::string> CField::listTexts() const {
    if (m_listOverride)
        return *m_listOverride;
    if (m_listId == 0)
        return {};
    CTextTable table;
    return table.lookup(m_listId, m_language);
}

void CField::setListTextId(int number) {
    m_listId = number;
    m_listOverride.reset();
}

CChoiceList CField::choices() const {
    CChoiceList list(listTexts(), m_minimum, m_maximum, isSorted());
    for (int index : m_hiddenChoices)
        list.setShown(index, false);
    return list;
}

void CField::hideChoice(int index, bool hidden) {
    if (hidden)
        m_hiddenChoices.insert(index);
    else
        m_hiddenChoices.erase(index);
}

} // namespace ks
