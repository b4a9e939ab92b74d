// settings read|write|show|set|diff for the files of the service dialogs (calibration,
// factory, outputs, special probe, special settings, OEM, echo table).
#include "ParameterCommands.h"

#include "CliCommand.h"
#include "CliPrompts.h"
#include "app/FlowApp.h"
#include "app/ProfileKeys.h"
#include "i18n/DateTime.h"
#include "link/JBusLink.h"
#include "settings/ParameterView.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsCompare.h"
#include "shell/DialogLanguage.h"

#include <cstdio>
#include <cstdlib>
#include <ostream>

namespace ks::cli {

int reportFailure(CliContext& ctx, int code);

namespace {

std::string hexBlock(int block) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(block));
    return buf;
}

std::string jsonText(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\')
            out += '\\', out += static_cast<char>(c);
        else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else
            out += static_cast<char>(c);
    }
    return out + "\"";
}

// Options every subcommand may take, pulled out of the arguments.
struct Options {
    int language = 0;
    bool json = false;
    bool yes = false;
    bool syncClock = false;
    std::string kind; // --kind EXT
    std::string into; // --into SA|SB: the factory probe a special probe goes to
    bool bad = false;
};

Options takeOptions(std::vector<std::string>& args) {
    Options o;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json")
            o.json = true;
        else if (a == "--yes")
            o.yes = true;
        else if (a == "--sync-clock")
            o.syncClock = true;
        else if ((a == "--lang" || a == "--kind" || a == "--into") && i + 1 < args.size()) {
            if (a == "--kind")
                o.kind = args[++i];
            else if (a == "--into")
                o.into = args[++i];
            else {
                o.language = std::atoi(args[++i].c_str());
                o.bad = o.bad || o.language < 1 || o.language > 5;
            }
        } else
            rest.push_back(a);
    }
    args = rest;
    return o;
}

constexpr const char* kUsage =
    "usage: settings read OUT.EXT\n"
    "       settings write IN.EXT [--yes] [--sync-clock] [--into SA|SB]\n"
    "       settings show FILE.EXT|--meter --kind EXT [--lang L] [--json]\n"
    "       settings set IN.EXT OUT.EXT KEY=VALUE...\n"
    "       settings diff REF.EXT [CUR.EXT|--meter] [--lang L]\n"
    "EXT: etaBio, rus, sa, sp, rsp, dev, esc (eta: the settings sheet)\n";

int usage(CliContext& ctx) {
    *ctx.err << kUsage;
    return 2;
}

std::unique_ptr<CParameterSet> newDialog(CliContext& ctx, ParameterKind kind, int language) {
    return makeParameterSet(kind, parameterContext(ctx, language));
}

int runRead(CliContext& ctx, ParameterKind kind, const std::vector<std::string>& a) {
    if (a.size() != 1)
        return usage(ctx);
    auto dialog = newDialog(ctx, kind, 0);
    if (int r = readDialog(ctx, *dialog))
        return r;
    return saveDialog(ctx, *dialog, a[0]);
}

int runWrite(CliContext& ctx, ParameterKind kind, const std::vector<std::string>& a,
             const Options& o) {
    if (a.size() != 1)
        return usage(ctx);
    auto dialog = newDialog(ctx, kind, 0);
    if (!dialog->writable()) {
        *ctx.err << a[0] << ": the meter's echo tables are read only\n";
        return 2;
    }
    if (int r = loadDialog(ctx, *dialog, a[0]))
        return r;
    if (CField* sync = dialog->fields().find(settings::calibration::kSyncClock))
        sync->setListIndex(o.syncClock ? 0 : 1);
    if (CField* into = dialog->fields().find(settings::probe::kTarget); into && !o.into.empty()) {
        std::string error;
        if (setFieldFromText(*into, o.into, error) != 0) {
            *ctx.err << error << "\n";
            return 2;
        }
    }
    auto meter = meterExchange(ctx, *dialog, ctx.options.slave);
    if (!meter)
        return 1;
    CliPrompts prompts(*ctx.err, o.yes);
    const TransferOutcome out =
        dialog->transfer(*meter->exchange, prompts, CDateTime::now().fields(), true);
    return reportTransfer(ctx, out, meter->failure);
}

