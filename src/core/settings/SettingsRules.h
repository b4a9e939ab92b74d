#pragma once

#include "framework/FieldList.h"
#include "settings/ProbeCatalogue.h"

#include <string>

namespace ks {

// How the sheet was opened.
namespace sheetmode {
inline constexpr int kMeter = 1;         // read from the meter (also the unshown sheet)
inline constexpr int kDefaults = 2;      // no meter, no file
inline constexpr int kFile = 4;          // values from a settings file
inline constexpr int kInstallation = 16; // read, transfer at once, close
inline constexpr int kComparison = 36;   // the reference side of a comparison
} // namespace sheetmode

// What the sheet takes from the program's settings.
struct SheetContext {
    int mode = sheetmode::kMeter;
    bool velocity = false; // the program's "Application" setting is 1
    int selectionType = 1; // "Selection Type": the application chosen when no meter is there
};

// The refresh rules of the settings sheet, acting on its field list: which choice lists the
// meter's application offers, what is shown, enabled and titled, and the values that follow
// from others (selected probe, QT formula). The sheet runs them after every read, load and
// change of a field; they never touch a widget.
class CSettingsRules {
public:
    CSettingsRules(CFieldList& fields, SheetContext context);

    SheetContext& context() { return m_context; }
    const SheetContext& context() const { return m_context; }

    // 1 one chord, 2 two chords, 3 two pipes, from the identification flags of the fields.
    static int applicationType(const CFieldList& fields);
    int applicationType() const { return applicationType(m_fields); }

    // New values arrived (read or load): the next refresh selects the probe they name.
    void valuesLoaded() { m_refreshed = false; }
    void refresh();

    // The probe catalogue as the last refresh built it.
    const CProbeCatalogue& catalogue() const { return m_catalogue; }
    // The title of the fourth page: flow or velocity outputs.
    int outputsPageTitle() const;

    // Opening in installation mode: the clock set to now, synchronisation and both totaliser
    // resets selected.
    void prepareInstallation(unsigned long long clockNumber);
    // A program with a customer logo shows no device name of its own.
    void clearLineOneForLogo();

private:
    CField& at(int id);
    void show(int id, bool shown);
    int index(int id);
    void setLists(int type);
    void firstRefresh(int type);
    void chordRules(int type);
    void pipeRules(int type);
    void outputRules(int type);

    CFieldList& m_fields;
    SheetContext m_context;
    CProbeCatalogue m_catalogue;
    bool m_refreshed = false;
    CField m_missing; // stands in for a field the list lacks
};

// The text of a list field's entry, or the value of any other field.
std::string entryText(const CField& field);

} // namespace ks
