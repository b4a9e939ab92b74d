#pragma once

#include "framework/FieldList.h"
#include "framework/FieldListBlocks.h"
#include "i18n/DateTime.h"
#include "settings/BlockExchange.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTransfer.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ks {

class CUserPrompts;

// The parameter dialogs, each with its own field list, blocks and file kind.
enum class ParameterKind {
    Settings,     // settings sheet, "eta"
    Calibration,  // "etaBio"
    Factory,      // "rus"
    Outputs,      // analogue output adjustment, "sa"
    SpecialProbe, // "sp" ("ssp" in English)
    Special,      // special settings, "rsp"
    Oem,          // "dev"
    Echo,         // echo table, "esc"
};

// One parameter dialog without its window: its fields and their blocks, which blocks it
// reads, saves and writes, its file kind and its own rules. The desktop dialogs, the command
// line and the transfer chooser all work on this.
class CParameterSet {
public:
    virtual ~CParameterSet() = default;

    virtual ParameterKind kind() const = 0;
    virtual CFieldList& fields() = 0;
    virtual CFieldListBlocks& blocks() = 0;
    const CFieldList& fields() const { return const_cast<CParameterSet*>(this)->fields(); }

    // The blocks read from the meter after its identification, and the file's records.
    virtual std::vector<int> readOrder() const = 0;
    virtual std::vector<int> fileOrder() const = 0;
    // Whether the dialog writes anything to the meter (the echo table only reads).
    virtual bool writable() const { return true; }
    // Text numbers of the file kind ("description|extension") and of the dialog's caption.
    int kindText() const;
    int captionText() const;
    // The dialog's own firmware display, filled from a file's header; 0 for none.
    virtual int firmwareField() const { return 0; }

    // The dialog's rules, after every read, load or change of a field.
    virtual void refresh() {}
    // Fields were set by their block keys, not through the dialog's edits (command line):
    // edits that stand for block fields follow them.
    virtual void blockFieldsSet() { refresh(); }

    // Reads the identification block, then the read order: 0, or the first failing read's
    // result.
    virtual int readFromMeter(CBlockExchange& meter);
    ParameterFileResult load(const std::string& path);
    ParameterFileResult save(const std::string& path, const CalendarTime& now);

    // The transfer command: asks "Voulez vous transférer ..." unless `ask` is false (the
    // installation asks nothing), then writes what the dialog writes.
    virtual TransferOutcome transfer(CBlockExchange& meter, CUserPrompts& prompts,
                                     const CalendarTime& now, bool ask);
    // Installation mode: the choices the opening makes before its transfer.
    virtual void prepareInstallation(const CalendarTime&) {}

    // For a desktop dialog that reads and loads the set's fields through its own exchange
    // and files: the steps the set runs after a read or a load, and before a save.
    void valuesComing() { beforeValues(); }
    void valuesRead() { afterRead(); }
    void valuesLoaded() { afterLoad(); }
    void commit() { commitEdits(); }

protected:
    // Values are about to arrive (read or load); values arrived from the meter, from a file.
    virtual void beforeValues() {}
    virtual void afterRead() { refresh(); }
    virtual void afterLoad() { refresh(); }
    // Values the dialog edits outside its blocks go into them (before a save or a write).
    virtual void commitEdits() {}
    // The blocks a transfer writes, in order.
    virtual std::vector<int> writeOrder() const = 0;
    // Writes the blocks in order; the outcome says which went through.
    TransferOutcome writeBlocks(CBlockExchange& meter, const std::vector<int>& order);
    bool confirmed(CUserPrompts& prompts, bool ask);
};

// The kind a file extension names (compared as text, as the file dialog's filter does);
// nullopt for an extension no dialog has.
std::optional<ParameterKind> kindOfExtension(const std::string& extension);
// The kind of a path by the extension after its last dot.
std::optional<ParameterKind> kindOfPath(const std::string& path);
// The extension of a kind's files in a language ("sp", or "ssp" in English).
std::string kindExtension(ParameterKind kind, int language = 1);
// The kind's text number ("Fichier Réglage Usine|rus").
int kindTextOf(ParameterKind kind);

// Who is asked about the program's settings when a dialog is built: velocity application,
// "Selection Type" (the settings sheet and the calibration use them).
struct ParameterContext {
    bool velocity = false;
    int selectionType = 1;
    int language = 1;
};

// A new dialog of that kind, its fields at their defaults. With dialogFields (a device
// dialog's list, the identification fields registered), the set registers its fields there
// and works on them; the settings sheet keeps a list of its own.
std::unique_ptr<CParameterSet> makeParameterSet(ParameterKind kind,
                                                const ParameterContext& context = {},
                                                CFieldList* dialogFields = nullptr);

// The five kinds "Sauvegarder tout" writes, in order.
const std::vector<ParameterKind>& saveAllKinds();

} // namespace ks
