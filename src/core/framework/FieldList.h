#pragma once

#include "framework/Field.h"

#include <cstddef>
#include <deque>

namespace ks {

// The fields of a dialog in registration order: what the dialog shows, reads, writes, prints
// and compares. Fields keep their address for the life of the list (registering more does not
// move them), so widgets and rules may hold on to a field.
class CFieldList {
public:
    using iterator = std::deque<CField>::iterator;
    using const_iterator = std::deque<CField>::const_iterator;

    // Registers a row; the field takes the list's language.
    CField& add(const FieldSpec& spec);
    // Registers a copy of a field of another list (a dialog embedding another's fields).
    CField& add(const CField& field);
    // Copies every field of another list, in its order.
    void append(const CFieldList& other);

    // The first field registered with that control id; nullptr for 0 or an unknown id.
    CField* find(int id);
    const CField* find(int id) const;

    std::size_t size() const { return m_fields.size(); }
    bool empty() const { return m_fields.empty(); }
    CField& operator[](std::size_t i) { return m_fields[i]; }
    const CField& operator[](std::size_t i) const { return m_fields[i]; }
    iterator begin() { return m_fields.begin(); }
    iterator end() { return m_fields.end(); }
    const_iterator begin() const { return m_fields.begin(); }
    const_iterator end() const { return m_fields.end(); }

    // The language of every field, now and for fields registered later.
    int language() const { return m_language; }
    void setLanguage(int language);

    // Every field back to its registered default.
    void resetToDefaults();

private:
    std::deque<CField> m_fields;
    int m_language = 1;
};

} // namespace ks
