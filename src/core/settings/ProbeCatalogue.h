#pragma once

#include "framework/FieldList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ks {

// One probe the sheet offers: name, refraction angle in hundredths of a degree, T0 in tenths
// of a microsecond, frequency index (2 MHz, 1 MHz, 500 KHz, ...).
struct ProbeEntry {
    std::string name;
    std::uint32_t angle = 0;
    std::uint8_t t0 = 0;
    std::uint8_t frequency = 0;
};

// The probes of the settings sheet: the two special probes (SA, SB), whose definition comes
// from the factory settings, then the fixed probe types.
class CProbeCatalogue {
public:
    static constexpr int kSpecialA = 0;
    static constexpr int kSpecialB = 1;
    static constexpr int kCapacity = 24;

    CProbeCatalogue(); // the fixed table, special probes undefined
    // The fixed table with SA and SB taken from the factory fields of the list (their text,
    // angle, T0 and frequency); a probe whose T0 is 0 is undefined: "SA(----)", "SB(----)".
    static CProbeCatalogue fromFactoryFields(const CFieldList& fields);

    // The entries before the end mark (an angle of 0xFFFF, or a T0 or frequency of 0xFF).
    const std::vector<ProbeEntry>& entries() const { return m_entries; }
    // How many probes are offered: entries with a non-zero T0.
    int offeredCount() const;
    // The name of every entry, in table order (a list index is a catalogue index); the probe
    // list hides the entries that are not offered.
    std::vector<std::string> names() const;
    bool isOffered(int index) const;
    const ProbeEntry* at(int index) const;
    // Straight path: angle 0.
    bool isStraight(int index) const;

    static bool isSpecial(int index) { return index == kSpecialA || index == kSpecialB; }

private:
    std::vector<ProbeEntry> m_entries;
};

// Copies special probe SA or SB of the catalogue into the factory fields: angle / 100, T0 / 10,
// frequency, and the name without its "SA"/"SB" (empty when the factory T0 is 0).
void copySpecialProbe(const CProbeCatalogue& catalogue, int index, CFieldList& fields);

} // namespace ks
