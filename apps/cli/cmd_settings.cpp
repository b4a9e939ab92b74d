// settings: the settings sheet from a terminal. read, write, show, set and diff work on the
// same field list, rules, transfer and files as the desktop sheet.
#include "CliCommand.h"
#include "CliPrompts.h"
#include "ParameterCommands.h"
#include "app/FlowApp.h"
#include "app/ProfileKeys.h"
#include "app/UserPrompts.h"
#include "i18n/DateTime.h"
#include "i18n/TextTable.h"
#include "link/JBusLink.h"
#include "settings/LinkBlockExchange.h"
#include "settings/SettingsCompare.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsSheet.h"
#include "settings/SettingsTransfer.h"
#include "shell/DialogLanguage.h"

#include <iostream>
#include <memory>
#include <ostream>

namespace ks::cli {

int reportFailure(CliContext& ctx, int code);

namespace {

namespace id = settings::id;

constexpr const char* kUsage =
    "usage: settings read OUT.eta\n"
    "       settings write IN.eta [--yes] [--sync-clock] [--reset-totaliser 1|2|both]\n"
    "       settings show FILE.eta|--meter [--lang L] [--json]\n"
    "       settings set IN.eta OUT.eta KEY=VALUE...\n"
    "       settings diff REF.eta [CUR.eta|--meter] [--lang L]\n"
    "every other parameter file by its extension (etaBio, rus, sa, sp, rsp, dev, esc):\n"
    "       settings read|write|show|set|diff with FILE.EXT; --meter --kind EXT\n";

struct Env {
    int language = 1;
    SheetContext context;
};

Env environment(CliContext& ctx, int language) {
    Env e;
    const CProfileFile cfg = ctx.app->configuration();
    e.language = language > 0 ? language : dialogLanguage(cfg);
    e.context.velocity = cfg.readInteger(profile::kApplication) == 1;
    e.context.selectionType = cfg.readInteger(profile::kSelectionType);
    return e;
}

std::unique_ptr<CSettingsSheet> newSheet(const Env& e, int mode) {
    SheetContext c = e.context;
    c.mode = mode;
    return std::make_unique<CSettingsSheet>(c, e.language);
}

// Reads the sheet from the meter; 0 or 1 after printing why.
int readMeter(CliContext& ctx, CSettingsSheet& sheet) {
    CJBusLink* link = ctx.link();
    if (!link)
        return 1;
    CLinkBlockExchange meter(*link, sheet.blocks(), ctx.options.slave);
    if (ctx.options.timeoutMs > 0)
        meter.setTimeouts(ctx.options.timeoutMs, ctx.options.timeoutMs);
    int failure = 0;
    meter.setFailureHandler([&](int, int code) { failure = code; });
    if (sheet.readFromMeter(meter) != 0) {
        if (failure != 0)
            return reportFailure(ctx, failure);
        *ctx.err << "the meter's reply does not fit its block\n";
        return 1;
    }
    return 0;
}

int loadFile(CliContext& ctx, CSettingsSheet& sheet, const std::string& path) {
    const ParameterFileResult r =
        loadParameterFile(path, sheet.blocks(), sheetFileOrder(), id::kFirmware);
    if (!r.ok()) {
        *ctx.err << path << ": " << r.message << "\n";
        return 1;
    }
    sheet.rules().valuesLoaded();
    sheet.refresh();
    return 0;
}

int saveFile(CliContext& ctx, CSettingsSheet& sheet, const std::string& path) {
    CTextTable t;
    const ParameterFileResult r =
        saveParameterFile(path, t.text(300, sheet.fields().language()), sheet.blocks(),
                          sheetFileOrder(), CDateTime::now().fields());
    if (!r.ok()) {
        *ctx.err << path << ": " << r.message << "\n";
        return 1;
    }
    return 0;
}

void printView(std::ostream& o, const CSettingsSheet& sheet, bool json) {
    printPages(o, sheetView(sheet), json);
}

// Pulls "--lang L" and "--json" out of the arguments.
bool takeDisplayOptions(std::vector<std::string>& args, int& language, bool& json) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json")
            json = true;
        else if (args[i] == "--lang" && i + 1 < args.size()) {
            language = std::atoi(args[++i].c_str());
            if (language < 1 || language > 5)
                return false;
        } else
            rest.push_back(args[i]);
    }
    args = rest;
    return true;
}

int runRead(CliContext& ctx, const std::vector<std::string>& a) {
    if (a.size() != 1) {
        *ctx.err << kUsage;
        return 2;
    }
    auto sheet = newSheet(environment(ctx, 0), sheetmode::kMeter);
    if (int r = readMeter(ctx, *sheet))
        return r;
    return saveFile(ctx, *sheet, a[0]);
}

int runShow(CliContext& ctx, std::vector<std::string> a) {
    int language = 0;
    bool json = false;
    if (!takeDisplayOptions(a, language, json) || a.size() != 1) {
        *ctx.err << kUsage;
        return 2;
    }
    const Env e = environment(ctx, language);
    const bool meter = a[0] == "--meter";
    auto sheet = newSheet(e, meter ? sheetmode::kMeter : sheetmode::kFile);
    if (int r = meter ? readMeter(ctx, *sheet) : loadFile(ctx, *sheet, a[0]))
        return r;
    printView(*ctx.out, *sheet, json);
    return 0;
}

