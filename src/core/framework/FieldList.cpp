#include "framework/FieldList.h"

namespace ks {

CField& CFieldList::add(const FieldSpec& spec) {
    CField& field = m_fields.emplace_back(spec);
    field.setLanguage(m_language);
    return field;
}

CField& CFieldList::add(const CField& field) {
    CField& copy = m_fields.emplace_back(field);
    copy.setLanguage(m_language);
    return copy;
}

void CFieldList::append(const CFieldList& other) {
    if (&other == this) {
        const std::size_t count = m_fields.size();
        for (std::size_t i = 0; i < count; ++i)
            add(CField(m_fields[i]));
        return;
    }
    for (const CField& field : other)
        add(field);
}

CField* CFieldList::find(int id) {
    if (id == 0)
        return nullptr;
    for (CField& field : m_fields)
        if (field.id() == id)
            return &field;
    return nullptr;
}

const CField* CFieldList::find(int id) const {
    return const_cast<CFieldList*>(this)->find(id);
}

void CFieldList::setLanguage(int language) {
    m_language = language;
    for (CField& field : m_fields)
        field.setLanguage(language);
}

void CFieldList::resetToDefaults() {
    for (CField& field : m_fields)
        field.resetToDefault();
}

} // namespace ks
