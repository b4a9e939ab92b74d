#pragma once

#include "settings/LinkBlockExchange.h"
#include "settings/ParameterSet.h"
#include "settings/SettingsSheet.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace ks::cli {

class CliContext;

// The parameter dialogs from a terminal: what settings read, write, show, set and diff do with
// a file of a dialog other than the settings sheet, and what save-all and install share.

// `settings SUB ARGS` when the arguments name another dialog's file (by its extension, or
// "--kind EXT"): runs it, puts the exit status into `status` and returns true. False when the
// arguments are the settings sheet's.
bool runOtherParameterKind(CliContext& ctx, const std::string& sub, std::vector<std::string> args,
                           int& status);

// The dialog's context from the configuration: application, "Selection Type", language
// (`language` > 0 overrides it).
ParameterContext parameterContext(CliContext& ctx, int language = 0);

// A block exchange of the dialog's fields over the command's link at a slave number; it
// remembers the link's last failure code. nullptr after printing why the link is not open.
struct MeterExchange {
    std::unique_ptr<CLinkBlockExchange> exchange;
    int failure = 0;
};
std::unique_ptr<MeterExchange> meterExchange(CliContext& ctx, CParameterSet& dialog, int slave);

// Reads the dialog from the meter: 0, or an exit status after printing why.
int readDialog(CliContext& ctx, CParameterSet& dialog);
// Loads and saves a dialog's file: 0, or 1 after printing the file's message.
int loadDialog(CliContext& ctx, CParameterSet& dialog, const std::string& path);
int saveDialog(CliContext& ctx, CParameterSet& dialog, const std::string& path);

// Prints what a dialog shows, as text or JSON.
void printPages(std::ostream& o, const std::vector<SheetViewPage>& pages, bool json);
// The transfer's outcome: "written: 0x2200", or why not; the exit status.
int reportTransfer(CliContext& ctx, const TransferOutcome& outcome, int failure);

} // namespace ks::cli
