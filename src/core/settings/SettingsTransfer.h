#pragma once

#include "framework/FieldList.h"
#include "i18n/DateTime.h"
#include "settings/BlockExchange.h"
#include "settings/SettingsRules.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ks {

class CUserPrompts;

// What a transfer of the settings sheet did.
struct TransferOutcome {
    enum class Status {
        Written,      // every block of the write order went to the meter
        Prepared,     // installation mode: the write order is ready, the opening writes it
        Declined,     // the user answered No
        ReadFailed,   // a block needed first could not be read (the link error was shown)
        TypeMismatch, // the meter is of another application type than the settings
        WriteFailed,  // a block could not be written; `written` holds those before it
    };
    Status status = Status::Written;
    std::vector<int> order;   // the blocks to write, in order
    std::vector<int> written; // those the meter took
    int failedBlock = -1;
};

// Writes the blocks in order and stops at the first the meter refuses; the outcome says which
// went through.
TransferOutcome writeBlocksInOrder(CBlockExchange& meter, const std::vector<int>& order);

// The totaliser reset word: 0x10000 resets totaliser 1, 0x1 totaliser 2.
std::uint32_t totaliserResetWord(bool resetFirst, bool resetSecond);
// "Monocorde", "Bicorde", "Biconduite" for application types 1 to 3.
std::string applicationTypeName(int type, int language);
// The two-line refusal: the connected unit's type, then the file's.
std::string typeMismatchMessage(int meterType, int sheetType, int language);

// The transfer command of the settings sheet: asks, checks that the meter is of the sheet's
// application type, completes the special probe, the clock and the totaliser command, and
// writes the blocks in the order clock, factory, settings, totaliser command.
class CSettingsTransfer {
public:
    CSettingsTransfer(CFieldList& fields, CSettingsRules& rules, CBlockExchange& meter,
                      CUserPrompts& prompts);

    // now: the PC's time for the clock synchronisation.
    TransferOutcome run(const CalendarTime& now);

    // Writes the blocks of a prepared order (installation mode).
    TransferOutcome writeOrder(const std::vector<int>& order);

private:
    bool yes(int field) const;

    CFieldList& m_fields;
    CSettingsRules& m_rules;
    CBlockExchange& m_meter;
    CUserPrompts& m_prompts;
};

} // namespace ks
