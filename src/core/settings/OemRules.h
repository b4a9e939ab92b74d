#pragma once

#include "framework/FieldList.h"

namespace ks {

// What the OEM dialog's lists offer: only the models and applications block 0x4000 enables.
// Lists keep the full list's indexes, so the stored byte is the model's place among all ten;
// a stored value the list no longer offers stays as it is until the user picks another.
class COemRules {
public:
    explicit COemRules(CFieldList& fields) : m_fields(fields) {}

    // Every entry offered again, so that a read or a load may bring any stored value.
    void offerAll();
    void refresh();

    // Whether model 1 .. 10, application 1 .. 3 (one chord, two chords, two pipes) is enabled.
    bool modelEnabled(int model) const;
    bool applicationEnabled(int application) const;

private:
    bool yes(int id) const;

    CFieldList& m_fields;
};

} // namespace ks
