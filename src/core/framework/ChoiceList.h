#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ks {

// One entry of a choice list: its index in the full list (the value a field stores), whether
// it is offered, and its text.
struct ChoiceEntry {
    int index = 0;
    bool shown = true;
    std::string text;

    bool operator==(const ChoiceEntry&) const = default;
};

// The entries a choice list offers, in the order it shows them. A field's minimum drops
// leading entries and its maximum keeps that many of the rest (0 keeps all); dropped entries
// stay in the model, hidden, so positions and stored indexes never get mixed up.
class CChoiceList {
public:
    CChoiceList() = default;
    // texts: the full list; dropLeading and keepCount as the field's minimum and maximum
    // (negative or out-of-range numbers are held to the list); sorted: by text, ignoring case
    // and accents, ties in list order.
    CChoiceList(const std::vector<std::string>& texts, double dropLeading, double keepCount,
                bool sorted);

    // All entries, shown or not, in display order.
    const std::vector<ChoiceEntry>& entries() const { return m_entries; }
    // The shown entries only, in display order.
    std::vector<ChoiceEntry> shownEntries() const;
    int shownCount() const;

    // Position among the shown entries of the entry with that list index; -1 when it is not
    // shown or not in the list.
    int positionOf(int listIndex) const;
    // List index of the shown entry at that position; -1 outside.
    int indexAt(int position) const;
    // Whether an index is one the list offers.
    bool offers(int listIndex) const { return positionOf(listIndex) >= 0; }

    // Hides or shows one entry by its list index; false when there is none.
    bool setShown(int listIndex, bool shown);

private:
    std::vector<ChoiceEntry> m_entries;
};

// The key texts are sorted by: lower case, Latin accents and cedillas taken off, so that
// "Aço" sorts before "Alumínio" and "Téflon" next to "Teflon".
std::string choiceSortKey(std::string_view text);

} // namespace ks
