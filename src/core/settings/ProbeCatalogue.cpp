#include "settings/ProbeCatalogue.h"

#include "settings/SettingsIds.h"

#include <cmath>

namespace ks {

namespace {

namespace F = settings::factory;

const ProbeEntry kFixed[] = {
    {"SA(----)", 0, 1, 0},
    {"SB(----)", 0, 1, 0},
    {"PR-A01", 5360, 50, 1},
    {"PR-A02", 5980, 85, 0},
    {"PR-A03", 5500, 41, 0},
    {"PR-A04", 6022, 82, 1},
    {"PR-A05", 6022, 109, 2},
    {"PR-A06", 6022, 48, 0},
    {"PR-A07", 6022, 82, 2},
    {"PR-A08", 6022, 63, 1},
    {"PR-A09", 5506, 83, 2},
    {"PR-A10", 6022, 63, 1},
    {"PR-A11", 6022, 63, 2},
    {"PR-A12", 5506, 83, 2},
    {"PR-W01", 0, 10, 0},
    {"PR-W02", 0, 10, 0},
    {"PR-W03", 0, 10, 1},
    {"PR-W04", 0, 10, 2},
    {"PR-W05", 0, 10, 3},
    {"PR-W06", 0, 10, 3},
    {"", 0, 0, 0},
    {"", 0, 0, 0},
    {"", 0, 0, 0},
    {"", 0, 0, 0},
};

bool endsTable(const ProbeEntry& e) {
    return e.angle == 0xFFFF || e.t0 == 0xFF || e.frequency == 0xFF;
}

double numberOf(const CFieldList& fields, int id) {
    const CField* f = fields.find(id);
    return f ? f->number() : 0;
}

std::string trimmedText(const CFieldList& fields, int id) {
    const CField* f = fields.find(id);
    if (!f)
        return {};
    std::string t = f->text();
    while (!t.empty() && t.back() == ' ')
        t.pop_back();
    return t;
}

// The special probe as the factory fields define it; an undefined one keeps its placeholder.
void defineSpecial(ProbeEntry& e, const char* prefix, const CFieldList& fields, int textId,
                   int angleId, int t0Id, int frequencyId) {
    const double t0 = numberOf(fields, t0Id);
    e.name = t0 != 0 ? std::string(prefix) + trimmedText(fields, textId)
                     : std::string(prefix) + "(----)";
    e.angle = static_cast<std::uint32_t>(std::lround(numberOf(fields, angleId) * 100));
    e.t0 = static_cast<std::uint8_t>(std::lround(t0 * 10));
    e.frequency = static_cast<std::uint8_t>(numberOf(fields, frequencyId));
}

void setNumber(CFieldList& fields, int id, double value) {
    if (CField* f = fields.find(id))
        f->setNumber(value);
}

} // namespace

CProbeCatalogue::CProbeCatalogue() {
    for (const ProbeEntry& e : kFixed) {
        if (endsTable(e))
            break;
        m_entries.push_back(e);
    }
}

CProbeCatalogue CProbeCatalogue::fromFactoryFields(const CFieldList& fields) {
    CProbeCatalogue c;
    defineSpecial(c.m_entries[kSpecialA], "SA", fields, F::kTextA, F::kAngleA, F::kT0A,
                  F::kFrequencyA);
    defineSpecial(c.m_entries[kSpecialB], "SB", fields, F::kTextB, F::kAngleB, F::kT0B,
                  F::kFrequencyB);
    return c;
}

int CProbeCatalogue::offeredCount() const {
    int n = 0;
    for (const ProbeEntry& e : m_entries)
        n += e.t0 != 0 ? 1 : 0;
    return n;
}

std::vector<std::string> CProbeCatalogue::names() const {
    std::vector<std::string> out;
    for (const ProbeEntry& e : m_entries)
        out.push_back(e.name);
    return out;
}

const ProbeEntry* CProbeCatalogue::at(int index) const {
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return nullptr;
    return &m_entries[static_cast<std::size_t>(index)];
}

bool CProbeCatalogue::isOffered(int index) const {
    const ProbeEntry* e = at(index);
    return e != nullptr && e->t0 != 0;
}

bool CProbeCatalogue::isStraight(int index) const {
    const ProbeEntry* e = at(index);
    return e == nullptr || e->angle == 0;
}

void copySpecialProbe(const CProbeCatalogue& catalogue, int index, CFieldList& fields) {
    const ProbeEntry* e = catalogue.at(index);
    if (!e || !CProbeCatalogue::isSpecial(index))
        return;
    const bool b = index == CProbeCatalogue::kSpecialB;
    setNumber(fields, b ? F::kAngleB : F::kAngleA, e->angle / 100.0);
    setNumber(fields, b ? F::kT0B : F::kT0A, e->t0 / 10.0);
    if (CField* f = fields.find(b ? F::kFrequencyB : F::kFrequencyA))
        f->setListIndex(e->frequency);
    CField* text = fields.find(b ? F::kTextB : F::kTextA);
    if (text) {
        const bool defined = numberOf(fields, b ? F::kT0B : F::kT0A) != 0;
        text->setText(defined && e->name.size() > 2 ? e->name.substr(2) : std::string());
    }
}

} // namespace ks