int runShow(CliContext& ctx, ParameterKind kind, const std::vector<std::string>& a,
            const Options& o) {
    if (a.size() != 1)
        return usage(ctx);
    auto dialog = newDialog(ctx, kind, o.language);
    const bool meter = a[0] == "--meter";
    if (int r = meter ? readDialog(ctx, *dialog) : loadDialog(ctx, *dialog, a[0]))
        return r;
    printPages(*ctx.out, parameterView(*dialog), o.json);
    return 0;
}

int runSet(CliContext& ctx, ParameterKind kind, const std::vector<std::string>& a) {
    if (a.size() < 3)
        return usage(ctx);
    if (kindOfPath(a[1]) != kind) {
        *ctx.err << a[1] << ": not a file of the same kind as " << a[0] << "\n";
        return 2;
    }
    auto dialog = newDialog(ctx, kind, 0);
    if (int r = loadDialog(ctx, *dialog, a[0]))
        return r;
    for (std::size_t i = 2; i < a.size(); ++i) {
        const auto eq = a[i].find('=');
        if (eq == std::string::npos)
            return usage(ctx);
        // The calibration edits Kh and Delta T0 1 of the settings it carries unshown.
        const bool carried = kind == ParameterKind::Calibration;
        CField* f = findByKey(dialog->fields(), a[i].substr(0, eq));
        if (!f || (!f->isShown() && !carried) || f->isValueOnly() || f->isDisplay()) {
            *ctx.err << "no field " << a[i].substr(0, eq) << "\n";
            return 2;
        }
        std::string error;
        if (setFieldFromText(*f, a[i].substr(eq + 1), error) != 0) {
            *ctx.err << error << "\n";
            return 1;
        }
        dialog->blockFieldsSet();
    }
    return saveDialog(ctx, *dialog, a[1]);
}

int runDiff(CliContext& ctx, ParameterKind kind, const std::vector<std::string>& a,
            const Options& o) {
    if (a.empty() || a.size() > 2)
        return usage(ctx);
    const bool meter = a.size() == 1 || a[1] == "--meter";
    auto current = newDialog(ctx, kind, o.language);
    if (int r = meter ? readDialog(ctx, *current) : loadDialog(ctx, *current, a[1]))
        return r;
    auto reference = newDialog(ctx, kind, o.language);
    if (int r = loadDialog(ctx, *reference, a[0]))
        return r;
    const auto rows = compareFieldLists(current->fields(), reference->fields());
    if (!rows)
        return 2;
    const DifferenceReport rep =
        differenceReport(*rows, a[0], meter ? std::string() : a[1], current->fields().language());
    std::ostream& out = *ctx.out;
    out << rep.referenceLine << "\n" << rep.currentLine << "\n";
    out << rep.columns[0] << "\t" << rep.columns[1] << "\t" << rep.columns[2] << "\t"
        << rep.columns[3] << "\n";
    for (const DifferenceRow& r : rep.rows)
        out << r.label << "\t" << r.reference << "\t" << r.current << "\t" << r.unit << "\n";
    return rep.rows.empty() ? 0 : 1;
}

} // namespace

ParameterContext parameterContext(CliContext& ctx, int language) {
    ParameterContext c;
    const CProfileFile cfg = ctx.app->configuration();
    c.language = language > 0 ? language : dialogLanguage(cfg);
    c.velocity = cfg.readInteger(profile::kApplication) == 1;
    c.selectionType = cfg.readInteger(profile::kSelectionType);
    return c;
}

std::unique_ptr<MeterExchange> meterExchange(CliContext& ctx, CParameterSet& dialog, int slave) {
    CJBusLink* link = ctx.link();
    if (!link)
        return nullptr;
    auto m = std::make_unique<MeterExchange>();
    m->exchange = std::make_unique<CLinkBlockExchange>(*link, dialog.blocks(), slave);
    if (ctx.options.timeoutMs > 0)
        m->exchange->setTimeouts(ctx.options.timeoutMs, ctx.options.timeoutMs);
    MeterExchange* raw = m.get();
    m->exchange->setFailureHandler([raw](int, int code) { raw->failure = code; });
    return m;
}

int readDialog(CliContext& ctx, CParameterSet& dialog) {
    auto meter = meterExchange(ctx, dialog, ctx.options.slave);
    if (!meter)
        return 1;
    if (dialog.readFromMeter(*meter->exchange) != 0) {
        if (meter->failure != 0)
            return reportFailure(ctx, meter->failure);
        *ctx.err << "the meter's reply does not fit its block\n";
        return 1;
    }
    return 0;
}

