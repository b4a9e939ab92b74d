#pragma once

#include "framework/FieldList.h"
#include "i18n/DateTime.h"
#include "settings/BlockExchange.h"
#include "settings/ParameterSet.h"

#include <array>
#include <memory>
#include <string>

namespace ks {

class CUserPrompts;

// What the transfer chooser needs from the program around it.
class CInstallationHost {
public:
    virtual ~CInstallationHost() = default;
    // The program's JBus slave number setting.
    virtual int slaveNumber() const = 0;
    virtual void setSlaveNumber(int slave) = 0;
    // Block reads and writes of a dialog's fields with the meter, at the slave number the
    // setting holds now.
    virtual std::unique_ptr<CBlockExchange> exchangeFor(CParameterSet& dialog) = 0;
    // The main window's progress indicator, one step before each item.
    virtual void advanceProgress() {}
};

// The transfer chooser ("I&nitialisation"): prepares a new meter in one pass, settings,
// factory settings and analogue output adjustment, each on demand.
class CTransferChooser {
public:
    enum Item { kSettings = 0, kFactory = 1, kOutputs = 2 };

    struct ItemOutcome {
        bool chosen = false;
        bool ok = false;
        TransferOutcome transfer; // what the item wrote, when it got that far
        std::string message;      // a file's refusal
    };
    struct Outcome {
        bool ok = false; // every chosen item ended with OK
        std::array<ItemOutcome, 3> items;
    };

    CTransferChooser(CInstallationHost& host, CUserPrompts& prompts,
                     const ParameterContext& context);

    // The three lists "Paramétrage", "Réglage usine", "Réglages des sorties courant", each
    // "Oui"/"Non" and "Non" at first.
    CFieldList& fields() { return m_fields; }
    void choose(Item item, bool yes);
    bool chosen(Item item) const;
    // The values of an item come from a file instead of the meter (command line).
    void setSource(Item item, const std::string& path) {
        m_sources[static_cast<std::size_t>(item)] = path;
    }

    // The transfer: the slave number setting is 1 for the duration and put back whatever
    // happens; the settings come first and the others follow only if they ended with OK.
    Outcome run(const CalendarTime& now);

private:
    ItemOutcome runItem(Item item, const CalendarTime& now);

    CInstallationHost& m_host;
    CUserPrompts& m_prompts;
    ParameterContext m_context;
    CFieldList m_fields;
    std::array<std::string, 3> m_sources;
};

} // namespace ks