int runSet(CliContext& ctx, const std::vector<std::string>& a) {
    if (a.size() < 3) {
        *ctx.err << kUsage;
        return 2;
    }
    auto sheet = newSheet(environment(ctx, 0), sheetmode::kFile);
    if (int r = loadFile(ctx, *sheet, a[0]))
        return r;
    for (std::size_t i = 2; i < a.size(); ++i) {
        const auto eq = a[i].find('=');
        if (eq == std::string::npos) {
            *ctx.err << kUsage;
            return 2;
        }
        CField* f = findByKey(sheet->fields(), a[i].substr(0, eq));
        if (!f) {
            *ctx.err << "no field " << a[i].substr(0, eq) << "\n";
            return 2;
        }
        std::string error;
        if (setFieldFromText(*f, a[i].substr(eq + 1), error) != 0) {
            *ctx.err << error << "\n";
            return 1;
        }
        sheet->refresh();
    }
    return saveFile(ctx, *sheet, a[1]);
}

int runWrite(CliContext& ctx, const std::vector<std::string>& a) {
    bool yes = false, sync = false, reset1 = false, reset2 = false;
    std::string path;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--yes")
            yes = true;
        else if (a[i] == "--sync-clock")
            sync = true;
        else if (a[i] == "--reset-totaliser" && i + 1 < a.size()) {
            const std::string w = a[++i];
            if (w != "1" && w != "2" && w != "both") {
                *ctx.err << kUsage;
                return 2;
            }
            reset1 = reset1 || w != "2";
            reset2 = reset2 || w != "1";
        } else if (path.empty())
            path = a[i];
        else {
            *ctx.err << kUsage;
            return 2;
        }
    }
    if (path.empty()) {
        *ctx.err << kUsage;
        return 2;
    }
    auto sheet = newSheet(environment(ctx, 0), sheetmode::kFile);
    if (int r = loadFile(ctx, *sheet, path))
        return r;
    sheet->fields().find(id::kSyncClock)->setListIndex(sync ? 0 : 1);
    sheet->fields().find(id::kResetTotaliser1)->setListIndex(reset1 ? 0 : 1);
    sheet->fields().find(id::kResetTotaliser2)->setListIndex(reset2 ? 0 : 1);
    CJBusLink* link = ctx.link();
    if (!link)
        return 1;
    CLinkBlockExchange meter(*link, sheet->blocks(), ctx.options.slave);
    int failure = 0;
    meter.setFailureHandler([&](int, int code) { failure = code; });
    CliPrompts prompts(*ctx.err, yes);
    CSettingsTransfer transfer(sheet->fields(), sheet->rules(), meter, prompts);
    const TransferOutcome out = transfer.run(CDateTime::now().fields());
    return reportTransfer(ctx, out, failure);
}

int runDiff(CliContext& ctx, std::vector<std::string> a) {
    int language = 0;
    bool json = false;
    if (!takeDisplayOptions(a, language, json) || a.empty() || a.size() > 2) {
        *ctx.err << kUsage;
        return 2;
    }
    const Env e = environment(ctx, language);
    const bool meter = a.size() == 1 || a[1] == "--meter";
    auto current = newSheet(e, meter ? sheetmode::kMeter : sheetmode::kFile);
    if (int r = meter ? readMeter(ctx, *current) : loadFile(ctx, *current, a[1]))
        return r;
    auto reference = newSheet(e, sheetmode::kComparison);
    if (int r = loadFile(ctx, *reference, a[0]))
        return r;
    const auto rows = compareFieldLists(current->fields(), reference->fields());
    if (!rows)
        return 2;
    const DifferenceReport rep =
        differenceReport(*rows, a[0], meter ? std::string() : a[1], e.language);
    std::ostream& o = *ctx.out;
    o << rep.referenceLine << "\n" << rep.currentLine << "\n";
    o << rep.columns[0] << "\t" << rep.columns[1] << "\t" << rep.columns[2] << "\t"
      << rep.columns[3] << "\n";
    for (const DifferenceRow& r : rep.rows)
        o << r.label << "\t" << r.reference << "\t" << r.current << "\t" << r.unit << "\n";
    return rep.rows.empty() ? 0 : 1;
}

int runSettings(CliContext& ctx) {
    if (ctx.args.empty()) {
        *ctx.err << kUsage;
        return 2;
    }
    const std::string sub = ctx.args[0];
    std::vector<std::string> a(ctx.args.begin() + 1, ctx.args.end());
    // The other dialogs' files go to their own commands.
    if (int status = 0; runOtherParameterKind(ctx, sub, a, status))
        return status;
    if (sub == "read")
        return runRead(ctx, a);
    if (sub == "write")
        return runWrite(ctx, a);
    if (sub == "show")
        return runShow(ctx, a);
    if (sub == "set")
        return runSet(ctx, a);
    if (sub == "diff")
        return runDiff(ctx, a);
    *ctx.err << kUsage;
    return 2;
}

const CliCommandRegistration reg{
    "settings", "settings read|write|show|set|diff ... (settings help)", &runSettings};

} // namespace
} // namespace ks::cli