int loadDialog(CliContext& ctx, CParameterSet& dialog, const std::string& path) {
    const ParameterFileResult r = dialog.load(path);
    if (!r.ok()) {
        *ctx.err << path << ": " << r.message << "\n";
        return 1;
    }
    return 0;
}

int saveDialog(CliContext& ctx, CParameterSet& dialog, const std::string& path) {
    const ParameterFileResult r = dialog.save(path, CDateTime::now().fields());
    if (!r.ok()) {
        *ctx.err << path << ": " << r.message << "\n";
        return 1;
    }
    return 0;
}

void printPages(std::ostream& o, const std::vector<SheetViewPage>& pages, bool json) {
    if (!json) {
        for (const SheetViewPage& p : pages) {
            o << "== " << p.title << " ==\n";
            for (const SheetGroup& g : p.groups) {
                if (!g.title.empty())
                    o << "[" << g.title << "]\n";
                for (const SheetLine& l : g.lines)
                    o << "  " << l.label << ": " << l.value << (l.unit.empty() ? "" : " ") << l.unit
                      << "\n";
            }
        }
        return;
    }
    o << "{\"pages\":[";
    for (std::size_t i = 0; i < pages.size(); ++i) {
        o << (i ? "," : "") << "{\"title\":" << jsonText(pages[i].title) << ",\"groups\":[";
        for (std::size_t g = 0; g < pages[i].groups.size(); ++g) {
            const SheetGroup& gr = pages[i].groups[g];
            o << (g ? "," : "") << "{\"title\":" << jsonText(gr.title) << ",\"fields\":[";
            for (std::size_t k = 0; k < gr.lines.size(); ++k) {
                const SheetLine& l = gr.lines[k];
                o << (k ? "," : "") << "{\"key\":" << (l.key.empty() ? "null" : jsonText(l.key))
                  << ",\"label\":" << jsonText(l.label) << ",\"value\":" << jsonText(l.value)
                  << ",\"unit\":" << jsonText(l.unit) << "}";
            }
            o << "]}";
        }
        o << "]}";
    }
    o << "]}\n";
}

int reportTransfer(CliContext& ctx, const TransferOutcome& out, int failure) {
    using S = TransferOutcome::Status;
    switch (out.status) {
    case S::Written:
    case S::Prepared: {
        std::string list;
        for (int b : out.written)
            list += (list.empty() ? "" : " ") + hexBlock(b);
        *ctx.out << "written: " << list << "\n";
        return 0;
    }
    case S::Declined:
    case S::TypeMismatch:
        return 1;
    case S::ReadFailed:
        return failure ? reportFailure(ctx, failure) : 1;
    case S::WriteFailed: {
        std::string list;
        for (int b : out.written)
            list += " " + hexBlock(b);
        *ctx.err << "writing block " << hexBlock(out.failedBlock)
                 << " failed; written before it:" << (list.empty() ? " none" : list) << "\n";
        if (failure)
            reportFailure(ctx, failure);
        return 1;
    }
    }
    return 1;
}

bool runOtherParameterKind(CliContext& ctx, const std::string& sub, std::vector<std::string> a,
                           int& status) {
    const Options o = takeOptions(a);
    std::optional<ParameterKind> kind;
    if (!o.kind.empty())
        kind = kindOfExtension(o.kind);
    else
        for (const std::string& arg : a)
            if (arg.rfind("--", 0) != 0) {
                kind = kindOfPath(arg);
                break;
            }
    if (!o.kind.empty() && !kind) {
        *ctx.err << "no parameter file has the extension " << o.kind << "\n";
        status = 2;
        return true;
    }
    if (!kind || *kind == ParameterKind::Settings)
        return false;
    if (o.bad) {
        status = usage(ctx);
        return true;
    }
    if (sub == "read")
        status = runRead(ctx, *kind, a);
    else if (sub == "write")
        status = runWrite(ctx, *kind, a, o);
    else if (sub == "show")
        status = runShow(ctx, *kind, a, o);
    else if (sub == "set")
        status = runSet(ctx, *kind, a);
    else if (sub == "diff")
        status = runDiff(ctx, *kind, a, o);
    else
        status = usage(ctx);
    return true;
}

} // namespace ks::cli
